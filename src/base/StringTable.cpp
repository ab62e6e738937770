#include "base/StringTable.h"

#include "base/Translate.h"

#include <algorithm>
#include <iterator>

namespace hw {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id. The Chinese texts are translated when loaded.
constexpr Entry kStrings[] = {
    {189, HW_TRANSLATE_NOOP("StringTable", "海拔")},
    {203, HW_TRANSLATE_NOOP(
              "StringTable",
              "警告:\r\r\n驾车时请勿使用 Hikewise . Hikewise 不是设计用于导航目的.\r\r\n\r\r\n"
              "在驾驶车辆或行走时分散注意力会导致事故而造成财产或个人的伤害.\r\r\n\r\r\n"
              "汉化者提醒您:不正确的设置参数将损坏你的GPS接收机,请慎用调整GPS接收机参数.")},
    {221, "HDOP"},
    {223, HW_TRANSLATE_NOOP("StringTable", "纬度")},
    {226, HW_TRANSLATE_NOOP("StringTable", "经度")},
    {232, HW_TRANSLATE_NOOP("StringTable", "最近路点")},
    {237, "PDOP"},
    {239, HW_TRANSLATE_NOOP("StringTable", "正在运行...")},
    {240, HW_TRANSLATE_NOOP("StringTable", "正在保存应用程序数据...")},
    {243, HW_TRANSLATE_NOOP("StringTable", "可见卫星")},
    {244, HW_TRANSLATE_NOOP("StringTable", "已跟踪卫星")},
    {250, "VDOP"},
    {510, "ft"},
    {511, "km"},
    {512, "Km/h"},
    {513, "KT"},
    {514, "m"},
    {515, "MPH"},
    {516, "nmi"},
    {519, "mi"},
    {520, "X100 ft per min"},
    {521, "ft/s"},
    {523, "m/s"},
    {900, HW_TRANSLATE_NOOP("StringTable", "海拔")},
    {901, HW_TRANSLATE_NOOP("StringTable", "平均坡度")},
    {902, HW_TRANSLATE_NOOP("StringTable", "电池状态")},
    {903, HW_TRANSLATE_NOOP("StringTable", "方位")},
    {904, HW_TRANSLATE_NOOP("StringTable", "方位符号")},
    {905, HW_TRANSLATE_NOOP("StringTable", "航向")},
    {906, HW_TRANSLATE_NOOP("StringTable", "航向符号")},
    {907, HW_TRANSLATE_NOOP("StringTable", "交叉轨迹错误")},
    {908, HW_TRANSLATE_NOOP("StringTable", "轨迹错误")},
    {909, HW_TRANSLATE_NOOP("StringTable", "到路点距离")},
    {910, HW_TRANSLATE_NOOP("StringTable", "到路点距离")},
    {911, HW_TRANSLATE_NOOP("StringTable", "坡度")},
    {912, HW_TRANSLATE_NOOP("StringTable", "最大坡度")},
    {913, HW_TRANSLATE_NOOP("StringTable", "最小坡度")},
    {914, HW_TRANSLATE_NOOP("StringTable", "空白")},
    {915, HW_TRANSLATE_NOOP("StringTable", "速度")},
    {916, HW_TRANSLATE_NOOP("StringTable", "时间 (12小时)")},
    {917, HW_TRANSLATE_NOOP("StringTable", "时间 (24小时)")},
    {918, HW_TRANSLATE_NOOP("StringTable", "时间 (UTC)")},
    {919, HW_TRANSLATE_NOOP("StringTable", "高度差")},
    {920, HW_TRANSLATE_NOOP("StringTable", "平均速度")},
    {921, HW_TRANSLATE_NOOP("StringTable", "平均速度")},
    {922, HW_TRANSLATE_NOOP("StringTable", "平均坡度上升")},
    {923, HW_TRANSLATE_NOOP("StringTable", "平均坡度下降")},
    {924, HW_TRANSLATE_NOOP("StringTable", "里程表")},
    {925, HW_TRANSLATE_NOOP("StringTable", "ETA (12小时)")},
    {926, "ETA"},
    {927, "ETE"},
    {928, HW_TRANSLATE_NOOP("StringTable", "最大高度")},
    {929, HW_TRANSLATE_NOOP("StringTable", "最大速度")},
    {930, HW_TRANSLATE_NOOP("StringTable", "最小高度")},
    {931, HW_TRANSLATE_NOOP("StringTable", "总计上升高度")},
    {932, HW_TRANSLATE_NOOP("StringTable", "总计下降高度")},
    {933, HW_TRANSLATE_NOOP("StringTable", "旅行持续时间")},
    {934, HW_TRANSLATE_NOOP("StringTable", "天")},
    {940, HW_TRANSLATE_NOOP("StringTable", "路线剩余距离")},
    {941, HW_TRANSLATE_NOOP("StringTable", "路线剩余时间")},
    {942, HW_TRANSLATE_NOOP("StringTable", "路线终点ETA")},
    {943, HW_TRANSLATE_NOOP("StringTable", "偏离路线")},
    {944, HW_TRANSLATE_NOOP("StringTable", "路线剩余爬升")},
    {4500, HW_TRANSLATE_NOOP("StringTable", "显示 Geocache 信息...")},
    {4501, HW_TRANSLATE_NOOP("StringTable", "错误\n无法显示 Geocache 信息")},
    {4503, HW_TRANSLATE_NOOP("StringTable", "导出 geocache_visits.txt...")},
    {4504, HW_TRANSLATE_NOOP("StringTable", "无法创建导出文件.操作取消.")},
    {4505,
     HW_TRANSLATE_NOOP("StringTable", "是否标记所有 \"已发现\"的 caches 为 \"已发现和已记录\"?")},
    {4506, HW_TRANSLATE_NOOP("StringTable", "Cache状态设置为\"已找到\".是否上传此记录?")},
    {4507, "TXT File (*.txt)|*.txt|All Files (*.*)|*.*||"},
    // Command prompts, by command id: the status bar's text, then the tip.
    {32789, HW_TRANSLATE_NOOP("StringTable", "删除当前选择的路点\n删除此路点")},
    {32792, HW_TRANSLATE_NOOP("StringTable", "编辑当前通过光标选择的路点\n编辑此路点")},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(IsSorted(), "string table must be sorted by id without repeats");

} // namespace

const char* LoadString(int id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const Entry& e, int key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return "";
    return TranslateStable("StringTable", it->text);
}

CommandPrompt LoadCommandPrompt(int command)
{
    const std::string text = LoadString(command);
    const size_t end = text.find('\n');
    if (end == std::string::npos)
        return {text, {}};
    return {text.substr(0, end), text.substr(end + 1)};
}

} // namespace hw
