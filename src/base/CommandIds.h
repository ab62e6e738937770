#pragma once

namespace hw {

// Command ids of the main menu and the command bars.
namespace cmd {
// 工具 → 配置
inline constexpr int kMapProperties = 32825;
inline constexpr int kImportSettings = 32818;
inline constexpr int kUnits = 32860;
inline constexpr int kMiscSettings = 32829;
// 工具 → GPS
inline constexpr int kSerialPortSettings = 32784;
inline constexpr int kReplayNmea = 32785;
inline constexpr int kConnectGps = 32814;
inline constexpr int kStartNmeaLog = 32872;
inline constexpr int kStopNmeaLog = 32874;
inline constexpr int kSirfNmeaOutput = 32851;
inline constexpr int kSirfParameters = 32862;
inline constexpr int kAutoDetectGps = 32808;
// 工具 → 轨迹
inline constexpr int kExportTrackCsv = 32802;
inline constexpr int kExportTrackKml = 32805;
inline constexpr int kExportTrackGpx = 32804;
inline constexpr int kNewTrackFile = 32786;
inline constexpr int kOpenTrackFile = 32831;
inline constexpr int kClearTrack = 32799;
// 工具 → 视图
inline constexpr int kTabWindows = 32879;
inline constexpr int kButtonsAndMenus = 32887;
inline constexpr int kThemeSystem = 32900;
inline constexpr int kThemeSystem2 = 32908;
inline constexpr int kThemeNight = 32902;
inline constexpr int kThemeMidnightBlue = 32906;
inline constexpr int kThemeDefault = 32904;
// 工具
inline constexpr int kHelp = 57670;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
// 路点
inline constexpr int kGotoWaypoint = 32813;
inline constexpr int kCancelGoto = 32773;
inline constexpr int kMarkWaypoint = 32827;
inline constexpr int kNewWaypoint = 32830;
inline constexpr int kAverageStart = 32871;
inline constexpr int kAverageStop = 32873;
inline constexpr int kAverageCancel = 32774;
inline constexpr int kEditWaypoint = 32793;
inline constexpr int kDeleteWaypoint = 32790;
inline constexpr int kShowWaypointOnMap = 32868;
inline constexpr int kWaypointManager = 32883;
inline constexpr int kExportWaypoints = 32807;
inline constexpr int kImportWaypoints = 32882;
inline constexpr int kExportGeocacheVisits = 32803;
inline constexpr int kOpenWaypointDatabase = 32832;
inline constexpr int kNewWaypointDatabase = 32787;
// 地图: the map's pop-up menu, the altitude profile's and the navigation window's
inline constexpr int kMarkWaypointHere = 32828;
inline constexpr int kDeleteThisWaypoint = 32789;
inline constexpr int kEditThisWaypoint = 32792;
inline constexpr int kCentreMapHere = 32775;
inline constexpr int kSetPositionHere = 32857;
inline constexpr int kGotoThisWaypoint = 32812;
inline constexpr int kNorthUp = 32824;
inline constexpr int kCourseUp = 32823;
inline constexpr int kZoomIn = 32896;
inline constexpr int kZoomOut = 32897;
inline constexpr int kPlanWaypoint = 32845;
inline constexpr int kShowGeocacheInfo = 32866;
inline constexpr int kGeocacheFound = 32809;
inline constexpr int kGeocacheNotFound = 32810;
inline constexpr int kClearAltitudeChart = 32781;
inline constexpr int kHideAltitudeWindow = 32815;
inline constexpr int kHideNavigationWindow = 32816;
inline constexpr int kChangePane = 32826;
inline constexpr int kResetTrip = 32848; // the panels' "重置旅行数据(&R)"
// The menu "路线" and the map's pop-up on a pressed course.
inline constexpr int kOpenCourse = 32950;
inline constexpr int kCourseManager = 32951;
inline constexpr int kFollowCourse = 32952;
inline constexpr int kFollowCourseReversed = 32953;
inline constexpr int kStopFollowing = 32954;
inline constexpr int kFollowThisCourse = 32955;
inline constexpr int kHideThisCourse = 32956;

// The commands that change the waypoint database, the file it is bound to
// or the goto target it holds: while an import fills a copy of it, which
// then takes its place, they are disabled.
constexpr bool ChangesWaypointDatabase(int id)
{
    switch (id) {
    case kMarkWaypoint:
    case kMarkWaypointHere:
    case kNewWaypoint:
    case kEditWaypoint:
    case kEditThisWaypoint:
    case kDeleteWaypoint:
    case kDeleteThisWaypoint:
    case kPlanWaypoint:
    case kWaypointManager:
    case kAverageStop:
    case kGotoWaypoint:
    case kGotoThisWaypoint:
    case kCancelGoto:
    case kGeocacheFound:
    case kGeocacheNotFound:
    case kExportGeocacheVisits:
    case kImportWaypoints:
    case kOpenWaypointDatabase:
    case kNewWaypointDatabase: return true;
    default: return false;
    }
}
} // namespace cmd

} // namespace hw
