#include "shell/gui/InitialSetupDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

InitialSetupDialog::InitialSetupDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InitialSetupDialog"));
    setWindowTitle(QStringLiteral("Hikewise"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr(kText), this);
    text->setWordWrap(true);
    layout->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* start = buttons->addButton(tr(kStart), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("start"));
    start->setDefault(true);
    buttons->addButton(tr(kSkip), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("skip"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 200);
}

} // namespace hw
