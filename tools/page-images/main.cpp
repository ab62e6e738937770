// Draws the small pictures of the geocache pages (rating stars, cache-type
// badges, log icons) and writes them as GIF files:
//
//   page-images OUTDIR
//
// The drawings are made of simple shapes, anti-aliased against the white of
// the page by 4 x 4 supersampling. The output is committed beside the page
// templates in resources/templates/; a test draws them again and compares.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r = 255, g = 255, b = 255;
    bool operator<(const Rgb& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Rgb Hex(uint32_t v)
{
    return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

constexpr double kPi = 3.14159265358979323846;
using Shape = std::function<bool(double x, double y)>;

// An image painted with shapes; each shape covers a pixel by the share of its
// 16 sample points inside it.
class Canvas {
public:
    Canvas(int width, int height) : w_(width), h_(height), px_(static_cast<size_t>(width * height))
    {
    }

    void Fill(const Shape& inside, Rgb color)
    {
        constexpr int kSamples = 4;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                if (hits == 0)
                    continue;
                double a = hits / double(kSamples * kSamples);
                Rgb& p = px_[static_cast<size_t>(y * w_ + x)];
                auto mix = [a](uint8_t under, uint8_t over) {
                    return static_cast<uint8_t>(std::lround(under * (1 - a) + over * a));
                };
                p = {mix(p.r, color.r), mix(p.g, color.g), mix(p.b, color.b)};
            }
    }

    // The left columns only (half stars).
    Canvas Crop(int width) const
    {
        Canvas c(width, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < width; ++x)
                c.px_[static_cast<size_t>(y * width + x)] = px_[static_cast<size_t>(y * w_ + x)];
        return c;
    }

    int Width() const { return w_; }
    int Height() const { return h_; }
    const std::vector<Rgb>& Pixels() const { return px_; }

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// Shapes.
Shape Circle(double cx, double cy, double r)
{
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Rect(double x0, double y0, double x1, double y1)
{
    return [=](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

Shape RoundRect(double x0, double y0, double x1, double y1, double r)
{
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1)
            return false;
        double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)});
        double dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
        return dx * dx + dy * dy <= r * r;
    };
}

// A stroke of width w with round ends.
Shape Line(double x0, double y0, double x1, double y1, double w)
{
    return [=](double x, double y) {
        double vx = x1 - x0, vy = y1 - y0;
        double t = std::clamp(((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
        return dx * dx + dy * dy <= w * w / 4;
    };
}

// Part of a ring between two radii, from angle a0 to a1 (degrees, clockwise
// from the right, y down).
Shape Arc(double cx, double cy, double r, double w, double a0, double a1)
{
    return [=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        if (d < r - w / 2 || d > r + w / 2)
            return false;
        double a = std::atan2(y - cy, x - cx) * 180 / kPi;
        for (double k : {-360.0, 0.0, 360.0})
            if (a + k >= a0 && a + k <= a1)
                return true;
        return false;
    };
}

Shape Polygon(std::vector<std::array<double, 2>> pts)
{
    return [pts = std::move(pts)](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto& a = pts[i];
            const auto& b = pts[j];
            if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0])
                in = !in;
        }
        return in;
    };
}

Shape Star(double cx, double cy, double outer, double inner)
{
    std::vector<std::array<double, 2>> pts;
    for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? inner : outer;
        double a = -kPi / 2 + i * kPi / 5;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return Polygon(pts);
}

// ---- GIF output -----------------------------------------------------------

class BitWriter {
public:
    void Put(unsigned code, unsigned bits)
    {
        acc_ |= static_cast<uint32_t>(code) << used_;
        used_ += bits;
        while (used_ >= 8) {
            bytes.push_back(static_cast<uint8_t>(acc_));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    void Flush()
    {
        if (used_ > 0)
            bytes.push_back(static_cast<uint8_t>(acc_));
        acc_ = 0;
        used_ = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t acc_ = 0;
    unsigned used_ = 0;
};

// LZW-compressed indices, as GIF wants them.
std::vector<uint8_t> Lzw(const std::vector<uint8_t>& indices, unsigned minCodeSize)
{
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    BitWriter out;
    std::map<std::pair<unsigned, uint8_t>, unsigned> table;
    unsigned codeSize = minCodeSize + 1;
    unsigned next = end + 1;
    out.Put(clear, codeSize);
    int current = -1;
    for (uint8_t k : indices) {
        if (current < 0) {
            current = k;
            continue;
        }
        auto found = table.find({static_cast<unsigned>(current), k});
        if (found != table.end()) {
            current = static_cast<int>(found->second);
            continue;
        }
        out.Put(static_cast<unsigned>(current), codeSize);
        table[{static_cast<unsigned>(current), k}] = next++;
        if (next - 1 >= (1u << codeSize) && codeSize < 12)
            ++codeSize;
        if (next == 4096) {
            out.Put(clear, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            next = end + 1;
        }
        current = k;
    }
    if (current >= 0)
        out.Put(static_cast<unsigned>(current), codeSize);
    out.Put(end, codeSize);
    out.Flush();
    return out.bytes;
}

bool WriteGif(const Canvas& c, const std::string& path)
{
    // The palette: every colour used (few, at these sizes), in a fixed order.
    std::map<Rgb, uint8_t> index;
    for (const Rgb& p : c.Pixels())
        index.emplace(p, 0);
    if (index.size() > 256) {
        std::fprintf(stderr, "page-images: %s has %zu colours\n", path.c_str(), index.size());
        return false;
    }
    std::vector<Rgb> palette;
    for (auto& [color, i] : index) {
        i = static_cast<uint8_t>(palette.size());
        palette.push_back(color);
    }
    unsigned bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    palette.resize(1u << bits);
    std::vector<uint8_t> indices;
    for (const Rgb& p : c.Pixels())
        indices.push_back(index[p]);

    std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
    auto u16 = [&f](int v) {
        f.push_back(static_cast<uint8_t>(v));
        f.push_back(static_cast<uint8_t>(v >> 8));
    };
    u16(c.Width());
    u16(c.Height());
    f.push_back(static_cast<uint8_t>(0x80 | ((bits - 1) << 4) | (bits - 1)));
    f.push_back(0); // background colour index
    f.push_back(0); // aspect
    for (const Rgb& p : palette)
        f.insert(f.end(), {p.r, p.g, p.b});
    f.push_back(0x2C);
    u16(0);
    u16(0);
    u16(c.Width());
    u16(c.Height());
    f.push_back(0);
    unsigned minCode = std::max(2u, bits);
    f.push_back(static_cast<uint8_t>(minCode));
    std::vector<uint8_t> data = Lzw(indices, minCode);
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        f.push_back(static_cast<uint8_t>(n));
        f.insert(f.end(), data.begin() + static_cast<long>(i),
                 data.begin() + static_cast<long>(i + n));
    }
    f.push_back(0);
    f.push_back(0x3B);

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
    return (std::fclose(out) == 0) && ok;
}

// ---- The pictures ---------------------------------------------------------

constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kInk = Hex(0x263238);

Canvas RatingStar(Rgb fill, Rgb edge)
{
    Canvas c(9, 9);
    c.Fill(Star(4.5, 4.9, 4.6, 1.95), edge);
    c.Fill(Star(4.5, 4.9, 3.5, 1.45), fill);
    return c;
}

// A rounded badge of the cache type's colour with a white sign on it.
Canvas Badge(Rgb color, const std::function<void(Canvas&, Rgb)>& sign)
{
    Canvas c(32, 32);
    c.Fill(RoundRect(1, 1, 31, 31, 6), color);
    sign(c, color);
    return c;
}

void AmmoCan(Canvas& c, Rgb under)
{
    c.Fill(RoundRect(7, 12, 25, 25, 1.5), kWhite);
    c.Fill(Rect(7, 15, 25, 16.2), under); // the lid's seam
    c.Fill(Line(13, 9.5, 19, 9.5, 2), kWhite);
    c.Fill(Line(13, 9.5, 13, 12, 2), kWhite);
    c.Fill(Line(19, 9.5, 19, 12, 2), kWhite);
    c.Fill(RoundRect(14, 18.5, 18, 21.5, 0.8), under); // the latch
}

void TwoBoxes(Canvas& c, Rgb under)
{
    c.Fill(RoundRect(5, 6, 17, 15, 1.2), kWhite);
    c.Fill(Rect(5, 8.5, 17, 9.5), under);
    c.Fill(Line(18, 14, 21, 17, 1.6), kWhite);
    c.Fill(RoundRect(15, 17, 27, 26, 1.2), kWhite);
    c.Fill(Rect(15, 19.5, 27, 20.5), under);
}

void QuestionMark(Canvas& c, Rgb)
{
    c.Fill(Arc(16, 12, 5, 3.4, -200, 70), kWhite);
    c.Fill(Line(17.6, 16.6, 16, 19.5, 3.4), kWhite);
    c.Fill(Circle(16, 24.5, 2.1), kWhite);
}

void HollowBox(Canvas& c, Rgb under)
{
    // A cache that is only a place: its box drawn in dashes.
    c.Fill(RoundRect(7, 9, 25, 24, 1.5), kWhite);
    c.Fill(RoundRect(9.2, 11.2, 22.8, 21.8, 0.5), under);
    for (double x : {12.0, 18.0})
        c.Fill(Rect(x, 8, x + 2, 25), under);
    for (double y : {15.0})
        c.Fill(Rect(6, y, 26, y + 2), under);
}

void Envelope(Canvas& c, Rgb under)
{
    c.Fill(RoundRect(6, 9, 26, 23, 1.2), kWhite);
    c.Fill(Line(7.2, 10.5, 16, 17, 1.4), under);
    c.Fill(Line(24.8, 10.5, 16, 17, 1.4), under);
}

void Calendar(Canvas& c, Rgb under)
{
    c.Fill(RoundRect(7, 9, 25, 25, 1.5), kWhite);
    c.Fill(Rect(7, 13, 25, 14.2), under);
    c.Fill(Line(11.5, 7, 11.5, 11, 2), kWhite);
    c.Fill(Line(20.5, 7, 20.5, 11, 2), kWhite);
    for (double y : {16.5, 20.5})
        for (double x : {10.5, 14.5, 18.5})
            c.Fill(Rect(x, y, x + 2.2, y + 2.2), under);
}

void Globe(Canvas& c, Rgb)
{
    c.Fill(Circle(16, 16, 10.5), kWhite);
    c.Fill(Circle(16, 16, 9), Hex(0x4FB3E8)); // the sea
    Rgb land = Hex(0x4E9A2E);
    c.Fill(Polygon({{9, 10}, {14.5, 7.5}, {17, 11}, {14, 14}, {15, 18.5}, {11, 20}, {7.5, 14}}),
           land);
    c.Fill(Polygon({{19, 15}, {24.5, 13.5}, {24.5, 19}, {21, 24}, {18, 20}}), land);
    c.Fill(Polygon({{18.5, 7.5}, {22, 8.5}, {20, 10.5}}), land);
}

void Camera(Canvas& c, Rgb under)
{
    c.Fill(RoundRect(5, 11, 27, 25, 2.5), kWhite);
    c.Fill(RoundRect(11, 8, 19, 12, 1), kWhite);
    c.Fill(Circle(16, 18, 4.8), under);
    c.Fill(Circle(16, 18, 2.6), kWhite);
    c.Fill(Circle(23.3, 14, 1), under);
}

void Pin(Canvas& c, Rgb under)
{
    // A place marker with a question of where: the map pin.
    c.Fill(Circle(16, 13, 7.5), kWhite);
    c.Fill(Polygon({{9.6, 16.5}, {22.4, 16.5}, {16, 27}}), kWhite);
    c.Fill(Circle(16, 13, 3), under);
}

// Log icons, 16 x 16.
Canvas Face(Rgb fill, bool smile)
{
    Canvas c(16, 16);
    c.Fill(Circle(8, 8, 7.4), Hex(0x8D6E00));
    c.Fill(Circle(8, 8, 6.5), fill);
    c.Fill(Circle(5.7, 6.2, 1.05), kInk);
    c.Fill(Circle(10.3, 6.2, 1.05), kInk);
    if (smile)
        c.Fill(Arc(8, 8.2, 3.7, 1.3, 25, 155), kInk);
    else
        c.Fill(Arc(8, 13.6, 3.4, 1.3, -150, -30), kInk);
    return c;
}

Canvas Note()
{
    Canvas c(16, 16);
    c.Fill(Polygon({{2.5, 1}, {10.5, 1}, {13.5, 4}, {13.5, 15}, {2.5, 15}}), Hex(0x607D8B));
    c.Fill(Polygon({{3.5, 2}, {10, 2}, {12.5, 4.5}, {12.5, 14}, {3.5, 14}}), Hex(0xFFFDE7));
    c.Fill(Polygon({{10, 2}, {12.5, 4.5}, {10, 4.5}}), Hex(0xB0BEC5));
    for (double y : {6.0, 8.5, 11.0})
        c.Fill(Rect(5, y, 11, y + 0.9), Hex(0x78909C));
    return c;
}

Canvas Rsvp()
{
    Canvas c(16, 16);
    c.Fill(RoundRect(1.5, 2.5, 14.5, 14.5, 1.5), Hex(0x1E88E5));
    c.Fill(Rect(2.6, 6, 13.4, 13.4), kWhite);
    c.Fill(Line(5, 1.5, 5, 4, 1.4), Hex(0x1E88E5));
    c.Fill(Line(11, 1.5, 11, 4, 1.4), Hex(0x1E88E5));
    c.Fill(Line(5.2, 9.7, 7.3, 11.6, 1.5), Hex(0x2E7D32));
    c.Fill(Line(7.3, 11.6, 11, 7.6, 1.5), Hex(0x2E7D32));
    return c;
}

Canvas Attended()
{
    Canvas c(16, 16);
    c.Fill(Circle(8, 8, 7.4), Hex(0x2E7D32));
    c.Fill(Line(4.5, 8.3, 7, 10.8, 2), kWhite);
    c.Fill(Line(7, 10.8, 11.7, 5.6, 2), kWhite);
    return c;
}

Canvas Disabled()
{
    Canvas c(16, 16);
    c.Fill(Circle(8, 8, 7.4), Hex(0xC62828));
    c.Fill(RoundRect(3.5, 6.8, 12.5, 9.2, 0.6), kWhite);
    return c;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: page-images OUTDIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<std::pair<std::string, Canvas>> images;
    Canvas yellow = RatingStar(Hex(0xFFC107), Hex(0xB77B00));
    Canvas green = RatingStar(Hex(0x66BB3A), Hex(0x2E6B1E));
    images.emplace_back("sy.gif", yellow);
    images.emplace_back("hsy.gif", yellow.Crop(5));
    images.emplace_back("sg.gif", green);
    images.emplace_back("hsg.gif", green.Crop(5));
    images.emplace_back("TraditionalCache.gif", Badge(Hex(0x2E7D32), AmmoCan));
    images.emplace_back("Multicache.gif", Badge(Hex(0xE08A00), TwoBoxes));
    images.emplace_back("MysteryCache.gif", Badge(Hex(0x1565C0), QuestionMark));
    images.emplace_back("VirtualCache.gif", Badge(Hex(0x00838F), HollowBox));
    images.emplace_back("LetterboxCache.gif", Badge(Hex(0x283593), Envelope));
    images.emplace_back("EventCache.gif", Badge(Hex(0xC62828), Calendar));
    images.emplace_back("Earthcache.gif", Badge(Hex(0x8D5B3A), Globe));
    images.emplace_back("WebcamCache.gif", Badge(Hex(0x546E7A), Camera));
    images.emplace_back("LocationlessCache.gif", Badge(Hex(0x6A1B9A), Pin));
    images.emplace_back("icon_smile.gif", Face(Hex(0xFFD54F), true));
    images.emplace_back("icon_sad.gif", Face(Hex(0xFFE082), false));
    images.emplace_back("icon_note.gif", Note());
    images.emplace_back("icon_rsvp.gif", Rsvp());
    images.emplace_back("icon_attended.gif", Attended());
    images.emplace_back("icon_disabled.gif", Disabled());
    for (const auto& [name, canvas] : images)
        if (!WriteGif(canvas, dir + "/" + name)) {
            std::fprintf(stderr, "page-images: cannot write %s/%s\n", dir.c_str(), name.c_str());
            return 1;
        }
    return 0;
}
