#pragma once

#include "base/DrawList.h"
#include "geo/GeoPoint.h"
#include "gps/GpsFix.h"
#include "instruments/AltitudeSampler.h"
#include "instruments/KORVPlotModel.h"

#include <array>
#include <vector>

namespace hw {

class SettingsStore;
class UnitFormatter;

// The analysis page's settings besides the altitude sampling, section "分析".
namespace analysis_setting {
inline constexpr const char* kScreenLayout = "屏幕配置";
// "曲线类型 0" ... "曲线类型 3".
std::string CurveTypeName(int area);
} // namespace analysis_setting

// Commands of the pop-up menu "IDR_ANALYSIS_POPUP".
namespace analysis_cmd {
inline constexpr int kLayout1x1 = 32835;  // to kLayout1x1 + 4 for "2X2"
inline constexpr int kCurveFirst = 32840; // curve type 0 to 4: 32840 to 32844
inline constexpr int kClearCurve = 32782;
inline constexpr int kClearAll = 32780;
inline constexpr int kProperties = 32846;
} // namespace analysis_cmd

enum CurveType {
    kAccelerationCurve = 0,
    kAltitudeCurve = 1,
    kSpeedCurve = 2,
    kTrackErrorCurve = 3,
    kVerticalSpeedCurve = 4
};

// One GPGGA's worth of what the charts take.
struct AnalysisFixSample {
    double speedKnots = 0;
    GeoPoint position;
    double altitudeMetres = 0;
    double verticalSpeed = 0; // metres per minute
    double trackErrorRadians = 0;
};

// The analysis page: five strip charts, one per quantity, shown one to four
// at a time in the screen layout, each area showing the curve type chosen
// for it; the feeding from the fixes, the menu's rules and the drawing.
class AnalysisPageModel {
public:
    static constexpr size_t kSamples = 20000;
    static constexpr int kLayouts = 5;
    static constexpr int kAreas = 4;
    static constexpr int kCurves = 5;

    // How a command's menu item looks for the area last tapped.
    struct CommandState {
        bool enabled = true;
        bool checked = false;
    };
    enum class Outcome { NotMine, Done, OpenAltitudeSettings };

    AnalysisPageModel();

    void Load(const SettingsStore& settings);

    int Layout() const { return layout_; }
    int AreaCount() const;
    int CurveOfArea(int area) const;
    KORVPlotModel& Chart(int curve) { return charts_[Index(curve)]; }
    const KORVPlotModel& Chart(int curve) const { return charts_[Index(curve)]; }
    AltitudeSampler& Sampler() { return sampler_; }
    double Zoom() const { return zoom_; }

    // The areas of a layout in a client rectangle.
    static std::vector<ScreenRect> Areas(int layout, const ScreenRect& client);
    // The area a point falls in, by the same splits; 0 in layout 0.
    static int AreaAt(int layout, const ScreenRect& client, ScreenPoint p);

    // A GPGGA: speed, altitude (sampled), vertical speed and track error.
    void OnGga(const AnalysisFixSample& sample, const UnitFormatter& units);
    // A GPRMC: the acceleration.
    void OnRmc(double acceleration, const UnitFormatter& units);
    // The fix after one GGA, once the map's fix handling has taken it, with
    // the cross-track error that handling left: a GGA sample. A fix cleared
    // by a reset gives no sample.
    void OnFix(const GpsFix& fix, double trackErrorRadians, const UnitFormatter& units);
    // The altitude chart's axis and title after a change of its sampling.
    void ConfigureAltitude(const UnitFormatter& units);

    void ZoomIn();
    void ZoomOut();

    // The menu's rules and commands for the area that was tapped.
    bool Query(int id, int tappedArea, CommandState& state) const;
    Outcome Handle(int id, int tappedArea, SettingsStore& settings);

    // The page under the charts: white, and each area's frame of five
    // rectangles in the hue of `frameBase`, lighter outside. Returns the
    // chart rectangle inside each frame, by area.
    std::vector<ScreenRect> DrawFrames(const ScreenRect& client, Colour frameBase,
                                       DrawList& out) const;

private:
    static size_t Index(int curve);

    std::array<KORVPlotModel, kCurves> charts_;
    AltitudeSampler sampler_;
    int layout_ = 1;
    std::array<int, kAreas> curves_{kSpeedCurve, kAccelerationCurve, kAltitudeCurve,
                                    kVerticalSpeedCurve};
    double zoom_ = 1.0;
};

} // namespace hw
