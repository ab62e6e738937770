#pragma once

#include <QDialog>

class QListWidget;

namespace hw {

// Dialog 135 "改变窗格": the list of the panel fields, preset to a cell's
// field; on acceptance Chosen() is the field picked.
class ChangePaneDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangePaneDialog(int currentType, QWidget* parent = nullptr);
    int Chosen() const;
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace hw
