#pragma once

#include <QDialog>

class QTableWidget;

namespace hw {

class CourseManagerHost;
class UnitFormatter;
class UserDialogs;

// "路线管理": the kept courses with their length, ascent, walking time,
// shown or hidden and colour; rename, delete (asks), export as GPX, show on
// the map, follow (forward or reversed, which closes the dialog).
class CourseManagerDialog : public QDialog {
    Q_OBJECT
public:
    CourseManagerDialog(CourseManagerHost& host, const UnitFormatter& units, UserDialogs& dialogs,
                        QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The buttons' work on the selected row, for the buttons and the tests.
    void RenameSelected(const QString& name);
    void DeleteSelected();
    void ExportSelected();
    void FollowSelected(bool reversed);

private:
    void Fill();
    int Selected() const;
    void Fail(const std::string& error);

    CourseManagerHost& host_;
    const UnitFormatter& units_;
    UserDialogs& dialogs_;
    QTableWidget* table_;
    bool filling_ = false;
};

} // namespace hw
