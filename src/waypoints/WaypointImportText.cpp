#include "waypoints/WaypointImportText.h"

#include "base/LocalTime.h"
#include "units/NumberText.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace hw {
namespace {

struct SymbolRule {
    std::string_view text;
    int icon;
};

constexpr SymbolRule kSymbols[] = {
    {"Dot", 66},
    {"Geocache", 24},
    {"Geocache Found", 25},
    {"Light", 102},
    {"Stages of a Multicache", 66},
    {"路点", 0},
    {"机场", 4},
    {"海滩", 130},
    {"船匝道", 73},
    {"建筑物", 32},
    {"酒吧", 3},
    {"桥梁", 56},
    {"营地", 11},
    {"小汽车", 15},
    {"墓地", 109},
    {"教堂", 125},
    {"危险区", 12},
    {"最终位置", 122},
    {"钓鱼区", 9},
    {"加油站", 14},
    {"高尔夫球场", 21},
    {"旅馆", 60},
    {"房屋", 1},
    {"住所", 1},
    {"信息台", 111},
    {"问讯处", 66},
    {"吉普车道", 13},
    {"灯塔", 102},
    {"码头", 17},
    {"水上飞机基地", 17},
    {"矿山", 18},
    {"医疗设施", 27},
    {"博物馆", 58},
    {"跳伞区", 79},
    {"公园", 36},
    {"停车区", 5},
    {"野餐区", 6},
    {"办公室", 63},
    {"餐厅", 16},
    {"休息室", 31},
    {"房车公园", 62},
    {"风景区", 22},
    {"传感器", 77},
    {"购物中心", 35},
    {"滑雪区", 65},
    {"体育场", 110},
    {"山顶", 30},
    {"游泳区", 0},
    {"高塔", 76},
    {"电话", 29},
    {"路径头", 8},
    {"饮用水", 10},
    {"城市 (小)", 66},
};

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Reads digits at text[i]; false when there are none.
bool ReadNumber(std::string_view text, size_t& i, int& value)
{
    size_t start = i;
    int64_t v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (v < 100000000)
            v = v * 10 + (text[i] - '0');
        ++i;
    }
    value = static_cast<int>(v);
    return i > start;
}

} // namespace

int SymbolFromGpx(std::string_view sym)
{
    for (const SymbolRule& rule : kSymbols)
        if (rule.text == sym)
            return rule.icon;
    return 0;
}

void ApplyGpxType(std::string_view type, Waypoint& w)
{
    if (!Contains(type, "Geocache")) {
        w.nType = kWaypointPlain;
        w.bUseGeocacheStateForIconID = 0;
        return;
    }
    w.nType = kWaypointGeocache;
    w.bUseGeocacheStateForIconID = 1;
    if (w.icon == 25) {
        w.nGeocacheState = 5;
        return;
    }
    constexpr std::pair<std::string_view, int> kKinds[] = {
        {"Multi-cache", 8}, {"Virtual", 12}, {"Unknown", 11},
        {"Earthcache", 14}, {"Mystery", 15}, {"Letterbox", 13},
    };
    w.nGeocacheState = 0;
    for (const auto& [text, state] : kKinds) {
        if (Contains(type, text)) {
            w.nGeocacheState = state;
            break;
        }
    }
}

uint8_t LogTypeFromText(std::string_view type)
{
    constexpr std::pair<std::string_view, uint8_t> kTypes[] = {
        {"Found it", kLogFoundIt},  {"Write note", kLogWriteNote}, {"Will Attend", kLogWillAttend},
        {"Attended", kLogAttended}, {"Disable", kLogDisabled},
    };
    for (const auto& [text, value] : kTypes)
        if (Contains(type, text))
            return value;
    return kLogOther;
}

int32_t ParseTimeText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    auto next = [&](char separator, int& value) {
        if (i < text.size() && text[i] == separator) {
            ++i;
            ReadNumber(text, i, value);
            return true;
        }
        return false;
    };
    ReadNumber(text, i, year);
    if (next('-', month) && next('-', day) && next('T', hour) && next(':', minute))
        next(':', second);
    // A fraction of a second is dropped by the truncation; the zone is read
    // past and has no effect.
    year = std::max(year, 1972);
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    const int64_t t = SecondsOfLocalCalendar(tm);
    if (t == -1)
        return 0;
    if (t > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(t);
}

uint8_t RatingTenths(std::string_view text)
{
    double tenths = ParseRealPrefix(text) * 10;
    if (!(tenths > 0))
        return 0;
    return static_cast<uint8_t>(std::min(tenths, 255.0));
}

} // namespace hw
