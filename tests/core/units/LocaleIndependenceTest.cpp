// Files, settings and the fixed display formats read and write a decimal
// point under every locale: the program runs with setlocale(LC_ALL, "").
#include "ScopedLocale.h"

#include "base/DecimalSetting.h"
#include "base/MemorySettingsStore.h"
#include "instruments/AltitudeSampler.h"
#include "track/TrackExport.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"

#include <gtest/gtest.h>

#include <functional>

namespace hw {
namespace {

TrackLog SampleTrack()
{
    TrackLog log;
    log.SetFilter(0);
    TrackPoint p;
    p.lat = 47500000;
    p.lon = -122250000;
    p.alt = 202.6f;
    p.time = 1110888197;
    log.AddPoint(p);
    p.lat = 47512345;
    p.segmentStart = 1;
    log.AddPoint(p);
    return log;
}

// The text under the C locale, and the same under the comma locale.
void ExpectSameUnderCommaLocale(const std::function<std::string()>& produce)
{
    std::string inC;
    {
        test::ScopedLocale c("C");
        inC = produce();
    }
    HW_IN_COMMA_LOCALE();
    EXPECT_EQ(produce(), inC);
}

TEST(LocaleIndependenceTest, trackExportsWriteAPoint)
{
    TrackLog log = SampleTrack();
    for (TrackExportFormat f :
         {TrackExportFormat::Csv, TrackExportFormat::Kml, TrackExportFormat::Gpx})
        ExpectSameUnderCommaLocale([&] { return TrackExportText(log, f); });
    HW_IN_COMMA_LOCALE();
    EXPECT_NE(TrackExportText(log, TrackExportFormat::Csv).find("47.500000,-122.250000"),
              std::string::npos);
}

TEST(LocaleIndependenceTest, decimalSettingsRoundTrip)
{
    HW_IN_COMMA_LOCALE();
    MemorySettingsStore store;
    SetDecimalSetting(store, "设置", "ArrivalRadius", 0.03048);
    EXPECT_EQ(store.GetText("设置", "ArrivalRadius", ""), "0.030480");
    EXPECT_DOUBLE_EQ(GetDecimalSetting(store, "设置", "ArrivalRadius", 9), 0.03048);

    // The sampling distance is kept as text: a comma locale must not read it as 0.
    AltitudeSampler sampler;
    store.SetText(section::kAnalysis, analysis_setting::kSamplingDistance, "0.500000000000");
    sampler.Load(store);
    EXPECT_DOUBLE_EQ(sampler.ThresholdKm(), 0.5);
    EXPECT_TRUE(sampler.Store(store, AltitudeSampler::ByDistance, 0.25));
    AltitudeSampler again;
    again.Load(store);
    EXPECT_DOUBLE_EQ(again.ThresholdKm(), 0.25);
}

TEST(LocaleIndependenceTest, positionAndUnitTextsWriteAPoint)
{
    MemorySettingsStore store;
    PositionFormatter positions(store);
    UnitFormatter units(store);
    for (int format : {0, 1, 2}) {
        store.SetInt("设置", unit_setting::kPositionFormat, format);
        ExpectSameUnderCommaLocale([&] {
            return positions.LatitudeText(22.236905) + "|" + positions.LongitudeText(-113.5) + "|" +
                   positions.LatitudeEntryText(22.236905);
        });
    }
    ExpectSameUnderCommaLocale([&] { return units.AltitudeText(202.6); });
    HW_IN_COMMA_LOCALE();
    store.SetInt("设置", unit_setting::kPositionFormat, 0);
    EXPECT_EQ(positions.LatitudeText(22.236905).find(','), std::string::npos);
    EXPECT_EQ(units.AltitudeText(202.6).substr(0, 8), "664.70  ");
}

} // namespace
} // namespace hw
