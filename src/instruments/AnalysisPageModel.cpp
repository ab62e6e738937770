#include "instruments/AnalysisPageModel.h"

#include "base/Colour.h"
#include "base/FormatString.h"
#include "base/SettingsStore.h"
#include "base/Translate.h"
#include "units/UnitFormatter.h"

#include <algorithm>

namespace hw {

std::string analysis_setting::CurveTypeName(int area)
{
    return FormatString("曲线类型 %d", area);
}

namespace {

// Radians of arc to statute miles, through nautical miles.
constexpr double kMilesPerRadian = 3437.7467707849396 * 1.852 * 0.621371192237;

struct ChartSetup {
    const char* title;
    double top, bottom;
    Colour curve, fill;
};
// By curve type.
constexpr ChartSetup kSetup[AnalysisPageModel::kCurves] = {
    {HW_TRANSLATE_NOOP("AnalysisPageModel", "加速度"), 1, -1, Rgb(196, 0, 0), Rgb(255, 196, 196)},
    {HW_TRANSLATE_NOOP("AnalysisPageModel", "海拔"), 100, 0, Rgb(0, 196, 0), Rgb(196, 255, 196)},
    {HW_TRANSLATE_NOOP("AnalysisPageModel", "速度"), 10, 0, Rgb(0, 0, 196), Rgb(196, 196, 255)},
    {HW_TRANSLATE_NOOP("AnalysisPageModel", "轨迹错误"), 10, 0, Rgb(196, 1, 196),
     Rgb(255, 196, 255)},
    {HW_TRANSLATE_NOOP("AnalysisPageModel", "垂直速度"), 10, -10, Rgb(0, 196, 196),
     Rgb(196, 255, 255)},
};

constexpr int kDefaultCurves[AnalysisPageModel::kAreas] = {kSpeedCurve, kAccelerationCurve,
                                                           kAltitudeCurve, kVerticalSpeedCurve};

void SetUp(KORVPlotModel& chart, const ChartSetup& setup)
{
    chart.SetRange(setup.top, setup.bottom);
    chart.SetInitialRange(setup.top, setup.bottom);
    PlotStyle& s = chart.Style();
    s.title = Translate("AnalysisPageModel", setup.title);
    s.curve = setup.curve;
    s.fillColour = setup.fill;
    s.rangeMode = 2;
    s.fill = true;
    s.bottomMargin = 0;
    s.valueLabel = false;
    s.rightMargin = 0;
    s.divisions = 5;
    s.gridStyle = 2;
    s.titleFont = Font{"Tahoma", 8, true, 0};
    s.background = Rgb(255, 255, 225);
    s.text = Rgb(0, 0, 196);
    s.zeroLine = Rgb(255, 0, 0);
    s.grid = Rgb(228, 228, 228);
    s.frame = Rgb(128, 128, 128);
}

} // namespace

AnalysisPageModel::AnalysisPageModel()
    : charts_{KORVPlotModel(kSamples), KORVPlotModel(kSamples), KORVPlotModel(kSamples),
              KORVPlotModel(kSamples), KORVPlotModel(kSamples)}
{
    for (int c = 0; c < kCurves; ++c)
        SetUp(charts_[Index(c)], kSetup[c]);
}

size_t AnalysisPageModel::Index(int curve)
{
    return static_cast<size_t>(std::clamp(curve, 0, kCurves - 1));
}

void AnalysisPageModel::Load(const SettingsStore& settings)
{
    const int layout = settings.GetInt(section::kAnalysis, analysis_setting::kScreenLayout, 1);
    layout_ = layout >= 0 && layout < kLayouts ? layout : 1;
    for (int a = 0; a < kAreas; ++a) {
        const int c = settings.GetInt(section::kAnalysis, analysis_setting::CurveTypeName(a),
                                      kDefaultCurves[a]);
        curves_[static_cast<size_t>(a)] = c >= 0 && c < kCurves ? c : kDefaultCurves[a];
    }
    sampler_.Load(settings);
}

int AnalysisPageModel::AreaCount() const
{
    static constexpr int kCount[kLayouts] = {1, 2, 3, 2, 4};
    return kCount[layout_];
}

int AnalysisPageModel::CurveOfArea(int area) const
{
    return curves_[static_cast<size_t>(std::clamp(area, 0, kAreas - 1))];
}

std::vector<ScreenRect> AnalysisPageModel::Areas(int layout, const ScreenRect& c)
{
    const int midX = c.left + (c.right - c.left) / 2;
    const int midY = c.top + (c.bottom - c.top) / 2;
    switch (layout) {
    case 0: return {c};
    case 1: return {{c.left, c.top, c.right, midY}, {c.left, midY, c.right, c.bottom}};
    case 2: {
        const int band = (c.bottom - c.top) / 3;
        return {{c.left, c.top, c.right, c.top + band},
                {c.left, c.top + band, c.right, c.top + 2 * band},
                {c.left, c.top + 2 * band, c.right, c.bottom}};
    }
    case 3: return {{c.left, c.top, midX, c.bottom}, {midX, c.top, c.right, c.bottom}};
    case 4:
        return {{c.left, c.top, midX, midY},
                {midX, c.top, c.right, midY},
                {c.left, midY, midX, c.bottom},
                {midX, midY, c.right, c.bottom}};
    default: return {};
    }
}

int AnalysisPageModel::AreaAt(int layout, const ScreenRect& client, ScreenPoint p)
{
    const std::vector<ScreenRect> areas = Areas(layout, client);
    for (size_t i = 0; i < areas.size(); ++i)
        if (areas[i].Contains(p))
            return static_cast<int>(i);
    // Outside every area (an edge pixel): the nearest by the splits.
    if (areas.empty())
        return 0;
    const int midX = client.left + client.Width() / 2, midY = client.top + client.Height() / 2;
    switch (layout) {
    case 1: return p.y < midY ? 0 : 1;
    case 2: return std::clamp((p.y - client.top) / std::max(1, client.Height() / 3), 0, 2);
    case 3: return p.x < midX ? 0 : 1;
    case 4: return (p.x < midX ? 0 : 1) + (p.y < midY ? 0 : 2);
    default: return 0;
    }
}

void AnalysisPageModel::OnGga(const AnalysisFixSample& s, const UnitFormatter& units)
{
    KORVPlotModel& speed = Chart(kSpeedCurve);
    speed.Style().verticalFactor = units.SpeedFactor();
    speed.Style().title =
        FormatTranslated("AnalysisPageModel", HW_TRANSLATE_NOOP("AnalysisPageModel", "速度 (%s)"),
                         units.SpeedUnitLabel().c_str());
    speed.Push(s.speedKnots);

    KORVPlotModel& altitude = Chart(kAltitudeCurve);
    sampler_.Feed(s.position, s.altitudeMetres, altitude);
    sampler_.ConfigureChart(altitude, units);

    std::string label;
    KORVPlotModel& vertical = Chart(kVerticalSpeedCurve);
    vertical.Style().verticalFactor = units.PlotVerticalSpeedFactorAndLabel(label);
    vertical.Style().title =
        FormatTranslated("AnalysisPageModel",
                         HW_TRANSLATE_NOOP("AnalysisPageModel", "垂直速度 (%s)"), label.c_str());
    vertical.Push(s.verticalSpeed);

    KORVPlotModel& error = Chart(kTrackErrorCurve);
    error.Style().verticalFactor = units.SmallDistanceFactor();
    error.Style().title = FormatTranslated("AnalysisPageModel",
                                           HW_TRANSLATE_NOOP("AnalysisPageModel", "轨迹错误 (%s)"),
                                           units.SmallDistanceUnitLabel().c_str());
    error.Push(s.trackErrorRadians * kMilesPerRadian);
}

void AnalysisPageModel::OnRmc(double acceleration, const UnitFormatter& units)
{
    std::string label;
    KORVPlotModel& chart = Chart(kAccelerationCurve);
    chart.Style().verticalFactor = units.AccelerationFactorAndLabel(label);
    chart.Style().title = FormatTranslated(
        "AnalysisPageModel", HW_TRANSLATE_NOOP("AnalysisPageModel", "加速度 (%s)"), label.c_str());
    chart.Push(acceleration);
}

void AnalysisPageModel::OnFix(const GpsFix& fix, double trackErrorRadians,
                              const UnitFormatter& units)
{
    if (fix.ggaCount == 0)
        return;
    AnalysisFixSample s;
    s.speedKnots = fix.speed;
    s.position = GeoPoint::FromDegrees(fix.ggaLatitude, fix.ggaLongitude, fix.altitude);
    s.altitudeMetres = fix.altitude;
    s.verticalSpeed = fix.verticalSpeed;
    s.trackErrorRadians = trackErrorRadians;
    OnGga(s, units);
}

void AnalysisPageModel::ConfigureAltitude(const UnitFormatter& units)
{
    sampler_.ConfigureChart(Chart(kAltitudeCurve), units);
}

void AnalysisPageModel::ZoomIn()
{
    zoom_ = PlotZoomIn(zoom_);
    for (KORVPlotModel& chart : charts_)
        chart.Style().horizontalZoom = zoom_;
}

void AnalysisPageModel::ZoomOut()
{
    zoom_ = PlotZoomOut(zoom_);
    for (KORVPlotModel& chart : charts_)
        chart.Style().horizontalZoom = zoom_;
}

bool AnalysisPageModel::Query(int id, int tappedArea, CommandState& state) const
{
    using namespace analysis_cmd;
    if (id >= kLayout1x1 && id < kLayout1x1 + kLayouts) {
        state = {true, id - kLayout1x1 == layout_};
        return true;
    }
    if (id >= kCurveFirst && id < kCurveFirst + kCurves) {
        state = {true, id - kCurveFirst == CurveOfArea(tappedArea)};
        return true;
    }
    if (id == kProperties) {
        state = {CurveOfArea(tappedArea) == kAltitudeCurve, false};
        return true;
    }
    if (id == kClearCurve || id == kClearAll) {
        state = {true, false};
        return true;
    }
    return false;
}

AnalysisPageModel::Outcome AnalysisPageModel::Handle(int id, int tappedArea,
                                                     SettingsStore& settings)
{
    using namespace analysis_cmd;
    const int area = std::clamp(tappedArea, 0, kAreas - 1);
    if (id >= kLayout1x1 && id < kLayout1x1 + kLayouts) {
        layout_ = id - kLayout1x1;
        settings.SetInt(section::kAnalysis, analysis_setting::kScreenLayout, layout_);
        return Outcome::Done;
    }
    if (id >= kCurveFirst && id < kCurveFirst + kCurves) {
        const int curve = id - kCurveFirst;
        if (curves_[static_cast<size_t>(area)] != curve) {
            curves_[static_cast<size_t>(area)] = curve;
            settings.SetInt(section::kAnalysis, analysis_setting::CurveTypeName(area), curve);
        }
        return Outcome::Done;
    }
    if (id == kClearCurve) {
        Chart(CurveOfArea(area)).Clear(0);
        return Outcome::Done;
    }
    if (id == kClearAll) {
        for (KORVPlotModel& chart : charts_)
            chart.Clear(0);
        return Outcome::Done;
    }
    if (id == kProperties)
        return CurveOfArea(area) == kAltitudeCurve ? Outcome::OpenAltitudeSettings : Outcome::Done;
    return Outcome::NotMine;
}

std::vector<ScreenRect> AnalysisPageModel::DrawFrames(const ScreenRect& client, Colour frameBase,
                                                      DrawList& out) const
{
    out.Add(FillRect{client, Rgb(255, 255, 255)});
    std::vector<ScreenRect> charts = Areas(layout_, client);
    for (ScreenRect& r : charts) {
        for (int k = 0; k < 5; ++k) {
            const Colour c = WithLightness(frameBase, 0.96 - 0.04 * k);
            out.Add(Polygon{Pen{c, 1, PenStyle::Solid},
                            Brush::Hollow(),
                            {{r.left, r.top},
                             {r.right - 1, r.top},
                             {r.right - 1, r.bottom - 1},
                             {r.left, r.bottom - 1}}});
            r = r.Grown(-1);
        }
    }
    return charts;
}

} // namespace hw
