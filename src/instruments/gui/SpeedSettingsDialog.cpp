#include "instruments/gui/SpeedSettingsDialog.h"

#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

SpeedSettingsDialog::SpeedSettingsDialog(int currentMaximum, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("速度设置"));
    setWindowTitle(tr("速度设置"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    combo_ = new QComboBox(this);
    combo_->setProperty("controlId", 1086);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* v : {"500", "250", "200", "150", "100", "50", "20", "10"})
        combo_->addItem(QString::fromLatin1(v));
    combo_->setEditText(QString::number(currentMaximum));
    form->addRow(tr("最大速度:"), combo_);
    layout->addLayout(form);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    // A full scale of 0 or a word would leave the needle nowhere: OK waits
    // for a whole number above 0.
    connect(combo_, &QComboBox::editTextChanged, this, [this] { ok_->setEnabled(Chosen() > 0); });
    ok_->setEnabled(Chosen() > 0);
    setMinimumWidth(240);
}

int SpeedSettingsDialog::Chosen() const
{
    bool ok = false;
    const int v = combo_->currentText().trimmed().toInt(&ok);
    return ok && v > 0 ? v : 0;
}

} // namespace hw
