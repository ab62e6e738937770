#include "route/RoutePlanText.h"

#include "base/FormatString.h"
#include "base/Translate.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointManagerList.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr const char* kContext = "RoutePlanText";
constexpr const char* kSummary = HW_TRANSLATE_NOOP("RoutePlanText", "路线 %s, 爬升 %s, 步行 %s");
constexpr const char* kNoRoute = HW_TRANSLATE_NOOP("RoutePlanText", "这两处之间没有可步行的路线.");
constexpr const char* kTooFar =
    HW_TRANSLATE_NOOP("RoutePlanText", "%s %s 附近 5 公里内没有可步行的道路.");
constexpr const char* kCancelled = HW_TRANSLATE_NOOP("RoutePlanText", "已取消规划路线.");
constexpr const char* kFromCentre =
    HW_TRANSLATE_NOOP("RoutePlanText", "没有定位, 从地图中心出发. %s");
constexpr const char* kHours = HW_TRANSLATE_NOOP("RoutePlanText", "%d 小时 %02d 分");
constexpr const char* kMinutes = HW_TRANSLATE_NOOP("RoutePlanText", "%d 分");
constexpr const char* kNoMap =
    HW_TRANSLATE_NOOP("RoutePlanText", "没有载入地图文件, 不能规划路线.");
constexpr const char* kNoNetwork = HW_TRANSLATE_NOOP(
    "RoutePlanText", "地图文件没有步行网络, 不能规划路线: 请用 hikewise-tool map-import 重新导入.");
constexpr const char* kFailure = HW_TRANSLATE_NOOP("RoutePlanText", "不能规划路线: %s");

} // namespace

std::string RoutePlanText::Outcome(const RoutePlan& plan, const RouteRequest& request,
                                   bool fromCentre) const
{
    std::string text;
    switch (plan.status) {
    case RoutePlan::Status::Found: {
        const RouteFigures& f = plan.figures;
        // Without a height anywhere the climb is not known, not nil.
        const bool heights =
            std::any_of(plan.path.begin(), plan.path.end(),
                        [](const RoutePoint& p) { return std::isfinite(p.height); });
        const std::string climb =
            heights ? FormatString("%.0f %s", units_.AltitudeFromMetres(f.ascentM),
                                   units_.AltitudeUnitLabel().c_str())
                    : std::string("---");
        text = FormatTranslated(kContext, kSummary,
                                WaypointManagerList::DistanceText(f.lengthM / 1000, units_).c_str(),
                                climb.c_str(), Duration(f.timeS).c_str());
        break;
    }
    case RoutePlan::Status::NoRoute: text = Translate(kContext, kNoRoute); break;
    case RoutePlan::Status::TooFar: {
        const RouteStop far = request.stops.at(std::min(plan.farStop, request.stops.size() - 1));
        text = FormatTranslated(kContext, kTooFar, positions_.LatitudeText(far.lat).c_str(),
                                positions_.LongitudeText(far.lon).c_str());
        break;
    }
    case RoutePlan::Status::Cancelled: return Translate(kContext, kCancelled);
    }
    return fromCentre ? FormatTranslated(kContext, kFromCentre, text.c_str()) : text;
}

std::string RoutePlanText::Duration(double seconds)
{
    const long minutes = std::lround(std::clamp(seconds, 0.0, 1e9) / 60);
    if (minutes < 60)
        return FormatTranslated(kContext, kMinutes, static_cast<int>(minutes));
    return FormatTranslated(kContext, kHours, static_cast<int>(minutes / 60),
                            static_cast<int>(minutes % 60));
}

std::string RoutePlanText::LackText(PlanningNetwork::Lack lack)
{
    switch (lack) {
    case PlanningNetwork::Lack::NoMap: return Translate(kContext, kNoMap);
    case PlanningNetwork::Lack::NoNetwork: return Translate(kContext, kNoNetwork);
    case PlanningNetwork::Lack::None: break;
    }
    return {};
}

std::string RoutePlanText::FailureText(const std::string& error)
{
    return FormatTranslated(kContext, kFailure, error.c_str());
}

} // namespace hw
