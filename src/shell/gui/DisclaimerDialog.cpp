#include "shell/gui/DisclaimerDialog.h"

#include "base/StringTable.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace hw {

DisclaimerDialog::DisclaimerDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DisclaimerDialog"));
    setWindowTitle(QStringLiteral("Hikewise"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    // The stored text breaks its lines the handheld's way ("\r\r\n").
    QString body = QString::fromUtf8(LoadString(203));
    body.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    text->setPlainText(body);
    layout->addWidget(text, 1);
    check_ = new QCheckBox(tr(kDoNotShowAgain), this);
    layout->addWidget(check_);
    layout->addWidget(OkCancelButtons(this));
    resize(420, 360);
}

bool DisclaimerDialog::DoNotShowAgain() const
{
    return check_->isChecked();
}

} // namespace hw
