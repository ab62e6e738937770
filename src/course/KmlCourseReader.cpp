#include "course/KmlCourseReader.h"

#include "base/FormatString.h"
#include "course/CoursePointText.h"
#include "waypoints/XmlFileParser.h"

#include <algorithm>
#include <string_view>

namespace hw {
namespace {

constexpr size_t kMaxName = 1024;
constexpr size_t kMaxMode = 64;
constexpr size_t kMaxCoordinates = size_t{1} << 30;

// The local name of an element: gx:altitudeMode is altitudeMode.
std::string_view LocalName(const char* name)
{
    std::string_view n(name);
    size_t colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

// Modes whose third coordinate is no height above sea level. The program's
// own export writes "clampedToGround".
bool GroundMode(std::string_view mode)
{
    return mode == "clampToGround" || mode == "clampedToGround" || mode == "relativeToGround" ||
           mode == "clampToSeaFloor" || mode == "relativeToSeaFloor";
}

struct KmlState {
    const XmlFileParser* file = nullptr;
    std::vector<Course> courses;
    int depth = 0;
    int placemarkDepth = -1;
    int lineDepth = -1;
    std::string placemarkName;
    size_t placemarkFirst = 0; // the first course of the open placemark
    enum class Text { None, Name, Mode, Coordinates } text = Text::None;
    std::string buffer, mode, coordinates;
    std::string error;

    void Fail(const char* what)
    {
        if (error.empty())
            error = FormatString("%s at line %d", what, file->CurrentLine());
    }

    void Start(const char* name)
    {
        ++depth;
        if (!error.empty())
            return;
        std::string_view local = LocalName(name);
        if (local == "Placemark") {
            placemarkDepth = depth;
            placemarkName.clear();
            placemarkFirst = courses.size();
        } else if (placemarkDepth >= 0 && local == "name" && depth == placemarkDepth + 1) {
            Begin(Text::Name);
        } else if (placemarkDepth >= 0 && local == "LineString" && lineDepth < 0) {
            lineDepth = depth;
            mode.clear();
            coordinates.clear();
        } else if (lineDepth >= 0 && depth == lineDepth + 1 && local == "altitudeMode") {
            Begin(Text::Mode);
        } else if (lineDepth >= 0 && depth == lineDepth + 1 && local == "coordinates") {
            text = Text::Coordinates;
        }
    }

    void Begin(Text t)
    {
        text = t;
        buffer.clear();
    }

    void EndLine()
    {
        Course& course = courses.emplace_back();
        bool heights = !GroundMode(mode);
        std::string_view rest = TrimBlanks(coordinates);
        while (!rest.empty()) {
            size_t end = rest.find_first_of(" \t\r\n");
            std::string_view tuple = rest.substr(0, end);
            rest = TrimBlanks(rest.substr(std::min(end, rest.size())));
            double v[3] = {0, 0, NAN};
            int n = 0;
            bool ok = true;
            while (ok) {
                size_t comma = tuple.find(',');
                ok = n < 3 && ParseCourseNumber(tuple.substr(0, comma), v[n]);
                ++n;
                if (comma == std::string_view::npos)
                    break;
                tuple.remove_prefix(comma + 1);
            }
            if (!ok || n < 2 || !ValidCoursePosition(v[1], v[0])) {
                Fail("A point without a valid position");
                return;
            }
            course.points.push_back({v[1], v[0], heights && n == 3 ? v[2] : NAN});
        }
    }

    void End()
    {
        if (error.empty()) {
            if (text == Text::Name)
                placemarkName = buffer;
            else if (text == Text::Mode)
                mode = TrimBlanks(buffer);
            if (depth == lineDepth)
                EndLine();
            if (depth == placemarkDepth)
                for (size_t i = placemarkFirst; i < courses.size(); ++i)
                    courses[i].name = placemarkName;
        }
        text = Text::None;
        if (depth == lineDepth)
            lineDepth = -1;
        else if (depth == placemarkDepth)
            placemarkDepth = -1;
        --depth;
    }
};

void XMLCALL OnStart(void* user, const XML_Char* name, const XML_Char**)
{
    static_cast<KmlState*>(user)->Start(name);
}

void XMLCALL OnEnd(void* user, const XML_Char*)
{
    static_cast<KmlState*>(user)->End();
}

void XMLCALL OnText(void* user, const XML_Char* text, int length)
{
    auto* s = static_cast<KmlState*>(user);
    switch (s->text) {
    case KmlState::Text::None: break;
    case KmlState::Text::Coordinates:
        AppendXmlText(s->coordinates, text, length, kMaxCoordinates);
        break;
    default:
        AppendXmlText(s->buffer, text, length,
                      s->text == KmlState::Text::Name ? kMaxName : kMaxMode);
        break;
    }
}

} // namespace

CourseFile KmlCourseReader::Read(const std::string& path, ImportProgress* progress)
{
    KmlState state;
    XmlFileParser file(&state, OnStart, OnEnd, OnText);
    state.file = &file;
    bool parsed = file.Parse(path, progress);
    return XmlCourseResult(file, parsed, path, state.error, std::move(state.courses));
}

} // namespace hw
