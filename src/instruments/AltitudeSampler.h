#pragma once

#include "geo/GeoPoint.h"

#include <string>

namespace hw {

class KORVPlotModel;
class SettingsStore;
class UnitFormatter;

// Altitude sampling settings, section "分析".
namespace analysis_setting {
inline constexpr const char* kSamplingMode = "海拔采样模式";         // 0 every fix, 1 by distance
inline constexpr const char* kSamplingDistance = "海拔采样距离阈值"; // km as "%.12f" text
inline constexpr const char* kDefaultSamplingDistance = "0.01609344";
} // namespace analysis_setting

// Decides which fixes give a sample of the analysis page's altitude chart:
// every fix, or one each time the distance travelled reaches a threshold.
class AltitudeSampler {
public:
    enum Mode { EveryFix = 0, ByDistance = 1 };
    // The distance beyond which a step between fixes counts as a jump (km).
    static constexpr double kJumpKm = 1.609344;
    // More samples than the chart holds from one fix would show nothing new.
    static constexpr int kMaxSamplesPerFix = 20000;

    int Mode() const { return mode_; }
    double ThresholdKm() const { return thresholdKm_; }
    void SetMode(int mode) { mode_ = mode == ByDistance ? ByDistance : EveryFix; }
    // A threshold of 0 or below (or not a number) would sample endlessly: it
    // is refused and the previous one kept. Returns whether it was taken.
    bool SetThresholdKm(double km);

    void Load(const SettingsStore& settings);
    // Stores both values; false when the threshold was refused (nothing is
    // stored then).
    bool Store(SettingsStore& settings, int mode, double thresholdKm);

    // The number of altitude samples this fix gives (0, 1 or more), after
    // which the position is remembered for the next distance.
    int Offer(const GeoPoint& position);

    // Offers the fix and pushes its altitude into the chart as often as it
    // gives samples.
    void Feed(const GeoPoint& position, double altitudeMetres, KORVPlotModel& chart);
    // The chart's axis for the mode: sample numbers, or distance in the large
    // distance unit; the altitude factor and the title "海拔 (%s)".
    void ConfigureChart(KORVPlotModel& chart, const UnitFormatter& units) const;

    double AccumulatedKm() const { return accumulatedKm_; }

private:
    int mode_ = ByDistance;
    double thresholdKm_ = 0.01609344;
    double accumulatedKm_ = 0;
    GeoPoint last_;
};

} // namespace hw
