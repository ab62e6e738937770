#include "instruments/GaugePanelModel.h"

#include "base/SettingsStore.h"

#include <cmath>

namespace hw {
namespace {

using namespace gauge_setting;

constexpr const char* kEnabledName[4] = {kAltimeter, kCompass, kSpeedometer, kVerticalSpeed};
constexpr int kCycleOrder[4] = {kCompassGauge, kAltimeterGauge, kSpeedometerGauge, kVerticalGauge};
// The quadrant of each gauge code: altimeter top right, compass bottom
// left, speedometer top left, vertical speed bottom right.
constexpr int kQuadrantColumn[4] = {1, 0, 0, 1};
constexpr int kQuadrantRow[4] = {0, 1, 0, 1};

// alpha = e^(-0.1 / 0.5): a 100 ms step against a half-second time constant.
constexpr double kStepSeconds = 0.1;
constexpr double kTimeConstant = 0.5;

} // namespace

GaugePanelModel::GaugePanelModel()
{
    for (SmoothingFilter* f : {&altitudeFilter_, &speedFilter_, &verticalFilter_})
        f->SetTimeConstant(kStepSeconds, kTimeConstant);
    enabled_[kCompassGauge] = true;
    RebuildList();
}

void GaugePanelModel::Load(const SettingsStore& settings)
{
    maxSpeed_ = settings.GetInt(section::kPanel, kMaxSpeed, 150);
    if (!(maxSpeed_ > 0))
        maxSpeed_ = 150;
    showNav_ = settings.GetInt(section::kPanel, kShowNav, 1) != 0;
    cycle_ = settings.GetInt(section::kPanel, kCycle, 1) != 0;
    static constexpr int kDefaults[4] = {0, 1, 0, 0};
    for (int code = 0; code < 4; ++code)
        enabled_[static_cast<size_t>(code)] =
            settings.GetInt(section::kPanel, kEnabledName[code], kDefaults[code]) != 0;
    smoothing_ = settings.GetInt(section::kPanel, kSmoothing, 0) != 0;
    ticks_ = 0;
    RebuildList();
}

bool GaugePanelModel::CanToggle(int code) const
{
    if (code < 0 || code > 3)
        return false;
    return !(Enabled(code) && list_.size() == 1);
}

bool GaugePanelModel::ToggleGauge(int code, SettingsStore& settings)
{
    if (!CanToggle(code))
        return false;
    auto& flag = enabled_[static_cast<size_t>(code)];
    flag = !flag;
    settings.SetInt(section::kPanel, kEnabledName[code], flag ? 1 : 0);
    RebuildList();
    return true;
}

void GaugePanelModel::ToggleCycle(SettingsStore& settings)
{
    cycle_ = !cycle_;
    settings.SetInt(section::kPanel, kCycle, cycle_ ? 1 : 0);
    ticks_ = 0;
    RebuildList();
}

void GaugePanelModel::ToggleNav(SettingsStore& settings)
{
    showNav_ = !showNav_;
    settings.SetInt(section::kPanel, kShowNav, showNav_ ? 1 : 0);
}

void GaugePanelModel::ToggleSmoothing(SettingsStore& settings)
{
    smoothing_ = !smoothing_;
    settings.SetInt(section::kPanel, kSmoothing, smoothing_ ? 1 : 0);
}

bool GaugePanelModel::SetMaxSpeed(int maxSpeed, SettingsStore& settings)
{
    if (maxSpeed <= 0)
        return false;
    maxSpeed_ = maxSpeed;
    settings.SetInt(section::kPanel, kMaxSpeed, maxSpeed);
    return true;
}

void GaugePanelModel::RebuildList()
{
    list_.clear();
    for (int code : kCycleOrder)
        if (Enabled(code))
            list_.push_back(code);
    if (index_ >= list_.size())
        index_ = 0;
}

int GaugePanelModel::CurrentGauge() const
{
    return list_.empty() ? -1 : list_[index_];
}

int GaugePanelModel::ShownCount() const
{
    if (list_.empty())
        return 0;
    return cycle_ ? 1 : static_cast<int>(list_.size());
}

std::vector<int> GaugePanelModel::GaugesToDraw() const
{
    if (cycle_)
        return list_.empty() ? std::vector<int>{} : std::vector<int>{CurrentGauge()};
    return list_;
}

void GaugePanelModel::SecondTick(const GaugeReadings& readings, bool pageVisible)
{
    if (cycle_ && !list_.empty() && ++ticks_ >= kTicksPerGauge) {
        ticks_ = 0;
        index_ = (index_ + 1) % list_.size();
    }
    if (SmoothingState(pageVisible) != Smoothing::Running)
        CopyValues(readings);
}

GaugePanelModel::Smoothing GaugePanelModel::SmoothingState(bool pageVisible) const
{
    if (!smoothing_)
        return Smoothing::Off;
    return OneAtATime() && pageVisible ? Smoothing::Running : Smoothing::Suspended;
}

void GaugePanelModel::CopyValues(const GaugeReadings& readings)
{
    altitude_ = readings.altitudeMetres;
    speed_ = readings.speedKnots;
    verticalSpeed_ = readings.verticalSpeed;
    heading_ = readings.course;
    // The filters go on from the values shown, so that the needles do not
    // jump when the smoothing resumes.
    altitudeFilter_.Reset(altitude_);
    speedFilter_.Reset(speed_);
    verticalFilter_.Reset(verticalSpeed_);
}

void GaugePanelModel::SmoothingTick(const GaugeReadings& readings)
{
    altitude_ = altitudeFilter_.Update(readings.altitudeMetres);
    speed_ = speedFilter_.Update(readings.speedKnots);
    verticalSpeed_ = verticalFilter_.Update(readings.verticalSpeed);
    double d = readings.course - heading_;
    if (d > 180)
        d -= 360;
    else if (d < -180)
        d += 360;
    double step = 0.2 * d;
    if (std::fabs(step) < 0.05) {
        heading_ = std::trunc(readings.course);
        step = 0;
    }
    heading_ += step;
    // Round the circle without losing the fraction.
    if (heading_ >= 360)
        heading_ -= 360;
    else if (heading_ < 0)
        heading_ += 360;
}

GaugePanelRects GaugePanelModel::Layout(const ScreenRect& client) const
{
    GaugePanelRects r;
    ScreenRect area = client;
    const int w = client.Width(), h = client.Height();
    if (showNav_) {
        if (w - w / 4 < h) {
            const int band = static_cast<int>(std::lround(w * 2.0 / 9.0));
            r.strip = {client.left, client.bottom - band, client.right, client.bottom};
            area.bottom = r.strip.top;
            r.stripRows = 1;
            r.stripColumns = 3;
        } else {
            r.strip = {client.right - w / 4, client.top, client.right, client.bottom};
            area.right = r.strip.left;
            r.stripRows = 3;
            r.stripColumns = 1;
        }
    }
    const bool whole = ShownCount() <= 1;
    const int midX = area.left + area.Width() / 2, midY = area.top + area.Height() / 2;
    for (int code = 0; code < 4; ++code) {
        if (!Enabled(code))
            continue;
        if (whole) {
            r.gauges[static_cast<size_t>(code)] = area;
            continue;
        }
        const int c = kQuadrantColumn[code], row = kQuadrantRow[code];
        r.gauges[static_cast<size_t>(code)] = {c ? midX : area.left, row ? midY : area.top,
                                               c ? area.right : midX, row ? area.bottom : midY};
    }
    return r;
}

} // namespace hw
