#include "base/TextCodec.h"
#include "base/Utf8TextCheck.h"
#include "units/NumberText.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/XmlFileParser.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace hw {
namespace {

constexpr size_t kMaxText = 16384;

class LocHandler {
public:
    LocHandler(WaypointDatabase& db, bool fromCodePage) : db_(db), fromCodePage_(fromCodePage) {}

    static void OnStart(void* self, const char* name, const char** attributes)
    {
        static_cast<LocHandler*>(self)->Start(name, attributes);
    }
    static void OnEnd(void* self, const char* name) { static_cast<LocHandler*>(self)->End(name); }
    static void OnText(void* self, const char* text, int length)
    {
        auto* h = static_cast<LocHandler*>(self);
        if (h->inWaypoint_)
            AppendXmlText(h->text_, text, length, kMaxText);
    }

    int added = 0;

private:
    enum class Field { None, Comment, Type, Link };

    void Start(std::string_view name, const char** attributes)
    {
        text_.clear();
        field_ = Field::None;
        if (name == "waypoint") {
            inWaypoint_ = true;
            wpt_ = Waypoint();
            return;
        }
        if (!inWaypoint_)
            return;
        if (name == "name") {
            if (const char* id = XmlAttribute(attributes, "id"))
                wpt_.strName = Text(id);
            field_ = Field::Comment;
        } else if (name == "coord") {
            if (const char* lat = XmlAttribute(attributes, "lat"))
                wpt_.nLatitude = MicrodegreesFromDegrees(ParseRealPrefix(lat));
            if (const char* lon = XmlAttribute(attributes, "lon"))
                wpt_.nLongitude = MicrodegreesFromDegrees(ParseRealPrefix(lon));
        } else if (name == "type") {
            field_ = Field::Type;
        } else if (name == "link") {
            field_ = Field::Link;
        }
    }

    void End(std::string_view name)
    {
        if (name == "waypoint") {
            if (inWaypoint_ && db_.Add(wpt_) > 0)
                ++added;
            inWaypoint_ = false;
        } else if (inWaypoint_) {
            switch (field_) {
            case Field::None: break;
            case Field::Comment: wpt_.strComment = Text(text_); break;
            case Field::Type:
                if (text_.find("Geocache") != std::string::npos) {
                    wpt_.nType = kWaypointGeocache;
                    wpt_.bUseGeocacheStateForIconID = 1;
                    wpt_.nGeocacheState = 0;
                }
                break;
            // The link's address is its text; its text attribute is only a
            // caption ("Cache Details").
            case Field::Link: wpt_.strURL = Text(text_); break;
            }
        }
        field_ = Field::None;
        text_.clear();
    }

    // A code-page file is parsed as Latin-1, one code point a byte: its
    // texts go back to their bytes and through the code page.
    std::string Text(std::string_view parsed)
    {
        return fromCodePage_ ? ansi_.Decode(Latin1Bytes(parsed)) : std::string(parsed);
    }

    WaypointDatabase& db_;
    bool fromCodePage_;
    AnsiDecoder ansi_;
    Waypoint wpt_;
    bool inWaypoint_ = false;
    Field field_ = Field::None;
    std::string text_;
};

} // namespace

ImportResult ImportLoc(WaypointDatabase& db, const std::string& path, ImportProgress* progress)
{
    // The encoding is chosen once for the whole file.
    const bool fromCodePage = !IsUtf8TextFile(path);
    LocHandler handler(db, fromCodePage);
    XmlFileParser parser(&handler, &LocHandler::OnStart, &LocHandler::OnEnd, &LocHandler::OnText);
    if (fromCodePage)
        parser.SetEncoding("ISO-8859-1");
    parser.Parse(path, progress);
    ImportResult result;
    result.opened = parser.Opened();
    result.error = parser.Error();
    result.added = handler.added;
    return result;
}

} // namespace hw
