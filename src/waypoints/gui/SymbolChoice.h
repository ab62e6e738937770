#pragma once

#include <QWidget>

class QComboBox;
class QLabel;

namespace hw {

// The symbol picker: every symbol name in table order with its image, and a
// larger preview of the one selected.
class SymbolChoice : public QWidget {
    Q_OBJECT
public:
    explicit SymbolChoice(QWidget* parent = nullptr);
    void SetSymbol(int icon);
    int Symbol() const;
    QComboBox* List() const { return list_; }

signals:
    // The user chose another symbol.
    void Chosen(int icon);

private:
    void ShowPreview();

    QComboBox* list_;
    QLabel* preview_;
};

} // namespace hw
