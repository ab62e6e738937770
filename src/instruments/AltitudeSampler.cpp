#include "instruments/AltitudeSampler.h"

#include "base/SettingsStore.h"
#include "base/Translate.h"
#include "geo/SphericalGeometry.h"
#include "instruments/KORVPlotModel.h"
#include "units/NumberText.h"
#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hw {

bool AltitudeSampler::SetThresholdKm(double km)
{
    if (!(km > 0) || !std::isfinite(km))
        return false;
    thresholdKm_ = km;
    return true;
}

void AltitudeSampler::Load(const SettingsStore& settings)
{
    SetMode(settings.GetInt(section::kAnalysis, analysis_setting::kSamplingMode, ByDistance));
    std::string text = settings.GetText(section::kAnalysis, analysis_setting::kSamplingDistance,
                                        analysis_setting::kDefaultSamplingDistance);
    if (!SetThresholdKm(ParseRealPrefix(text)))
        SetThresholdKm(ParseRealPrefix(analysis_setting::kDefaultSamplingDistance));
}

bool AltitudeSampler::Store(SettingsStore& settings, int mode, double thresholdKm)
{
    if (!SetThresholdKm(thresholdKm))
        return false;
    SetMode(mode);
    settings.SetInt(section::kAnalysis, analysis_setting::kSamplingMode, mode_);
    settings.SetText(section::kAnalysis, analysis_setting::kSamplingDistance,
                     FormatString("%.12f", thresholdKm_));
    return true;
}

int AltitudeSampler::Offer(const GeoPoint& position)
{
    int samples = 0;
    if (mode_ == EveryFix) {
        samples = 1;
    } else {
        accumulatedKm_ += DistanceKmMicro(last_, position);
        if (accumulatedKm_ > kJumpKm) {
            accumulatedKm_ = 0;
        } else {
            // One sample per whole threshold travelled, counted at once so
            // that a tiny threshold cannot stall the fix.
            double whole = std::floor(accumulatedKm_ / thresholdKm_);
            accumulatedKm_ -= whole * thresholdKm_;
            if (accumulatedKm_ < 0 || accumulatedKm_ >= thresholdKm_)
                accumulatedKm_ = 0;
            samples = static_cast<int>(std::min(whole, static_cast<double>(kMaxSamplesPerFix)));
        }
    }
    last_ = position;
    return samples;
}

void AltitudeSampler::Feed(const GeoPoint& position, double altitudeMetres, KORVPlotModel& chart)
{
    for (int i = Offer(position); i > 0; --i)
        chart.Push(altitudeMetres);
}

void AltitudeSampler::ConfigureChart(KORVPlotModel& chart, const UnitFormatter& units) const
{
    PlotStyle& style = chart.Style();
    if (mode_ == ByDistance) {
        style.horizontalLabelUnit = units.LargeDistanceUnitLabel();
        style.horizontalLabelFactor = units.LargeDistanceFromKm(thresholdKm_);
    } else {
        style.horizontalLabelUnit.clear();
        style.horizontalLabelFactor = 1.0;
    }
    std::string label;
    style.verticalFactor = units.AltitudeFactorAndLabel(label);
    style.title = FormatTranslated(
        "AltitudeSampler", HW_TRANSLATE_NOOP("AltitudeSampler", "海拔 (%s)"), label.c_str());
}

} // namespace hw
