#include "waypoints/WaypointTables.h"

#include "base/Translate.h"

namespace hw {

const char* const SymbolNames[kSymbolCount + 1] = {
    HW_TRANSLATE_NOOP("WaypointTables", "路点"),                  // 0
    HW_TRANSLATE_NOOP("WaypointTables", "家/住宅"),               // 1
    HW_TRANSLATE_NOOP("WaypointTables", "国家公园"),              // 2
    HW_TRANSLATE_NOOP("WaypointTables", "酒吧/酒馆"),             // 3
    HW_TRANSLATE_NOOP("WaypointTables", "机场"),                  // 4
    HW_TRANSLATE_NOOP("WaypointTables", "停车区"),                // 5
    HW_TRANSLATE_NOOP("WaypointTables", "野餐区"),                // 6
    HW_TRANSLATE_NOOP("WaypointTables", "森林"),                  // 7
    HW_TRANSLATE_NOOP("WaypointTables", "远足小道"),              // 8
    HW_TRANSLATE_NOOP("WaypointTables", "钓鱼区"),                // 9
    HW_TRANSLATE_NOOP("WaypointTables", "饮用水"),                // 10
    HW_TRANSLATE_NOOP("WaypointTables", "露营区"),                // 11
    HW_TRANSLATE_NOOP("WaypointTables", "危险区"),                // 12
    HW_TRANSLATE_NOOP("WaypointTables", "4驱车道"),               // 13
    HW_TRANSLATE_NOOP("WaypointTables", "加油站"),                // 14
    HW_TRANSLATE_NOOP("WaypointTables", "小汽车"),                // 15
    HW_TRANSLATE_NOOP("WaypointTables", "食物"),                  // 16
    HW_TRANSLATE_NOOP("WaypointTables", "码头"),                  // 17
    HW_TRANSLATE_NOOP("WaypointTables", "矿山"),                  // 18
    HW_TRANSLATE_NOOP("WaypointTables", "绿旗"),                  // 19
    HW_TRANSLATE_NOOP("WaypointTables", "红旗"),                  // 20
    HW_TRANSLATE_NOOP("WaypointTables", "高尔夫球场"),            // 21
    HW_TRANSLATE_NOOP("WaypointTables", "Scenic View"),           // 22
    HW_TRANSLATE_NOOP("WaypointTables", "Do Not"),                // 23
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache"),              // 24
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-已找到"),       // 25
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Attemted"),     // 26
    HW_TRANSLATE_NOOP("WaypointTables", "医疗中心"),              // 27
    HW_TRANSLATE_NOOP("WaypointTables", "自动服务"),              // 28
    HW_TRANSLATE_NOOP("WaypointTables", "电话服务"),              // 29
    HW_TRANSLATE_NOOP("WaypointTables", "山顶"),                  // 30
    HW_TRANSLATE_NOOP("WaypointTables", "休息室"),                // 31
    HW_TRANSLATE_NOOP("WaypointTables", "建筑物 - 大"),           // 32
    HW_TRANSLATE_NOOP("WaypointTables", "建筑物 - 小"),           // 33
    HW_TRANSLATE_NOOP("WaypointTables", "游乐园"),                // 34
    HW_TRANSLATE_NOOP("WaypointTables", "购物中心"),              // 35
    HW_TRANSLATE_NOOP("WaypointTables", "公园"),                  // 36
    HW_TRANSLATE_NOOP("WaypointTables", "理发店"),                // 37
    HW_TRANSLATE_NOOP("WaypointTables", "目标"),                  // 38
    HW_TRANSLATE_NOOP("WaypointTables", "坦克"),                  // 39
    HW_TRANSLATE_NOOP("WaypointTables", "Explosion"),             // 40
    HW_TRANSLATE_NOOP("WaypointTables", "标记 01"),               // 41
    HW_TRANSLATE_NOOP("WaypointTables", "标记 02"),               // 42
    HW_TRANSLATE_NOOP("WaypointTables", "标记 03"),               // 43
    HW_TRANSLATE_NOOP("WaypointTables", "标记 04"),               // 44
    HW_TRANSLATE_NOOP("WaypointTables", "标记 05"),               // 45
    HW_TRANSLATE_NOOP("WaypointTables", "标记 06"),               // 46
    HW_TRANSLATE_NOOP("WaypointTables", "标记 07"),               // 47
    HW_TRANSLATE_NOOP("WaypointTables", "标记 08"),               // 48
    HW_TRANSLATE_NOOP("WaypointTables", "标记 09"),               // 49
    HW_TRANSLATE_NOOP("WaypointTables", "标记 10"),               // 50
    HW_TRANSLATE_NOOP("WaypointTables", "湖泊"),                  // 51
    HW_TRANSLATE_NOOP("WaypointTables", "海洋"),                  // 52
    HW_TRANSLATE_NOOP("WaypointTables", "摄像 - 超速"),           // 53
    HW_TRANSLATE_NOOP("WaypointTables", "摄像 - 闯红灯"),         // 54
    HW_TRANSLATE_NOOP("WaypointTables", "摄像 - 路边"),           // 55
    HW_TRANSLATE_NOOP("WaypointTables", "桥梁"),                  // 56
    HW_TRANSLATE_NOOP("WaypointTables", "路障"),                  // 57
    HW_TRANSLATE_NOOP("WaypointTables", "博物馆"),                // 58
    HW_TRANSLATE_NOOP("WaypointTables", "天线"),                  // 59
    HW_TRANSLATE_NOOP("WaypointTables", "旅馆/汽车旅馆"),         // 60
    HW_TRANSLATE_NOOP("WaypointTables", "俱乐部"),                // 61
    HW_TRANSLATE_NOOP("WaypointTables", "拖车停车场"),            // 62
    HW_TRANSLATE_NOOP("WaypointTables", "办公室"),                // 63
    HW_TRANSLATE_NOOP("WaypointTables", "护林站"),                // 64
    HW_TRANSLATE_NOOP("WaypointTables", "滑雪"),                  // 65
    HW_TRANSLATE_NOOP("WaypointTables", "Dot"),                   // 66
    HW_TRANSLATE_NOOP("WaypointTables", "地震断层"),              // 67
    HW_TRANSLATE_NOOP("WaypointTables", "水域 溪流/小河"),        // 68
    HW_TRANSLATE_NOOP("WaypointTables", "海啸和水毁"),            // 69
    HW_TRANSLATE_NOOP("WaypointTables", "军队"),                  // 70
    HW_TRANSLATE_NOOP("WaypointTables", "Ghost Town"),            // 71
    HW_TRANSLATE_NOOP("WaypointTables", "观鸟"),                  // 72
    HW_TRANSLATE_NOOP("WaypointTables", "船匝道"),                // 73
    HW_TRANSLATE_NOOP("WaypointTables", "电线杆"),                // 74
    HW_TRANSLATE_NOOP("WaypointTables", "基站"),                  // 75
    HW_TRANSLATE_NOOP("WaypointTables", "无线电中继"),            // 76
    HW_TRANSLATE_NOOP("WaypointTables", "数据收集站"),            // 77
    HW_TRANSLATE_NOOP("WaypointTables", "HAM Radio Shack"),       // 78
    HW_TRANSLATE_NOOP("WaypointTables", "跳伞区"),                // 79
    HW_TRANSLATE_NOOP("WaypointTables", "无线热点"),              // 80
    HW_TRANSLATE_NOOP("WaypointTables", "休息站"),                // 81
    HW_TRANSLATE_NOOP("WaypointTables", "气象站"),                // 82
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-已发现已日志"), // 83
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-ToDo"),         // 84
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Archived"),     // 85
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-新的和未找到"), // 86
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Future Cache"), // 87
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-My Cache"),     // 88
    HW_TRANSLATE_NOOP("WaypointTables", "停机坪"),                // 89
    HW_TRANSLATE_NOOP("WaypointTables", "建筑物 - 政府"),         // 90
    HW_TRANSLATE_NOOP("WaypointTables", "灯柱"),                  // 91
    HW_TRANSLATE_NOOP("WaypointTables", "银行"),                  // 92
    HW_TRANSLATE_NOOP("WaypointTables", "岩石"),                  // 93
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-多个"),         // 94
    HW_TRANSLATE_NOOP("WaypointTables", "Radiator Water"),        // 95
    HW_TRANSLATE_NOOP("WaypointTables", "兴趣点"),                // 96
    HW_TRANSLATE_NOOP("WaypointTables", "方向 左转"),             // 97
    HW_TRANSLATE_NOOP("WaypointTables", "方向 右转"),             // 98
    HW_TRANSLATE_NOOP("WaypointTables", "方向 直行"),             // 99
    HW_TRANSLATE_NOOP("WaypointTables", "Benchmark"),             // 100
    HW_TRANSLATE_NOOP("WaypointTables", "攀岩"),                  // 101
    HW_TRANSLATE_NOOP("WaypointTables", "灯塔"),                  // 102
    HW_TRANSLATE_NOOP("WaypointTables", "动物园"),                // 103
    HW_TRANSLATE_NOOP("WaypointTables", "边境通道"),              // 104
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-首先寻找"),     // 105
    HW_TRANSLATE_NOOP("WaypointTables", "垃圾桶"),                // 106
    HW_TRANSLATE_NOOP("WaypointTables", "火车站"),                // 107
    HW_TRANSLATE_NOOP("WaypointTables", "巴士站"),                // 108
    HW_TRANSLATE_NOOP("WaypointTables", "墓地"),                  // 109
    HW_TRANSLATE_NOOP("WaypointTables", "体育场"),                // 110
    HW_TRANSLATE_NOOP("WaypointTables", "信息台"),                // 111
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Milestone"),    // 112
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-未知"),         // 113
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-虚拟"),         // 114
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Letterbox"),    // 115
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Earthcache"),   // 116
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Mystery"),      // 117
    HW_TRANSLATE_NOOP("WaypointTables", "防火了望塔"),            // 118
    HW_TRANSLATE_NOOP("WaypointTables", "警察局"),                // 119
    HW_TRANSLATE_NOOP("WaypointTables", "学校"),                  // 120
    HW_TRANSLATE_NOOP("WaypointTables", "Fire Damage"),           // 121
    HW_TRANSLATE_NOOP("WaypointTables", "完成"),                  // 122
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-Bonus"),        // 123
    HW_TRANSLATE_NOOP("WaypointTables", "缆车"),                  // 124
    HW_TRANSLATE_NOOP("WaypointTables", "宗教 - 教堂"),           // 125
    HW_TRANSLATE_NOOP("WaypointTables", "宗教 - 犹太圣殿"),       // 126
    HW_TRANSLATE_NOOP("WaypointTables", "宗教 - 清真寺"),         // 127
    HW_TRANSLATE_NOOP("WaypointTables", "宗教 - 寺庙"),           // 128
    HW_TRANSLATE_NOOP("WaypointTables", "规划路点"),              // 129
    HW_TRANSLATE_NOOP("WaypointTables", "海滩"),                  // 130
    HW_TRANSLATE_NOOP("WaypointTables", "话筒"),                  // 131
    HW_TRANSLATE_NOOP("WaypointTables", "喇叭"),                  // 132
    HW_TRANSLATE_NOOP("WaypointTables", "沉船"),                  // 133
    HW_TRANSLATE_NOOP("WaypointTables", "城堡"),                  // 134
    HW_TRANSLATE_NOOP("WaypointTables", "塔"),                    // 135
    HW_TRANSLATE_NOOP("WaypointTables", "弯路"),                  // 136
    HW_TRANSLATE_NOOP("WaypointTables", "遗址"),                  // 137
    HW_TRANSLATE_NOOP("WaypointTables", "红绿灯"),                // 138
    HW_TRANSLATE_NOOP("WaypointTables", "城市 - 小"),             // 139
    HW_TRANSLATE_NOOP("WaypointTables", "城市 - 中"),             // 140
    HW_TRANSLATE_NOOP("WaypointTables", "城市 - 大"),             // 141
    HW_TRANSLATE_NOOP("WaypointTables", "马厩"),                  // 142
    HW_TRANSLATE_NOOP("WaypointTables", "渡轮"),                  // 143
    HW_TRANSLATE_NOOP("WaypointTables", "健身房"),                // 144
    HW_TRANSLATE_NOOP("WaypointTables", "地铁"),                  // 145
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache-需要维护"),     // 146
    HW_TRANSLATE_NOOP("WaypointTables", "摄制地点"),              // 147
    HW_TRANSLATE_NOOP("WaypointTables", "Hydrogen Fuel"),         // 148
    HW_TRANSLATE_NOOP("WaypointTables", "Electrical Fueling"),    // 149
    HW_TRANSLATE_NOOP("WaypointTables", "自行车路线"),            // 150
    nullptr,
};

const char* const GeocacheStateNames[kGeocacheStateCount] = {
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 未找到"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Found"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Attempted"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache To Do"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 存档"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 已找到已日志"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 新的和未找到"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache My Cache (Mine)"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 多个"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 首先寻找"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Milestone"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 未知"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 虚拟"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Letterbox"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Earthcache"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Mystery"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache Bonus"),
    HW_TRANSLATE_NOOP("WaypointTables", "Geocache 需要维护"),
};

const char* const ActiveWaypointMessageTypeNames[kActiveWaypointMessageTypeCount] = {
    HW_TRANSLATE_NOOP("WaypointTables", "罗盘和方向"),
    HW_TRANSLATE_NOOP("WaypointTables", "模拟 速度表"),
    HW_TRANSLATE_NOOP("WaypointTables", "数字 速度表"),
    HW_TRANSLATE_NOOP("WaypointTables", "罗盘和方向预警"),
    HW_TRANSLATE_NOOP("WaypointTables", "模拟 速度表-预警"),
    HW_TRANSLATE_NOOP("WaypointTables", "数字 速度表-预警"),
};

const char* SymbolName(int icon)
{
    return SymbolNames[icon >= 0 && icon < kSymbolCount ? icon : 0];
}

const char* GeocacheStateName(int state)
{
    return GeocacheStateNames[state >= 0 && state < kGeocacheStateCount ? state : 0];
}

std::string ShownTableName(const char* name)
{
    return Translate("WaypointTables", name);
}

} // namespace hw
