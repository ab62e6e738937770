#pragma once

#include "waypoints/WaypointImport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

namespace hw {

class UnitFormatter;

// "CSV 导入设定": the column order and first-line choice of a CSV file
// ("CSV 设定"), and the values every imported point gets ("路点设定").
class CImportCSVPropSheet : public QDialog {
    Q_OBJECT
public:
    CImportCSVPropSheet(const CsvImportSettings& start, const UnitFormatter& units,
                        QWidget* parent = nullptr);
    // The sheet's values; an unreadable distance keeps the one shown first.
    CsvImportSettings Values() const;

    QTabWidget* Pages() const { return pages_; }
    QComboBox* Order() const { return order_; }
    QCheckBox* SkipFirstLine() const { return skip_; }

private:
    QWidget* MakeCsvPage(const CsvImportSettings& start);
    QWidget* MakeWaypointPage(const CsvImportSettings& start);

    const UnitFormatter& units_;
    CsvImportSettings start_;
    QTabWidget* pages_;
    QComboBox* order_;
    QCheckBox* skip_;
    QCheckBox* alarm_;
    QLineEdit* distance_;
    QComboBox* messageType_;
    QCheckBox* setSymbol_;
    QComboBox* symbol_;
};

} // namespace hw
