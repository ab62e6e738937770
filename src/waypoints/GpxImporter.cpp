#include "base/TextCodec.h"
#include "units/NumberText.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportText.h"
#include "waypoints/XmlFileParser.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace hw {
namespace {

constexpr size_t kMaxText = 131072;

// The field an element's text goes to.
enum class Field {
    None,
    Altitude,
    Name,
    Comment,
    Symbol,
    Url,
    Type,
    Time,
    Icon,
    GeocacheState,
    UseStateIcon,
    AlarmOn,
    SoundFile,
    MessageType,
    AlarmDistance,
    WaypointType,
    TimeFound,
    FieldNotes,
    LongDescription,
    ShortDescription,
    CacheName,
    PlacedBy,
    CacheType,
    Difficulty,
    Terrain,
    Container,
    Country,
    State,
    Hints,
    LogText,
    LogType,
    LogDate,
    LogFinder,
};

enum class Scope { Wpt, Extension, Cache, Logs };

struct ElementRule {
    std::string_view name;
    Scope scope;
    Field field;
};

constexpr ElementRule kRules[] = {
    {"ele", Scope::Wpt, Field::Altitude},
    {"name", Scope::Wpt, Field::Name},
    {"desc", Scope::Wpt, Field::Comment},
    {"sym", Scope::Wpt, Field::Symbol},
    {"url", Scope::Wpt, Field::Url},
    {"type", Scope::Wpt, Field::Type},
    {"time", Scope::Wpt, Field::Time},
    {"quellis:icon", Scope::Extension, Field::Icon},
    {"quellis:nGeocacheState", Scope::Extension, Field::GeocacheState},
    {"quellis:bUseGeocacheStateForIconID", Scope::Extension, Field::UseStateIcon},
    {"quellis:bActiveWaypoint", Scope::Extension, Field::AlarmOn},
    {"quellis:strSoundFile", Scope::Extension, Field::SoundFile},
    {"quellis:nActiveWaypointMessageType", Scope::Extension, Field::MessageType},
    {"quellis:dActiveWPDistance", Scope::Extension, Field::AlarmDistance},
    {"quellis:nType", Scope::Extension, Field::WaypointType},
    {"quellis:timeGeochacheFound", Scope::Extension, Field::TimeFound},
    {"quellis:strURL", Scope::Extension, Field::Url},
    {"quellis:strFieldNotes", Scope::Extension, Field::FieldNotes},
    {"groundspeak:long_description", Scope::Cache, Field::LongDescription},
    {"groundspeak:short_description", Scope::Cache, Field::ShortDescription},
    {"groundspeak:name", Scope::Cache, Field::CacheName},
    {"groundspeak:placed_by", Scope::Cache, Field::PlacedBy},
    {"groundspeak:type", Scope::Cache, Field::CacheType},
    {"groundspeak:difficulty", Scope::Cache, Field::Difficulty},
    {"groundspeak:terrain", Scope::Cache, Field::Terrain},
    {"groundspeak:container", Scope::Cache, Field::Container},
    {"groundspeak:country", Scope::Cache, Field::Country},
    {"groundspeak:state", Scope::Cache, Field::State},
    {"groundspeak:encoded_hints", Scope::Cache, Field::Hints},
    {"groundspeak:text", Scope::Logs, Field::LogText},
    {"groundspeak:type", Scope::Logs, Field::LogType},
    {"groundspeak:date", Scope::Logs, Field::LogDate},
    {"groundspeak:finder", Scope::Logs, Field::LogFinder},
};

bool StartsWithT(const char* value)
{
    return value != nullptr && value[0] == 'T';
}

const char* FirstAttributeValue(const char** attributes)
{
    return attributes[0] != nullptr ? attributes[1] : nullptr;
}

class GpxHandler {
public:
    GpxHandler(WaypointDatabase& db, bool replaceMode) : db_(db), replaceMode_(replaceMode) {}

    static void OnStart(void* self, const char* name, const char** attributes)
    {
        static_cast<GpxHandler*>(self)->Start(name, attributes);
    }
    static void OnEnd(void* self, const char* name) { static_cast<GpxHandler*>(self)->End(name); }
    // Text is handed over only while an element with a field is open (the
    // buffer holds the innermost element's text, and a child resets the
    // field).
    static void OnText(void* self, const char* text, int length)
    {
        AppendXmlText(static_cast<GpxHandler*>(self)->text_, text, length, kMaxText);
    }
    void SetFile(XmlFileParser* file) { file_ = file; }

    int added = 0;
    int replaced = 0;

private:
    // Log fields are chosen only while the log index is below five.
    GeocacheLog& CurrentLog()
    {
        return wpt_.geocache.logs[static_cast<size_t>(std::min(logIndex_, kGeocacheLogCount - 1))];
    }

    bool InScope(Scope scope) const
    {
        switch (scope) {
        case Scope::Wpt: return true;
        case Scope::Extension: return inExtension_;
        case Scope::Cache: return inCache_;
        case Scope::Logs: return inLogs_ && logIndex_ < kGeocacheLogCount;
        }
        return false;
    }

    void Start(std::string_view name, const char** attributes)
    {
        text_.clear();
        field_ = Field::None;
        if (name == "wpt") {
            wpt_ = Waypoint();
            inWpt_ = true;
            if (const char* lat = XmlAttribute(attributes, "lat"))
                wpt_.nLatitude = MicrodegreesFromDegrees(ParseRealPrefix(lat));
            if (const char* lon = XmlAttribute(attributes, "lon"))
                wpt_.nLongitude = MicrodegreesFromDegrees(ParseRealPrefix(lon));
        } else if (name == "groundspeak:cache") {
            inCache_ = true;
            if (const char* v = XmlAttribute(attributes, "available"))
                wpt_.geocache.bAvailable = StartsWithT(v);
            if (const char* v = XmlAttribute(attributes, "archived"))
                wpt_.geocache.bArchived = StartsWithT(v);
        } else if (name == "groundspeak:logs") {
            inLogs_ = true;
            inCache_ = false;
            logIndex_ = 0;
        } else if (name == "quellis:waypoint") {
            inExtension_ = true;
        } else if (inWpt_) {
            for (const ElementRule& rule : kRules) {
                if (rule.name == name && InScope(rule.scope)) {
                    field_ = rule.field;
                    break;
                }
            }
            GeocacheInfo& g = wpt_.geocache;
            if (field_ == Field::LongDescription)
                g.bLongDescriptionHtml = StartsWithT(FirstAttributeValue(attributes));
            else if (field_ == Field::ShortDescription)
                g.bShortDescriptionHtml = StartsWithT(FirstAttributeValue(attributes));
            else if (field_ == Field::LogText)
                CurrentLog().bTextEncoded = StartsWithT(FirstAttributeValue(attributes));
        }
        file_->WantText(field_ != Field::None);
    }

    void End(std::string_view name)
    {
        if (name == "wpt") {
            // A new name moves the record into the database, built as it is.
            if (!db_.NameExists(wpt_.strName)) {
                if (db_.AddUnchecked(std::move(wpt_)) > 0)
                    ++added;
            } else if (replaceMode_ && db_.ReplaceByName(wpt_) > 0) {
                ++replaced;
            }
            inWpt_ = false;
        } else if (name == "quellis:waypoint") {
            inExtension_ = false;
        } else if (name == "groundspeak:cache") {
            inCache_ = false;
            inLogs_ = false;
        } else if (name == "groundspeak:logs") {
            inLogs_ = false;
        } else if (name == "groundspeak:log") {
            ++logIndex_;
        } else if (inWpt_) {
            Store();
        }
        field_ = Field::None;
        text_.clear();
        file_->WantText(false);
    }

    void Store()
    {
        Waypoint& w = wpt_;
        GeocacheInfo& g = w.geocache;
        // Expat hands over well-formed UTF-8: the text is taken as it is,
        // unless it was cut at the limit, perhaps within a character.
        auto decoded = [this] {
            return text_.size() < kMaxText ? text_ : DecodeUtf8Lenient(text_, kMaxText);
        };
        switch (field_) {
        case Field::None: break;
        case Field::Altitude: w.fAltitude = static_cast<float>(ParseRealPrefix(text_)); break;
        case Field::Name: w.strName = decoded(); break;
        case Field::Comment: w.strComment = decoded(); break;
        case Field::Symbol: w.icon = SymbolFromGpx(decoded()); break;
        case Field::Url: w.strURL = decoded(); break;
        case Field::Type: ApplyGpxType(text_, w); break;
        case Field::Time: w.timeCreated = ParseTimeText(text_); break;
        case Field::Icon: w.icon = ParseIntPrefix(text_); break;
        case Field::GeocacheState: w.nGeocacheState = ParseIntPrefix(text_); break;
        case Field::UseStateIcon: w.bUseGeocacheStateForIconID = ParseIntPrefix(text_); break;
        case Field::AlarmOn: w.bActiveWaypoint = ParseIntPrefix(text_); break;
        case Field::SoundFile: w.strSoundFile = decoded(); break;
        case Field::MessageType: w.nActiveWaypointMessageType = ParseIntPrefix(text_); break;
        case Field::AlarmDistance: w.dActiveWPDistance = ParseRealPrefix(text_); break;
        case Field::WaypointType: w.nType = ParseIntPrefix(text_); break;
        case Field::TimeFound: w.timeGeochacheFound = ParseIntPrefix(text_); break;
        case Field::FieldNotes: w.strFieldNotes = decoded(); break;
        case Field::LongDescription: g.strLongDescription = decoded(); break;
        case Field::ShortDescription: g.strShortDescription = decoded(); break;
        case Field::CacheName: g.strCacheName = decoded(); break;
        case Field::PlacedBy: g.strPlacedBy = decoded(); break;
        case Field::CacheType: g.strCacheType = decoded(); break;
        case Field::Difficulty: g.nDifficulty = RatingTenths(text_); break;
        case Field::Terrain: g.nTerrain = RatingTenths(text_); break;
        case Field::Container: g.strContainer = decoded(); break;
        case Field::Country: g.strCountry = decoded(); break;
        case Field::State: g.strState = decoded(); break;
        case Field::Hints: g.strEncodedHints = decoded(); break;
        case Field::LogText: CurrentLog().strText = decoded(); break;
        case Field::LogType: CurrentLog().nLogType = LogTypeFromText(text_); break;
        case Field::LogDate: CurrentLog().timeDate = ParseTimeText(text_); break;
        case Field::LogFinder: CurrentLog().strFinder = decoded(); break;
        }
    }

    WaypointDatabase& db_;
    bool replaceMode_;
    XmlFileParser* file_ = nullptr;
    Waypoint wpt_;
    bool inWpt_ = false;
    bool inCache_ = false;
    bool inLogs_ = false;
    bool inExtension_ = false;
    int logIndex_ = 0;
    Field field_ = Field::None;
    std::string text_;
};

} // namespace

ImportResult ImportGpx(WaypointDatabase& db, const std::string& path, bool replaceMode,
                       ImportProgress* progress)
{
    GpxHandler handler(db, replaceMode);
    XmlFileParser parser(&handler, &GpxHandler::OnStart, &GpxHandler::OnEnd, &GpxHandler::OnText);
    handler.SetFile(&parser);
    parser.Parse(path, progress);
    ImportResult result;
    result.opened = parser.Opened();
    result.error = parser.Error();
    result.added = handler.added;
    result.replaced = handler.replaced;
    return result;
}

} // namespace hw
