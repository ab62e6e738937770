#include "waypoints/WaypointTables.h"

namespace hw {

const char* const SymbolNames[kSymbolCount + 1] = {
    "路点",                  // 0
    "家/住宅",               // 1
    "国家公园",              // 2
    "酒吧/酒馆",             // 3
    "机场",                  // 4
    "停车区",                // 5
    "野餐区",                // 6
    "森林",                  // 7
    "远足小道",              // 8
    "钓鱼区",                // 9
    "饮用水",                // 10
    "露营区",                // 11
    "危险区",                // 12
    "4驱车道",               // 13
    "加油站",                // 14
    "小汽车",                // 15
    "食物",                  // 16
    "码头",                  // 17
    "矿山",                  // 18
    "绿旗",                  // 19
    "红旗",                  // 20
    "高尔夫球场",            // 21
    "Scenic View",           // 22
    "Do Not",                // 23
    "Geocache",              // 24
    "Geocache-已找到",       // 25
    "Geocache-Attemted",     // 26
    "医疗中心",              // 27
    "自动服务",              // 28
    "电话服务",              // 29
    "山顶",                  // 30
    "休息室",                // 31
    "建筑物 - 大",           // 32
    "建筑物 - 小",           // 33
    "游乐园",                // 34
    "购物中心",              // 35
    "公园",                  // 36
    "理发店",                // 37
    "目标",                  // 38
    "坦克",                  // 39
    "Explosion",             // 40
    "标记 01",               // 41
    "标记 02",               // 42
    "标记 03",               // 43
    "标记 04",               // 44
    "标记 05",               // 45
    "标记 06",               // 46
    "标记 07",               // 47
    "标记 08",               // 48
    "标记 09",               // 49
    "标记 10",               // 50
    "湖泊",                  // 51
    "海洋",                  // 52
    "摄像 - 超速",           // 53
    "摄像 - 闯红灯",         // 54
    "摄像 - 路边",           // 55
    "桥梁",                  // 56
    "路障",                  // 57
    "博物馆",                // 58
    "天线",                  // 59
    "旅馆/汽车旅馆",         // 60
    "俱乐部",                // 61
    "拖车停车场",            // 62
    "办公室",                // 63
    "护林站",                // 64
    "滑雪",                  // 65
    "Dot",                   // 66
    "地震断层",              // 67
    "水域 溪流/小河",        // 68
    "海啸和水毁",            // 69
    "军队",                  // 70
    "Ghost Town",            // 71
    "观鸟",                  // 72
    "船匝道",                // 73
    "电线杆",                // 74
    "基站",                  // 75
    "无线电中继",            // 76
    "数据收集站",            // 77
    "HAM Radio Shack",       // 78
    "跳伞区",                // 79
    "无线热点",              // 80
    "休息站",                // 81
    "气象站",                // 82
    "Geocache-已发现已日志", // 83
    "Geocache-ToDo",         // 84
    "Geocache-Archived",     // 85
    "Geocache-新的和未找到", // 86
    "Geocache-Future Cache", // 87
    "Geocache-My Cache",     // 88
    "停机坪",                // 89
    "建筑物 - 政府",         // 90
    "灯柱",                  // 91
    "银行",                  // 92
    "岩石",                  // 93
    "Geocache-多个",         // 94
    "Radiator Water",        // 95
    "兴趣点",                // 96
    "方向 左转",             // 97
    "方向 右转",             // 98
    "方向 直行",             // 99
    "Benchmark",             // 100
    "攀岩",                  // 101
    "灯塔",                  // 102
    "动物园",                // 103
    "边境通道",              // 104
    "Geocache-首先寻找",     // 105
    "垃圾桶",                // 106
    "火车站",                // 107
    "巴士站",                // 108
    "墓地",                  // 109
    "体育场",                // 110
    "信息台",                // 111
    "Geocache-Milestone",    // 112
    "Geocache-未知",         // 113
    "Geocache-虚拟",         // 114
    "Geocache-Letterbox",    // 115
    "Geocache-Earthcache",   // 116
    "Geocache-Mystery",      // 117
    "防火了望塔",            // 118
    "警察局",                // 119
    "学校",                  // 120
    "Fire Damage",           // 121
    "完成",                  // 122
    "Geocache-Bonus",        // 123
    "缆车",                  // 124
    "宗教 - 教堂",           // 125
    "宗教 - 犹太圣殿",       // 126
    "宗教 - 清真寺",         // 127
    "宗教 - 寺庙",           // 128
    "规划路点",              // 129
    "海滩",                  // 130
    "话筒",                  // 131
    "喇叭",                  // 132
    "沉船",                  // 133
    "城堡",                  // 134
    "塔",                    // 135
    "弯路",                  // 136
    "遗址",                  // 137
    "红绿灯",                // 138
    "城市 - 小",             // 139
    "城市 - 中",             // 140
    "城市 - 大",             // 141
    "马厩",                  // 142
    "渡轮",                  // 143
    "健身房",                // 144
    "地铁",                  // 145
    "Geocache-需要维护",     // 146
    "摄制地点",              // 147
    "Hydrogen Fuel",         // 148
    "Electrical Fueling",    // 149
    "自行车路线",            // 150
    nullptr,
};

const char* const GeocacheStateNames[kGeocacheStateCount] = {
    "Geocache 未找到", "Geocache Found",        "Geocache Attempted",    "Geocache To Do",
    "Geocache 存档",   "Geocache 已找到已日志", "Geocache 新的和未找到", "Geocache My Cache (Mine)",
    "Geocache 多个",   "Geocache 首先寻找",     "Geocache Milestone",    "Geocache 未知",
    "Geocache 虚拟",   "Geocache Letterbox",    "Geocache Earthcache",   "Geocache Mystery",
    "Geocache Bonus",  "Geocache 需要维护",
};

const char* const ActiveWaypointMessageTypeNames[kActiveWaypointMessageTypeCount] = {
    "罗盘和方向",     "模拟 速度表",      "数字 速度表",
    "罗盘和方向预警", "模拟 速度表-预警", "数字 速度表-预警",
};

const char* SymbolName(int icon)
{
    return SymbolNames[icon >= 0 && icon < kSymbolCount ? icon : 0];
}

const char* GeocacheStateName(int state)
{
    return GeocacheStateNames[state >= 0 && state < kGeocacheStateCount ? state : 0];
}

} // namespace hw
