#include "course/GpxCourseReader.h"

#include "base/FormatString.h"
#include "course/CoursePointText.h"
#include "waypoints/XmlFileParser.h"

#include <cstring>

namespace hw {
namespace {

constexpr size_t kMaxName = 1024;
constexpr size_t kMaxNumber = 64;

// Follows the elements that make a course; everything else (waypoints,
// metadata, extensions) is passed over.
struct GpxState {
    const XmlFileParser* file = nullptr;
    std::vector<Course> courses;
    int depth = 0;
    int courseDepth = -1; // of the open <trk> or <rte>
    int segmentDepth = -1;
    int pointDepth = -1;
    enum class Text { None, Name, Ele } text = Text::None;
    std::string buffer;
    std::string error;

    bool InCourse() const { return courseDepth >= 0; }

    void Fail(const char* what)
    {
        if (error.empty())
            error = FormatString("%s at line %d", what, file->CurrentLine());
    }

    void StartPoint(const char** attributes)
    {
        const char* latText = XmlAttribute(attributes, "lat");
        const char* lonText = XmlAttribute(attributes, "lon");
        double lat = 0, lon = 0;
        if (!latText || !lonText || !ParseCourseNumber(latText, lat) ||
            !ParseCourseNumber(lonText, lon) || !ValidCoursePosition(lat, lon)) {
            Fail("A point without a valid position");
            return;
        }
        courses.back().points.push_back({lat, lon, NAN});
        pointDepth = depth;
    }

    void Start(const char* name, const char** attributes)
    {
        ++depth;
        if (!error.empty())
            return;
        if (!InCourse()) {
            bool trk = std::strcmp(name, "trk") == 0;
            if (trk || std::strcmp(name, "rte") == 0) {
                courses.emplace_back().kind = trk ? CourseKind::Track : CourseKind::Route;
                courseDepth = depth;
            }
            return;
        }
        Course& course = courses.back();
        if (pointDepth >= 0) {
            if (depth == pointDepth + 1 && std::strcmp(name, "ele") == 0)
                BeginText(Text::Ele);
            return;
        }
        if (depth == courseDepth + 1 && std::strcmp(name, "name") == 0) {
            BeginText(Text::Name);
        } else if (course.kind == CourseKind::Track && depth == courseDepth + 1 &&
                   std::strcmp(name, "trkseg") == 0) {
            segmentDepth = depth;
            if (!course.points.empty() && (course.segmentStarts.empty() ||
                                           course.segmentStarts.back() != course.points.size()))
                course.segmentStarts.push_back(static_cast<uint32_t>(course.points.size()));
        } else if (course.kind == CourseKind::Track && segmentDepth >= 0 &&
                   depth == segmentDepth + 1 && std::strcmp(name, "trkpt") == 0) {
            StartPoint(attributes);
        } else if (course.kind == CourseKind::Route && depth == courseDepth + 1 &&
                   std::strcmp(name, "rtept") == 0) {
            StartPoint(attributes);
        }
    }

    void BeginText(Text t)
    {
        text = t;
        buffer.clear();
    }

    void End()
    {
        if (error.empty() && text != Text::None) {
            if (text == Text::Name) {
                courses.back().name = buffer;
            } else if (buffer.find_first_not_of(" \t\r\n") != std::string::npos) {
                double ele = 0;
                if (!ParseCourseNumber(buffer, ele))
                    Fail("A point with an unreadable height");
                else
                    courses.back().points.back().ele = ele;
            }
            text = Text::None;
        }
        if (depth == pointDepth)
            pointDepth = -1;
        else if (depth == segmentDepth)
            segmentDepth = -1;
        else if (depth == courseDepth)
            courseDepth = -1;
        --depth;
    }
};

void XMLCALL OnStart(void* user, const XML_Char* name, const XML_Char** attributes)
{
    static_cast<GpxState*>(user)->Start(name, attributes);
}

void XMLCALL OnEnd(void* user, const XML_Char*)
{
    static_cast<GpxState*>(user)->End();
}

void XMLCALL OnText(void* user, const XML_Char* text, int length)
{
    auto* s = static_cast<GpxState*>(user);
    if (s->text != GpxState::Text::None)
        AppendXmlText(s->buffer, text, length,
                      s->text == GpxState::Text::Name ? kMaxName : kMaxNumber);
}

} // namespace

CourseFile GpxCourseReader::Read(const std::string& path, ImportProgress* progress)
{
    GpxState state;
    XmlFileParser file(&state, OnStart, OnEnd, OnText);
    state.file = &file;
    bool parsed = file.Parse(path, progress);
    return XmlCourseResult(file, parsed, path, state.error, std::move(state.courses));
}

} // namespace hw
