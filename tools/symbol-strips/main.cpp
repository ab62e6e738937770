// Renders the 151 waypoint symbols into five strips of 32 cells, at 15 and
// 30 pixels: a coloured badge with a white glyph from the maki or temaki
// icon set, on magenta (the transparent colour). The badge edge is drawn
// without antialiasing so that no half-magenta pixels fringe the symbol.
// The map's own point symbols (peaks, passes, huts, water, viewpoints) go
// into one more strip of 21-pixel cells: the coloured glyph alone in a white
// rim, so that they are not taken for waypoints, and large enough to read
// beside the map's names.
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <array>
#include <cstdio>

namespace {

// Where a glyph comes from: an icon of maki ('m') or temaki ('t'), a text
// ('x') or a drawn mark ('d': "check", "cross").
struct Symbol {
    char set;
    const char* name;
    unsigned colour;
    int rotation = 0;
};

constexpr unsigned kWaypoint = 0x0d47a1, kNature = 0x2e7d32, kWater = 0x1565c0,
                   kTransport = 0x455a64, kService = 0xe65100, kDanger = 0xc62828,
                   kBuilding = 0x6a1b9a, kMarker = 0x00838f, kCache = 0x388e3c, kRadio = 0x5d4037;

const std::array<Symbol, 151> kSymbols = {{
    {'m', "marker", kWaypoint},               // 0 waypoint
    {'m', "home", kBuilding},                 // 1 home
    {'m', "park", kNature},                   // 2 national park
    {'m', "bar", kService},                   // 3 bar
    {'m', "airport", kTransport},             // 4 airport
    {'m', "parking", kWater},                 // 5 parking
    {'m', "picnic-site", kNature},            // 6 picnic area
    {'t', "tree_needleleaved", kNature},      // 7 forest
    {'t', "pedestrian", kNature},             // 8 hiking trail
    {'t', "fishing_pier", kWater},            // 9 fishing
    {'m', "drinking-water", kWater},          // 10 drinking water
    {'m', "campsite", kNature},               // 11 campsite
    {'m', "danger", kDanger},                 // 12 danger
    {'t', "truck", kTransport},               // 13 4x4 road
    {'m', "fuel", kService},                  // 14 fuel
    {'m', "car", kTransport},                 // 15 car
    {'m', "restaurant", kService},            // 16 food
    {'m', "harbor", kWater},                  // 17 marina
    {'t', "mineshaft_cage", kRadio},          // 18 mine
    {'t', "rail_flag", 0x2e7d32},             // 19 green flag
    {'t', "rail_flag", 0xc62828},             // 20 red flag
    {'m', "golf", kNature},                   // 21 golf
    {'m', "viewpoint", kNature},              // 22 scenic view
    {'m', "roadblock", kDanger},              // 23 do not
    {'m', "gift", kCache},                    // 24 geocache
    {'d', "check", kCache},                   // 25 geocache found
    {'d', "cross", 0xef6c00},                 // 26 geocache attempted
    {'m', "hospital", kDanger},               // 27 medical
    {'m', "car-repair", kService},            // 28 car service
    {'m', "telephone", kService},             // 29 telephone
    {'m', "mountain", 0x6d4c41},              // 30 summit
    {'m', "toilet", kService},                // 31 restroom
    {'m', "building", kBuilding},             // 32 building, large
    {'m', "building-alt1", kBuilding},        // 33 building, small
    {'m', "amusement-park", kService},        // 34 amusement park
    {'m', "shop", kService},                  // 35 shopping
    {'m', "park-alt1", kNature},              // 36 park
    {'m', "hairdresser", kService},           // 37 barber
    {'t', "archery", kDanger},                // 38 target
    {'t', "military", 0x558b2f},              // 39 tank
    {'t', "rocket_firework", kDanger},        // 40 explosion
    {'x', "1", kMarker},                      // 41 marker 01
    {'x', "2", kMarker},                      // 42
    {'x', "3", kMarker},                      // 43
    {'x', "4", kMarker},                      // 44
    {'x', "5", kMarker},                      // 45
    {'x', "6", kMarker},                      // 46
    {'x', "7", kMarker},                      // 47
    {'x', "8", kMarker},                      // 48
    {'x', "9", kMarker},                      // 49
    {'x', "10", kMarker},                     // 50 marker 10
    {'m', "water", kWater},                   // 51 lake
    {'t', "buoy", 0x0d47a1},                  // 52 ocean
    {'t', "security_camera", kDanger},        // 53 speed camera
    {'t', "traffic_signals", kDanger},        // 54 red light camera
    {'m', "attraction", kDanger},             // 55 roadside camera
    {'m', "bridge", kTransport},              // 56 bridge
    {'m', "barrier", kDanger},                // 57 roadblock
    {'m', "museum", kBuilding},               // 58 museum
    {'t', "antenna", kRadio},                 // 59 antenna
    {'m', "lodging", kBuilding},              // 60 hotel
    {'m', "nightclub", kService},             // 61 club
    {'t', "camper_trailer", kNature},         // 62 trailer park
    {'t', "briefcase", kBuilding},            // 63 office
    {'m', "ranger-station", kNature},         // 64 ranger station
    {'m', "skiing", kWater},                  // 65 skiing
    {'m', "circle", kWaypoint},               // 66 dot
    {'t', "cliff_falling_rocks", kDanger},    // 67 earthquake fault
    {'m', "waterfall", kWater},               // 68 stream
    {'m', "caution", kDanger},                // 69 tsunami and flood
    {'t', "military", 0x33691e},              // 70 military
    {'m', "historic", 0x6d4c41},              // 71 ghost town
    {'t', "binoculars", kNature},             // 72 bird watching
    {'t', "boat_ramp", kWater},               // 73 boat ramp
    {'t', "power_pole", kRadio},              // 74 power pole
    {'m', "communications-tower", kRadio},    // 75 cell tower
    {'t', "mast_communication", kRadio},      // 76 radio relay
    {'t', "cable_meter", kRadio},             // 77 data collection station
    {'t', "radio", kRadio},                   // 78 ham radio shack
    {'t', "hang_gliding", kWater},            // 79 skydiving
    {'t', "electronic", kRadio},              // 80 wireless hot spot
    {'m', "highway-rest-area", kTransport},   // 81 rest area
    {'t', "windsock", kWater},                // 82 weather station
    {'d', "check", 0x00695c},                 // 83 geocache found and logged
    {'t', "pin", 0x1565c0},                   // 84 geocache to do
    {'m', "gift", 0x9e9e9e},                  // 85 geocache archived
    {'m', "star", 0x43a047},                  // 86 geocache new, not found
    {'t', "clock", 0x7b1fa2},                 // 87 geocache future
    {'m', "home", kCache},                    // 88 geocache my cache
    {'m', "heliport", kTransport},            // 89 helipad
    {'m', "town-hall", kBuilding},            // 90 government building
    {'t', "street_lamp_arm", kTransport},     // 91 lamp post
    {'m', "bank", kService},                  // 92 bank
    {'t', "boulder1", 0x6d4c41},              // 93 rock
    {'x', "M", kCache},                       // 94 geocache multi
    {'t', "water_tap", kWater},               // 95 radiator water
    {'m', "star", kMarker},                   // 96 point of interest
    {'m', "arrow", kTransport, -90},          // 97 turn left
    {'m', "arrow", kTransport, 90},           // 98 turn right
    {'m', "arrow", kTransport, 0},            // 99 straight on
    {'t', "benchmark_disk", 0x6d4c41},        // 100 benchmark
    {'t', "climbing", 0x6d4c41},              // 101 climbing
    {'m', "lighthouse", kWater},              // 102 lighthouse
    {'m', "zoo", kNature},                    // 103 zoo
    {'t', "passport_checkpoint", kTransport}, // 104 border crossing
    {'x', "1", kCache},                       // 105 geocache first to find
    {'m', "waste-basket", kService},          // 106 trash can
    {'m', "rail", kTransport},                // 107 train station
    {'m', "bus", kTransport},                 // 108 bus stop
    {'m', "cemetery", 0x616161},              // 109 cemetery
    {'m', "stadium", kService},               // 110 stadium
    {'m', "information", kWater},             // 111 information
    {'t', "milestone", kCache},               // 112 geocache milestone
    {'x', "?", 0x546e7a},                     // 113 geocache unknown
    {'m', "square-stroked", kCache},          // 114 geocache virtual
    {'t', "letter_box", kCache},              // 115 geocache letterbox
    {'m', "globe", 0x8d6e63},                 // 116 geocache earthcache
    {'x', "?", 0x283593},                     // 117 geocache mystery
    {'m', "observation-tower", kDanger},      // 118 fire lookout tower
    {'m', "police", kWater},                  // 119 police station
    {'m', "school", kService},                // 120 school
    {'m', "fire-station", kDanger},           // 121 fire damage
    {'d', "check", kMarker},                  // 122 done
    {'t', "asterisk", kCache},                // 123 geocache bonus
    {'m', "aerialway", kTransport},           // 124 cable car
    {'m', "religious-christian", kBuilding},  // 125 church
    {'m', "religious-jewish", kBuilding},     // 126 synagogue
    {'m', "religious-muslim", kBuilding},     // 127 mosque
    {'m', "religious-buddhist", kBuilding},   // 128 temple
    {'m', "marker-stroked", kWaypoint},       // 129 planned waypoint
    {'m', "beach", 0xf9a825},                 // 130 beach
    {'m', "karaoke", kService},               // 131 microphone
    {'t', "speaker", kService},               // 132 loudspeaker
    {'t', "boat", 0x37474f},                  // 133 shipwreck
    {'m', "castle", kBuilding},               // 134 castle
    {'t', "tower", kBuilding},                // 135 tower
    {'t', "chicane_arrow", kDanger},          // 136 curve
    {'t', "ruins", 0x6d4c41},                 // 137 ruins
    {'t', "traffic_signals", kTransport},     // 138 traffic light
    {'m', "village", 0x424242},               // 139 city, small
    {'m', "town", 0x424242},                  // 140 city, medium
    {'m', "city", 0x424242},                  // 141 city, large
    {'m', "horse-riding", 0x6d4c41},          // 142 stable
    {'m', "ferry", kWater},                   // 143 ferry
    {'m', "fitness-centre", kService},        // 144 gym
    {'m', "rail-metro", kTransport},          // 145 subway
    {'t', "tools", 0xef6c00},                 // 146 geocache needs maintenance
    {'m', "cinema", kService},                // 147 filming location
    {'t', "propane_tank", kService},          // 148 hydrogen fuel
    {'m', "charging-station", kService},      // 149 electrical fuelling
    {'m', "bicycle", kNature},                // 150 bike route
}};

constexpr int kPerStrip = 32;

// The topographic map's point classes, in class order.
const std::array<Symbol, 6> kMapSymbols = {{
    {'m', "mountain", 0x6d3c14},       // 0 peak
    {'t', "saddle", 0x6d3c14},         // 1 pass
    {'x', "", 0},                      // 2 places: a name only
    {'t', "hut", 0xa1301c},            // 3 hut and shelter
    {'m', "drinking-water", 0x1456c8}, // 4 spring and drinking water
    {'m', "viewpoint", 0x6b5200},      // 5 viewpoint
}};

QString IconPath(const QString& modules, const Symbol& s)
{
    return s.set == 'm' ? modules + "/@mapbox/maki/icons/" + s.name + ".svg"
                        : modules + "/@rapideditor/temaki/icons/" + s.name + ".svg";
}

// The glyph in white on transparent, size x size.
QImage Glyph(const QString& modules, const Symbol& s, int size, bool& ok)
{
    QImage glyph(size, size, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    if (s.set == 'm' || s.set == 't') {
        QSvgRenderer svg(IconPath(modules, s));
        if (!svg.isValid()) {
            ok = false;
            return glyph;
        }
        p.translate(size / 2.0, size / 2.0);
        p.rotate(s.rotation);
        p.translate(-size / 2.0, -size / 2.0);
        svg.render(&p, QRectF(0, 0, size, size));
    } else if (s.set == 'x') {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(qstrlen(s.name) > 1 ? size * 7 / 10 : size * 9 / 10);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromUtf8(s.name));
    } else {
        QPen pen(Qt::black, size / 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        QPainterPath path;
        if (qstrcmp(s.name, "check") == 0) {
            path.moveTo(size * 0.15, size * 0.55);
            path.lineTo(size * 0.40, size * 0.80);
            path.lineTo(size * 0.85, size * 0.22);
        } else {
            path.moveTo(size * 0.2, size * 0.2);
            path.lineTo(size * 0.8, size * 0.8);
            path.moveTo(size * 0.8, size * 0.2);
            path.lineTo(size * 0.2, size * 0.8);
        }
        p.drawPath(path);
    }
    // Whatever the source colours, the glyph is white.
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(glyph.rect(), Qt::white);
    return glyph;
}

bool RenderStrip(const QString& modules, int strip, int cell, const QString& file)
{
    QImage image(kPerStrip * cell, cell, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    bool ok = true;
    for (int i = 0; i < kPerStrip; ++i) {
        size_t index = static_cast<size_t>(strip * kPerStrip + i);
        if (index >= kSymbols.size())
            break;
        const Symbol& s = kSymbols[index];
        const QRect box(i * cell, 0, cell, cell);
        QColor colour((s.colour >> 16) & 0xFF, (s.colour >> 8) & 0xFF, s.colour & 0xFF);
        // The badge: aliased so that its edge is either badge or magenta.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(colour.darker(160));
        p.setBrush(colour);
        const int radius = cell / 5;
        p.drawRoundedRect(box.adjusted(0, 0, -1, -1), radius, radius);
        const int inset = cell >= 30 ? 4 : 2;
        bool glyphOk = true;
        QImage glyph = Glyph(modules, s, cell - 2 * inset, glyphOk);
        if (!glyphOk) {
            std::fprintf(stderr, "missing icon %s for symbol %zu\n", s.name, index);
            ok = false;
        }
        p.drawImage(box.topLeft() + QPoint(inset, inset), glyph);
    }
    p.end();
    if (!image.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    return ok;
}

// The map symbols: each glyph in its colour, a rim of white one pixel wide
// around it, magenta elsewhere; no pixel half magenta.
bool RenderMapStrip(const QString& modules, int cell, const QString& file)
{
    QImage image(kPerStrip * cell, cell, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    bool ok = true;
    for (std::size_t i = 0; i < kMapSymbols.size(); ++i) {
        const Symbol& s = kMapSymbols[i];
        if (s.set == 'x')
            continue;
        bool glyphOk = true;
        const int inset = 1;
        const QImage glyph = Glyph(modules, s, cell - 2 * inset, glyphOk);
        if (!glyphOk) {
            std::fprintf(stderr, "missing icon %s for map symbol %zu\n", s.name, i);
            ok = false;
        }
        auto solid = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < glyph.width() && y < glyph.height() &&
                   qAlpha(glyph.pixel(x, y)) >= 128;
        };
        const QRgb colour = qRgb((s.colour >> 16) & 0xFF, (s.colour >> 8) & 0xFF, s.colour & 0xFF);
        const int left = static_cast<int>(i) * cell;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const int gx = x - inset, gy = y - inset;
                if (solid(gx, gy)) {
                    image.setPixel(left + x, y, colour);
                    continue;
                }
                bool rim = false;
                for (int dy = -1; dy <= 1 && !rim; ++dy)
                    for (int dx = -1; dx <= 1 && !rim; ++dx)
                        rim = solid(gx + dx, gy + dy);
                if (rim)
                    image.setPixel(left + x, y, qRgb(255, 255, 255));
            }
    }
    if (!image.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: hikewise-symbols NODE_MODULES_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QString modules = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    // Each cell size with the file numbers of its five strips.
    struct StripSet {
        int cell;
        std::array<int, 5> files;
    };
    constexpr std::array<StripSet, 2> kSets = {{
        {15, {120, 122, 124, 126, 129}},
        {30, {121, 123, 125, 127, 130}},
    }};
    bool ok = true;
    for (const StripSet& set : kSets)
        for (int strip = 0; strip < 5; ++strip)
            ok &= RenderStrip(
                modules, strip, set.cell,
                out + QString("/symbols-%1.png").arg(set.files[static_cast<size_t>(strip)]));
    constexpr int kMapCell = 21; // the map's point symbols, as the map draws them
    ok &= RenderMapStrip(modules, kMapCell, out + QStringLiteral("/symbols-128.png"));
    return ok ? 0 : 1;
}
