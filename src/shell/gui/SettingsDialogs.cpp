#include "shell/gui/SettingsDialogs.h"

#include "base/AnsiCodePageSetting.h"
#include "base/SettingsStore.h"
#include "base/TextCodec.h"
#include "units/UnitsDialogModel.h"
#include "waypoints/WaypointImport.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {
namespace {

template <std::size_t N>
QComboBox* Combo(QWidget* parent, const std::array<const char*, N>& items, int current)
{
    auto* box = new QComboBox(parent);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    box->setCurrentIndex(current >= 0 && current < static_cast<int>(N) ? current : 0);
    return box;
}

} // namespace

MiscSettingsDialog::MiscSettingsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("MiscSettingsDialog"));
    setWindowTitle(QStringLiteral("杂项设定"));
    auto* layout = new QVBoxLayout(this);
    check_ = new QCheckBox(QStringLiteral("禁止系统自动休眠"), this);
    check_->setChecked(settings_.GetInt(section::kSettings, kStayAlive, 1) != 0);
    layout->addWidget(check_);
    codePage_ = new QSpinBox(this);
    codePage_->setRange(1, 65535);
    codePage_->setValue(LoadAnsiCodePage(settings_));
    codePage_->setToolTip(
        QStringLiteral("旧版路点文件与非 UTF-8 的 LOC、CSV 文件的代码页 (936: 简体中文)"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ANSI 代码页:"), codePage_);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(300);
}

void MiscSettingsDialog::accept()
{
    if (!IsKnownCodePage(codePage_->value())) {
        QMessageBox::warning(this, QStringLiteral("Hikewise"),
                             QStringLiteral("代码页 %1 不可用。").arg(codePage_->value()));
        return;
    }
    QDialog::accept();
}

bool MiscSettingsDialog::Store()
{
    StoreAnsiCodePage(settings_, codePage_->value());
    const bool stayAlive = check_->isChecked();
    settings_.SetInt(section::kSettings, kStayAlive, stayAlive ? 1 : 0);
    return stayAlive;
}

UnitsDialog::UnitsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("UnitsDialog"));
    setWindowTitle(QString::fromUtf8(UnitsDialogModel::kTitle));
    const UnitsDialogModel::Choice choice = UnitsDialogModel::Load(settings_);
    auto* form = new QFormLayout;
    distance_ = Combo(this, UnitsDialogModel::kDistanceSpeedItems, choice.distanceSpeed);
    altitude_ = Combo(this, UnitsDialogModel::kAltitudeItems, choice.altitude);
    position_ = Combo(this, UnitsDialogModel::kPositionItems, choice.positionFormat);
    form->addRow(QString::fromUtf8(UnitsDialogModel::kDistanceSpeedCaption), distance_);
    form->addRow(QString::fromUtf8(UnitsDialogModel::kAltitudeCaption), altitude_);
    form->addRow(QString::fromUtf8(UnitsDialogModel::kPositionCaption), position_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(300);
}

void UnitsDialog::Store()
{
    UnitsDialogModel::Store(settings_, {distance_->currentIndex(), altitude_->currentIndex(),
                                        position_->currentIndex()});
}

ImportSettingsDialog::ImportSettingsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("ImportSettingsDialog"));
    setWindowTitle(QStringLiteral("导入路点设定"));
    static constexpr std::array<const char*, 2> kModes{"保留现有路点", "覆盖现有路点"};
    mode_ = Combo(this, kModes, settings_.GetInt(section::kSettings, kImportModeSetting, 0));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("在导入路点时:"), mode_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(300);
}

void ImportSettingsDialog::Store()
{
    settings_.SetInt(section::kSettings, kImportModeSetting, mode_->currentIndex());
}

} // namespace hw
