#include "base/TextCodec.h"
#include "units/NumberText.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/XmlFileParser.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace hw {
namespace {

constexpr size_t kMaxText = 16384;

class LocHandler {
public:
    explicit LocHandler(WaypointDatabase& db) : db_(db) {}

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
                wpt_.strName = ansi_.Decode(id);
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
            case Field::Comment: wpt_.strComment = ansi_.Decode(text_); break;
            case Field::Type:
                if (text_.find("Geocache") != std::string::npos) {
                    wpt_.nType = kWaypointGeocache;
                    wpt_.bUseGeocacheStateForIconID = 1;
                    wpt_.nGeocacheState = 0;
                }
                break;
            // The link's address is its text; its text attribute is only a
            // caption ("Cache Details").
            case Field::Link: wpt_.strURL = ansi_.Decode(text_); break;
            }
        }
        field_ = Field::None;
        text_.clear();
    }

    WaypointDatabase& db_;
    AnsiDecoder ansi_;
    Waypoint wpt_;
    bool inWaypoint_ = false;
    Field field_ = Field::None;
    std::string text_;
};

} // namespace

ImportResult ImportLoc(WaypointDatabase& db, const std::string& path, ImportProgress* progress)
{
    LocHandler handler(db);
    XmlFileParser parser(&handler, &LocHandler::OnStart, &LocHandler::OnEnd, &LocHandler::OnText);
    parser.Parse(path, progress);
    ImportResult result;
    result.opened = parser.Opened();
    result.error = parser.Error();
    result.added = handler.added;
    return result;
}

} // namespace hw
