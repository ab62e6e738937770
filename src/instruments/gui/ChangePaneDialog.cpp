#include "instruments/gui/ChangePaneDialog.h"

#include "instruments/PanelField.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace hw {

ChangePaneDialog::ChangePaneDialog(int currentType, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("改变窗格"));
    setWindowTitle(tr("改变此区域"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("窗格:"), this));
    list_ = new QListWidget(this);
    list_->setProperty("controlId", 1057);
    const std::vector<std::string>& names = PanelFieldNames();
    for (size_t type = 0; type < names.size(); ++type) {
        auto* item = new QListWidgetItem(QString::fromStdString(names[type]), list_);
        item->setData(Qt::UserRole, static_cast<int>(type));
        if (static_cast<int>(type) == currentType)
            list_->setCurrentItem(item);
    }
    layout->addWidget(list_);
    layout->addWidget(OkCancelButtons(this));
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(300, 360);
}

int ChangePaneDialog::Chosen() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

} // namespace hw
