#include "instruments/gui/GaugePanel.h"

#include "instruments/AltimeterDial.h"
#include "instruments/CompassDial.h"
#include "instruments/NavigationSource.h"
#include "instruments/PanelReadings.h"
#include "instruments/SpeedometerDial.h"
#include "instruments/TripComputer.h"
#include "instruments/VerticalSpeedDial.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/GaugePanelMenu.h"
#include "instruments/gui/SpeedSettingsDialog.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"
#include "widgets/DrawListPainter.h"
#include "widgets/LongPressMenu.h"
#include "widgets/PopupMenu.h"
#include "widgets/ThemeColour.h"

#include <QContextMenuEvent>
#include <QPainter>

#include <memory>

namespace hw {
namespace {

int GaugeOfCommand(int id)
{
    switch (id) {
    case gauge_cmd::kAltimeter: return kAltimeterGauge;
    case gauge_cmd::kCompass: return kCompassGauge;
    case gauge_cmd::kSpeedometer: return kSpeedometerGauge;
    case gauge_cmd::kVerticalSpeed: return kVerticalGauge;
    default: return -1;
    }
}

} // namespace

GaugePanel::GaugePanel(const PanelSources& sources, TripComputer& trip, SettingsStore& settings,
                       QWidget* parent)
    : QWidget(parent), sources_(sources), trip_(trip), settings_(settings)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    LongPressMenu::Install(this);
    strip_ = new DigitalPanelGrid(sources, settings, QStringLiteral("PanelView"), this);
    strip_->setObjectName(QStringLiteral("NavWnd"));
    strip_->SetLayout(1, 3, false);
    strip_->SetContextMenu(180, &PanelDigitalPanelPopup(), this);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &GaugePanel::OnSecond);
    smoothing_.setInterval(kSmoothingMs);
    connect(&smoothing_, &QTimer::timeout, this, &GaugePanel::OnSmoothingTick);
    model_.Load(settings_);
    model_.CopyValues(Readings());
    timer_.start();
    SyncSmoothing();
    LayOut();
}

GaugeReadings GaugePanel::Readings() const
{
    const GpsFix fix = sources_.fix ? sources_.fix() : GpsFix{};
    GaugeReadings r;
    r.altitudeMetres = fix.altitude;
    r.speedKnots = fix.speed;
    r.verticalSpeed = fix.verticalSpeed;
    r.course = sources_.navigation.CurrentCourse();
    return r;
}

void GaugePanel::OnSecond()
{
    model_.SecondTick(Readings(), isVisible());
    SyncSmoothing();
    if (isVisible())
        update();
}

void GaugePanel::OnSmoothingTick()
{
    if (model_.SmoothingState(isVisible()) != GaugePanelModel::Smoothing::Running) {
        smoothing_.stop();
        return;
    }
    model_.SmoothingTick(Readings());
    update();
}

void GaugePanel::SyncSmoothing()
{
    const bool run = model_.SmoothingState(isVisible()) == GaugePanelModel::Smoothing::Running;
    if (run && !smoothing_.isActive())
        smoothing_.start();
    else if (!run && smoothing_.isActive())
        smoothing_.stop();
}

void GaugePanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    SyncSmoothing();
}

void GaugePanel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    SyncSmoothing();
}

void GaugePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void GaugePanel::LayOut()
{
    rects_ = model_.Layout({0, 0, width(), height()});
    strip_->setVisible(model_.ShowNav());
    if (model_.ShowNav()) {
        strip_->setGeometry(ToQRect(rects_.strip));
        strip_->SetLayout(rects_.stripRows, rects_.stripColumns, false);
    }
    update();
}

void GaugePanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    DrawList list;
    list.Add(RoundRect{Pen{ThemeColourRef(0), 1, PenStyle::Solid},
                       Brush{ThemeColourRef(0), false},
                       {0, 0, width(), height()},
                       15});
    const GaugeColours colours{ThemeColourRef(6), ThemeColourRef(8), ThemeColourRef(7)};
    const UnitFormatter units(settings_);
    const bool smoothed = model_.SmoothingState(isVisible()) == GaugePanelModel::Smoothing::Running;
    const NavigationSource& nav = sources_.navigation;
    const double heading = smoothed ? model_.Heading() : nav.CurrentCourse();
    const double bearing = nav.IsGotoActive() ? nav.BearingToTarget() : 0;
    for (int code : model_.GaugesToDraw()) {
        const DialGeometry dial(rects_.gauges[static_cast<size_t>(code)]);
        switch (code) {
        case kAltimeterGauge:
            AltimeterDial::Draw(dial, units.AltitudeFromMetres(model_.Altitude()),
                                units.AltitudeUnitLabel(), colours, MeasureText, list);
            break;
        case kSpeedometerGauge:
            SpeedometerDial::Draw(dial, units.SpeedFromKnots(model_.Speed()), model_.MaxSpeed(),
                                  units.SpeedUnitLabel(), colours, MeasureText, list);
            break;
        case kVerticalGauge:
            VerticalSpeedDial::Draw(
                dial, units.VerticalSpeedFromMetresPerMinute(model_.VerticalSpeed()),
                VerticalSpeedDial::FullScale(units.AltitudeSetting() ==
                                             static_cast<int>(AltitudeUnit::Feet)),
                units.VerticalSpeedUnitLabel(), colours, MeasureText, list);
            break;
        case kCompassGauge: CompassDial::Draw(dial, heading, bearing, colours, list); break;
        default: break;
        }
    }
    DrawListPainter(p).Paint(list);
}

void GaugePanel::contextMenuEvent(QContextMenuEvent* event)
{
    ExecPopupMenu(BuildPopupMenu(this), event->globalPos());
}

QMenu* GaugePanel::BuildPopupMenu(QWidget* parent)
{
    return hw::BuildPopupMenu(GaugePanelPopup(), *this, parent, "GaugePanelMenu");
}

QDialog* GaugePanel::MakeSpeedDialog(QWidget* parent)
{
    return new SpeedSettingsDialog(static_cast<int>(model_.MaxSpeed()), parent);
}

void GaugePanel::OpenSpeedSettings()
{
    std::unique_ptr<QDialog> dialog(MakeSpeedDialog(this));
    if (dialog->exec() == QDialog::Accepted)
        model_.SetMaxSpeed(static_cast<SpeedSettingsDialog*>(dialog.get())->Chosen(), settings_);
    update();
}

bool GaugePanel::HandleCommand(int id)
{
    const int gauge = GaugeOfCommand(id);
    if (gauge >= 0) {
        model_.ToggleGauge(gauge, settings_);
    } else if (id == gauge_cmd::kCycle) {
        model_.ToggleCycle(settings_);
    } else if (id == gauge_cmd::kSmoothing) {
        model_.ToggleSmoothing(settings_);
    } else if (id == panel_cmd::kPanelShowNav) {
        model_.ToggleNav(settings_);
    } else if (id == gauge_cmd::kSpeedSettings) {
        OpenSpeedSettings();
        return true;
    } else if (id == panel_cmd::kPanelChangePane) {
        // The dialog would stall the 100 ms timer: it rests meanwhile.
        smoothing_.stop();
        strip_->ChangePane(strip_->PressedCell());
        SyncSmoothing();
        return true;
    } else if (id == panel_cmd::kResetTrip) {
        trip_.Reset();
        strip_->update();
        return true;
    } else {
        return false;
    }
    model_.CopyValues(Readings());
    SyncSmoothing();
    LayOut();
    return true;
}

bool GaugePanel::QueryCommand(int id, CommandStatus& status) const
{
    const int gauge = GaugeOfCommand(id);
    if (gauge >= 0) {
        status = {model_.CanToggle(gauge), model_.Enabled(gauge)};
        return true;
    }
    if (id == gauge_cmd::kCycle) {
        status = {true, model_.Cycling()};
        return true;
    }
    if (id == gauge_cmd::kSmoothing) {
        status = {true, model_.SmoothingOn()};
        return true;
    }
    if (id == panel_cmd::kPanelShowNav) {
        status = {true, model_.ShowNav()};
        return true;
    }
    return false;
}

} // namespace hw
