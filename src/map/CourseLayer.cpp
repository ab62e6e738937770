#include "map/CourseLayer.h"

#include "geo/ClippedPolyline.h"
#include "geo/LineSimplifier.h"
#include "geo/MapViewport.h"
#include "map/CourseFollowing.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr uint32_t kDefaultColour = 0x1F6FE0;
constexpr int kThinPx = 2;
constexpr double kSimplifyPx = 0.8;

using Pieces = std::vector<std::vector<ScreenPoint>>;

Colour FromRgb(uint32_t rgb)
{
    return Rgb(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
               static_cast<int>(rgb & 0xFF));
}

Colour Darker(Colour c)
{
    return Rgb(RedOf(c) / 2, GreenOf(c) / 2, BlueOf(c) / 2);
}

GeoPoint ToGeo(const CoursePoint& p)
{
    return GeoPoint::FromDegrees(p.lat, p.lon);
}

double SegmentDistance(ScreenPoint p, ScreenPoint a, ScreenPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.x + dx * t - p.x, a.y + dy * t - p.y);
}

// Douglas-Peucker in pixels: the points within a pixel of the line through
// the points kept around them go, so that the painter strokes (and puts a
// round join on) far fewer points along a smooth course.
void Simplify(std::vector<ScreenPoint>& piece)
{
    if (piece.size() < 3)
        return;
    const std::vector<char> keep = DouglasPeuckerKeep(
        piece.size(), [&](size_t i) { return static_cast<double>(piece[i].x); },
        [&](size_t i) { return static_cast<double>(piece[i].y); }, kSimplifyPx);
    size_t out = 0;
    for (size_t i = 0; i < piece.size(); ++i)
        if (keep[i])
            piece[out++] = piece[i];
    piece.resize(out);
}

// The points from first to last (exclusive) projected and cut to the area,
// with an extra point before and after them when given.
Pieces Project(const Course& course, size_t first, size_t last, const CoursePoint* before,
               const CoursePoint* after, const MapViewport& viewport, const ScreenRect& area)
{
    Pieces pieces;
    ClippedPolyline clip(area);
    clip.Begin();
    // Points within a pixel or so of the one kept before them change nothing
    // a 4-pixel line shows: skipped, the last one always kept.
    bool any = false;
    ScreenPoint kept;
    const auto add = [&](const CoursePoint& p, bool always) {
        const ScreenPoint s = viewport.GeoToScreen(ToGeo(p));
        if (any && !always && std::abs(s.x - kept.x) < kThinPx && std::abs(s.y - kept.y) < kThinPx)
            return;
        any = true;
        kept = s;
        clip.Add(s, pieces);
    };
    if (before)
        add(*before, true);
    for (size_t i = first; i < last; ++i)
        add(course.points[i], i + 1 == last && !after);
    if (after)
        add(*after, true);
    clip.End(pieces);
    for (std::vector<ScreenPoint>& piece : pieces)
        Simplify(piece);
    return pieces;
}

// A small arrow every spacing pixels along the pieces, pointing the way.
void AddArrows(const Pieces& pieces, Colour colour, int scale, DrawList& out)
{
    const double spacing = CourseLayer::kArrowSpacingPx * scale;
    double next = spacing / 2;
    double walked = 0;
    for (const std::vector<ScreenPoint>& piece : pieces) {
        for (size_t i = 1; i < piece.size(); ++i) {
            const double dx = piece[i].x - piece[i - 1].x;
            const double dy = piece[i].y - piece[i - 1].y;
            const double length = std::hypot(dx, dy);
            for (; next <= walked + length; next += spacing) {
                const double t = (next - walked) / length;
                const double x = piece[i - 1].x + dx * t, y = piece[i - 1].y + dy * t;
                const double ux = dx / length * scale, uy = dy / length * scale;
                const auto at = [&](double along, double across) {
                    return ScreenPoint{TruncToPixel(x + ux * along - uy * across),
                                       TruncToPixel(y + uy * along + ux * across)};
                };
                out.Add(Polygon{Pen{colour, 1},
                                Brush{colour},
                                {at(4, 0), at(-3, 3.5), at(-1, 0), at(-3, -3.5)}});
            }
            walked += length;
        }
    }
}

void AddMark(const MapViewport& viewport, const CoursePoint& p, Colour ring, Colour fill, int scale,
             DrawList& out)
{
    const ScreenPoint c = viewport.GeoToScreen(ToGeo(p));
    if (!viewport.Client().Grown(8 * scale).Contains(c))
        return;
    const int r = 5 * scale;
    out.Add(
        Ellipse{Pen{ring, 2 * scale}, Brush{fill}, {c.x - r, c.y - r, c.x + r + 1, c.y + r + 1}});
}

} // namespace

Colour CourseLayer::Paler(Colour c)
{
    const auto pale = [](int v) { return v + (255 - v) * 3 / 5; };
    return Rgb(pale(RedOf(c)), pale(GreenOf(c)), pale(BlueOf(c)));
}

std::vector<CourseLine> CourseLayer::Lines(const CourseFollowing& courses)
{
    std::vector<CourseLine> lines;
    const std::vector<CourseEntry>& entries = courses.List().Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].shown && static_cast<int>(i) != courses.FollowedIndex())
            lines.push_back(
                {&entries[i].stored.course, entries[i].colour, static_cast<int>(i), false, 0, {}});
    }
    const CourseFollower* follower = courses.Follower();
    if (!follower)
        return lines;
    const int index = courses.FollowedIndex();
    CourseLine followed{&follower->Profile().GetCourse(),
                        index >= 0 ? entries[static_cast<size_t>(index)].colour : kDefaultColour,
                        index,
                        true,
                        0,
                        {}};
    const FollowState& state = follower->State();
    const CourseProfile& profile = follower->Profile();
    if (state.joined && profile.Size() >= 2) {
        const size_t next = std::clamp<size_t>(state.nextPoint, 1, profile.Size() - 1);
        const CoursePoint& a = followed.course->points[next - 1];
        const CoursePoint& b = followed.course->points[next];
        const double span = profile.DistanceAt(next) - profile.DistanceAt(next - 1);
        const double t =
            span > 0 ? std::clamp((state.alongM - profile.DistanceAt(next - 1)) / span, 0.0, 1.0)
                     : 0.0;
        followed.nextPoint = next;
        followed.place = CoursePoint{a.lat + (b.lat - a.lat) * t, a.lon + (b.lon - a.lon) * t};
    }
    lines.push_back(followed);
    return lines;
}

void CourseLayer::Draw(const std::vector<CourseLine>& lines, const MapViewport& viewport,
                       int displayScale, DrawList& out)
{
    const int s = std::max(displayScale, 1);
    // Grown so that the round ends of a cut line fall outside the view.
    const ScreenRect area = viewport.Client().Grown(kFollowedWidthPx * s);
    for (const CourseLine& line : lines) {
        const Course& course = *line.course;
        const size_t n = course.points.size();
        if (n < 2)
            continue;
        const Colour colour = FromRgb(line.colour);
        if (!line.followed) {
            const Pieces pieces = Project(course, 0, n, nullptr, nullptr, viewport, area);
            if (!pieces.empty()) {
                out.Add(Polylines{Pen{colour, kWidthPx * s, PenStyle::Solid, true}, pieces});
                AddArrows(pieces, Darker(colour), s, out);
            }
        } else {
            const CoursePoint* place = line.place ? &*line.place : nullptr;
            const size_t split = place ? line.nextPoint : 0;
            const Pieces walked = Project(course, 0, split, nullptr, place, viewport, area);
            const Pieces ahead = Project(course, split, n, place, nullptr, viewport, area);
            Pieces all = walked;
            all.insert(all.end(), ahead.begin(), ahead.end());
            if (all.empty())
                continue;
            const int width = kFollowedWidthPx * s;
            out.Add(Polylines{Pen{kWhite, width + 2 * s, PenStyle::Solid, true}, all});
            if (!walked.empty())
                out.Add(Polylines{Pen{Paler(colour), width, PenStyle::Solid, true}, walked});
            if (!ahead.empty()) {
                out.Add(Polylines{Pen{colour, width, PenStyle::Solid, true}, ahead});
                AddArrows(ahead, kWhite, s, out);
            }
        }
        AddMark(viewport, course.points.front(), colour, kWhite, s, out);
        AddMark(viewport, course.points.back(), kWhite, colour, s, out);
    }
}

int CourseLayer::HitTest(const std::vector<CourseLine>& lines, const MapViewport& viewport,
                         ScreenPoint at)
{
    const ScreenRect near{at.x - kHitTolerancePx, at.y - kHitTolerancePx,
                          at.x + kHitTolerancePx + 1, at.y + kHitTolerancePx + 1};
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->listIndex < 0)
            continue;
        const Course& c = *line->course;
        for (const std::vector<ScreenPoint>& piece :
             Project(c, 0, c.points.size(), nullptr, nullptr, viewport, near.Grown(1))) {
            for (size_t i = 0; i + 1 < piece.size(); ++i) {
                if (SegmentDistance(at, piece[i], piece[i + 1]) <= kHitTolerancePx)
                    return line->listIndex;
            }
            if (piece.size() == 1 && SegmentDistance(at, piece[0], piece[0]) <= kHitTolerancePx)
                return line->listIndex;
        }
    }
    return -1;
}

} // namespace hw
