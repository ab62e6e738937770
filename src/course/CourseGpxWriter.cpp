#include "course/CourseGpxWriter.h"

#include "base/AtomicFileWriter.h"
#include "base/Folders.h"
#include "waypoints/GpxWaypointWriter.h"
#include "waypoints/HtmlText.h"

#include <charconv>
#include <cmath>

namespace hw {
namespace {

// The shortest text that reads back as the same number.
void AppendExact(std::string& out, double value)
{
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

// A name without the control characters XML cannot hold, escaped.
std::string XmlName(const std::string& name)
{
    std::string clean;
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
            clean += c;
    return EscapeHtml(clean);
}

void AppendPoint(std::string& out, const char* element, const CoursePoint& p)
{
    out += '<';
    out += element;
    out += " lat=\"";
    AppendExact(out, p.lat);
    out += "\" lon=\"";
    AppendExact(out, p.lon);
    if (std::isfinite(p.ele)) {
        out += "\"><ele>";
        AppendExact(out, p.ele);
        out += "</ele></";
        out += element;
        out += ">\n";
    } else {
        out += "\"/>\n";
    }
}

} // namespace

std::string CourseGpxText(const Course& course)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"";
    out += kGpxAuthor;
    out += "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    bool route = course.kind == CourseKind::Route;
    out += route ? "<rte>\n" : "<trk>\n";
    out += "<name>" + XmlName(course.name) + "</name>\n";
    if (!route)
        out += "<trkseg>\n";
    size_t segment = 0;
    for (size_t i = 0; i < course.points.size(); ++i) {
        bool starts = false;
        for (; segment < course.segmentStarts.size() && course.segmentStarts[segment] <= i;
             ++segment)
            starts = starts || (course.segmentStarts[segment] == i && i > 0);
        if (!route && starts)
            out += "</trkseg>\n<trkseg>\n";
        AppendPoint(out, route ? "rtept" : "trkpt", course.points[i]);
    }
    out += route ? "</rte>\n" : "</trkseg>\n</trk>\n";
    out += "</gpx>\n";
    return out;
}

bool WriteCourseGpx(const Course& course, const std::string& path, std::string& error)
{
    if (!EnsureParentFolder(path)) {
        error = "cannot create the folder of '" + path + "'";
        return false;
    }
    std::string text = CourseGpxText(course);
    AtomicFileWriter writer(path);
    if (!writer.Open() || !writer.Write(text.data(), text.size()) || !writer.Commit()) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

} // namespace hw
