#include "waypoints/gui/CEditMultipleWPPropSheet.h"

#include "waypoints/gui/AlarmControls.h"
#include "waypoints/gui/GeocacheStateChoice.h"
#include "waypoints/gui/SheetSize.h"
#include "waypoints/gui/SymbolChoice.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hw {

CEditMultipleWPPropSheet::CEditMultipleWPPropSheet(const PositionFormatter& positions,
                                                   const UnitFormatter& units, QWidget* parent)
    : QDialog(parent), positions_(positions), units_(units),
      shown_(WaypointEditValues::From(values_.values, positions, units, 0))
{
    setObjectName(QStringLiteral("CEditMultipleWPPropSheet"));
    setWindowTitle(tr("编辑多个路点"));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(SymbolPage(), tr("图标/状态"));
    tabs_->addTab(AlarmPage(), tr("激活路点"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(OkCancelButtons(this));
    FitSheetToWindow(this, parent);
}

QWidget* CEditMultipleWPPropSheet::SymbolPage()
{
    auto* page = new QWidget;
    changeSymbol_ = new QCheckBox(tr("修改图标"), page);
    symbol_ = new SymbolChoice(page);
    symbol_->SetSymbol(shown_.icon);
    changeState_ = new QCheckBox(tr("修改 Geocache 状态"), page);
    state_ = GeocacheStateChoice(page);
    state_->setCurrentIndex(std::max(0, state_->findData(shown_.geocacheState)));
    useStateIcon_ = new QCheckBox(tr("设置 Geocache 状态图标"), page);
    useStateIcon_->setChecked(shown_.useStateIcon != 0);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(changeSymbol_);
    layout->addWidget(symbol_);
    layout->addSpacing(12);
    layout->addWidget(changeState_);
    layout->addWidget(state_);
    layout->addWidget(useStateIcon_);
    layout->addStretch(1);
    return page;
}

QWidget* CEditMultipleWPPropSheet::AlarmPage()
{
    auto* page = new QWidget;
    changeAlarm_ = new QCheckBox(tr("修改激活路点"), page);
    alarm_ = new AlarmControls(page);
    alarm_->Fill(shown_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(changeAlarm_);
    layout->addWidget(alarm_);
    layout->addStretch(1);
    return page;
}

void CEditMultipleWPPropSheet::accept()
{
    shown_.icon = symbol_->Symbol();
    shown_.geocacheState = state_->currentData().toInt();
    shown_.useStateIcon = useStateIcon_->isChecked() ? 1 : 0;
    alarm_->Store(shown_);
    shown_.ApplyTo(values_.values, positions_, units_);
    // The symbol chosen, not the one the chosen state gives.
    values_.values.icon = shown_.icon;
    values_.changedAt = QDateTime::currentSecsSinceEpoch();
    values_.symbolChanged = changeSymbol_->isChecked();
    values_.stateChanged = changeState_->isChecked();
    values_.alarmChanged = changeAlarm_->isChecked();
    QDialog::accept();
}

} // namespace hw
