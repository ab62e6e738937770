#include "waypoints/gui/AlarmControls.h"

#include "waypoints/WaypointEditValues.h"
#include "waypoints/WaypointTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hw {

AlarmControls::AlarmControls(QWidget* parent) : QWidget(parent)
{
    active_ = new QCheckBox(tr("激活"), this);
    distance_ = new QLineEdit(this);
    distance_->setObjectName(QStringLiteral("TriggerDistance"));
    unit_ = new QLabel(this);
    sound_ = new QLineEdit(this);
    sound_->setObjectName(QStringLiteral("SoundFile"));
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    connect(browse, &QPushButton::clicked, this, &AlarmControls::ChooseSound);
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("MessageType"));
    for (int value : WaypointEditValues::kMessageTypeOrder)
        type_->addItem(
            QString::fromStdString(ShownTableName(ActiveWaypointMessageTypeNames[value])), value);

    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(distance_, 1);
    distanceRow->addWidget(unit_);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(sound_, 1);
    soundRow->addWidget(browse);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(active_);
    form->addRow(tr("触发距离:"), distanceRow);
    form->addRow(tr("播放声音:"), soundRow);
    form->addRow(tr("消息类型:"), type_);
}

void AlarmControls::Fill(const WaypointEditValues& v)
{
    active_->setChecked(v.active != 0);
    distance_->setText(QString::fromStdString(v.triggerDistance));
    unit_->setText(QString::fromStdString(v.smallDistanceUnit));
    sound_->setText(QString::fromStdString(v.soundFile));
    const int index = type_->findData(v.messageType);
    type_->setCurrentIndex(index >= 0 ? index : 0);
}

void AlarmControls::Store(WaypointEditValues& v) const
{
    v.active = active_->isChecked() ? 1 : 0;
    v.triggerDistance = distance_->text().toStdString();
    v.soundFile = sound_->text().toStdString();
    v.messageType = type_->currentData().toInt();
}

void AlarmControls::ChooseSound()
{
    QFileDialog dialog(this, tr("播放声音:"), QFileInfo(sound_->text()).path(),
                       QStringLiteral("Chart Files (*.wav);;All Files (*)"));
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        sound_->setText(dialog.selectedFiles().front());
}

} // namespace hw
