#include "shell/gui/SettingsDialogs.h"

#include "base/AnsiCodePageSetting.h"
#include "base/SettingsStore.h"
#include "base/TextCodec.h"
#include "shell/InterfaceLanguage.h"
#include "units/UnitsDialogModel.h"
#include "waypoints/WaypointImport.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {
namespace {

// The items are translated in `context`.
template <std::size_t N>
QComboBox* Combo(QWidget* parent, const char* context, const std::array<const char*, N>& items,
                 int current)
{
    auto* box = new QComboBox(parent);
    for (const char* item : items)
        box->addItem(QCoreApplication::translate(context, item));
    box->setCurrentIndex(current >= 0 && current < static_cast<int>(N) ? current : 0);
    return box;
}

} // namespace

MiscSettingsDialog::MiscSettingsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("MiscSettingsDialog"));
    setWindowTitle(tr("杂项设定"));
    auto* layout = new QVBoxLayout(this);
    check_ = new QCheckBox(tr("禁止系统自动休眠"), this);
    check_->setChecked(settings_.GetInt(section::kSettings, kStayAlive, 1) != 0);
    layout->addWidget(check_);
    codePage_ = new QSpinBox(this);
    codePage_->setRange(1, 65535);
    codePage_->setValue(LoadAnsiCodePage(settings_));
    codePage_->setToolTip(tr("旧版路点文件与非 UTF-8 的 LOC、CSV 文件的代码页 (936: 简体中文)"));
    language_ = new QComboBox(this);
    language_->addItems({tr("中文"), tr("英文"), tr("桌面系统的语言")});
    const int language = settings_.GetInt(kLanguageSection, kLanguageValue, kLanguageChinese);
    language_->setCurrentIndex(
        language >= kLanguageChinese && language <= kLanguageDesktop ? language : kLanguageChinese);
    auto* form = new QFormLayout;
    form->addRow(tr("ANSI 代码页:"), codePage_);
    form->addRow(tr("界面语言:"), language_);
    layout->addLayout(form);
    auto* note = new QLabel(tr("更改的界面语言在下次启动程序时生效。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(300);
}

void MiscSettingsDialog::accept()
{
    if (!IsKnownCodePage(codePage_->value())) {
        QMessageBox::warning(this, QStringLiteral("Hikewise"),
                             tr("代码页 %1 不可用。").arg(codePage_->value()));
        return;
    }
    QDialog::accept();
}

bool MiscSettingsDialog::Store()
{
    StoreAnsiCodePage(settings_, codePage_->value());
    settings_.SetInt(kLanguageSection, kLanguageValue, language_->currentIndex());
    const bool stayAlive = check_->isChecked();
    settings_.SetInt(section::kSettings, kStayAlive, stayAlive ? 1 : 0);
    return stayAlive;
}

UnitsDialog::UnitsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("UnitsDialog"));
    const char* context = UnitsDialogModel::kContext;
    setWindowTitle(QCoreApplication::translate(context, UnitsDialogModel::kTitle));
    const UnitsDialogModel::Choice choice = UnitsDialogModel::Load(settings_);
    auto* form = new QFormLayout;
    distance_ = Combo(this, context, UnitsDialogModel::kDistanceSpeedItems, choice.distanceSpeed);
    altitude_ = Combo(this, context, UnitsDialogModel::kAltitudeItems, choice.altitude);
    position_ = Combo(this, context, UnitsDialogModel::kPositionItems, choice.positionFormat);
    form->addRow(QCoreApplication::translate(context, UnitsDialogModel::kDistanceSpeedCaption),
                 distance_);
    form->addRow(QCoreApplication::translate(context, UnitsDialogModel::kAltitudeCaption),
                 altitude_);
    form->addRow(QCoreApplication::translate(context, UnitsDialogModel::kPositionCaption),
                 position_);
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
    setWindowTitle(tr("导入路点设定"));
    static constexpr std::array<const char*, 2> kModes{
        QT_TRANSLATE_NOOP("hw::ImportSettingsDialog", "保留现有路点"),
        QT_TRANSLATE_NOOP("hw::ImportSettingsDialog", "覆盖现有路点")};
    mode_ = Combo(this, "hw::ImportSettingsDialog", kModes,
                  settings_.GetInt(section::kSettings, kImportModeSetting, 0));
    auto* form = new QFormLayout;
    form->addRow(tr("在导入路点时:"), mode_);
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
