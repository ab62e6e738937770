#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace hw {

// The program's own web address, the default link of a new waypoint.
inline constexpr const char* kDefaultWaypointUrl = "https://hikewise.korv.example.org/";
inline constexpr const char* kDefaultWaypointName = "Untitled";
inline constexpr const char* kDefaultSoundFile = "Alarm1.wav";
// 1000 feet in kilometres.
inline constexpr double kDefaultAlarmRadiusKm = 1000 * 0.0003048;

// Waypoint kinds (nType).
inline constexpr int kWaypointPlain = 0;
inline constexpr int kWaypointGeocache = 1;

// Log kinds (GeocacheLog::nLogType).
enum GeocacheLogType : uint8_t {
    kLogOther = 0,
    kLogFoundIt = 1,
    kLogWriteNote = 2,
    kLogWillAttend = 3,
    kLogAttended = 4,
    kLogDisabled = 5,
};

// One log of a geocache. Strings are UTF-8.
struct GeocacheLog {
    std::string strText;
    uint8_t nLogType = kLogOther;
    int bTextEncoded = 0;
    int32_t timeDate = 0; // seconds since 1970 UTC, 0 = none
    std::string strFinder;

    friend bool operator==(const GeocacheLog&, const GeocacheLog&) = default;
};

inline constexpr int kGeocacheLogCount = 5;

// The details of a geocache, as imported from a pocket query.
struct GeocacheInfo {
    std::string strLongDescription;
    int bLongDescriptionHtml = 0;
    std::string strShortDescription;
    int bShortDescriptionHtml = 0;
    std::string strCacheName;
    std::string strPlacedBy;
    std::string strCacheType;
    uint8_t nDifficulty = 0; // tenths: 1.5 is 15
    uint8_t nTerrain = 0;    // tenths
    std::string strContainer;
    std::string strCountry;
    std::string strState;
    std::string strEncodedHints;
    int bAvailable = 1;
    int bArchived = 0;
    std::array<GeocacheLog, kGeocacheLogCount> logs{}; // the first five, in document order
    int bFieldNotePending = 0;

    friend bool operator==(const GeocacheInfo&, const GeocacheInfo&) = default;
};

class WaypointTextSource;

// Where a record read from a database file stands in that file. Its long
// geocache texts (descriptions, hints, log texts and finders) may still wait
// there, undecoded; and a record that is as the file holds it is written
// back by copying its bytes.
struct WaypointFileRecord {
    std::shared_ptr<const WaypointTextSource> source;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint64_t checksum = 0;      // of the record's bytes as they were loaded
    bool textsDeferred = false; // the long texts are in the file, not in the fields
    bool asInFile = false;      // no field changed since it was read

    friend bool operator==(const WaypointFileRecord&, const WaypointFileRecord&) = default;
};

// One named position: a plain waypoint, a geocache or a proximity alarm.
// A value type; the database stores copies. Strings are UTF-8.
class Waypoint {
public:
    Waypoint() = default;
    Waypoint(const Waypoint&) = default;
    Waypoint(Waypoint&&) noexcept = default;
    Waypoint& operator=(const Waypoint&) = default;
    Waypoint& operator=(Waypoint&&) noexcept = default;
    virtual ~Waypoint();

    int bAlarmTriggered = 0; // runtime: the alarm fired and has not re-armed
    int bArrived = 0;        // runtime, on the navigation target copy
    int32_t nLatitude = 0;   // microdegrees, north positive
    int32_t nLongitude = 0;  // microdegrees, east positive
    float fAltitude = 0;     // metres
    std::string strName = kDefaultWaypointName;
    int icon = 0; // index into SymbolNames
    int bActiveWaypoint = 0;
    double dActiveWPDistance = kDefaultAlarmRadiusKm; // kilometres
    std::string strComment;
    std::string strSoundFile = kDefaultSoundFile;
    int nType = kWaypointPlain;
    int nGeocacheState = 0; // index into GeocacheStateNames
    int32_t timeGeochacheFound = 0;
    int bUseGeocacheStateForIconID = 0;
    std::string strURL = kDefaultWaypointUrl;
    int32_t timeCreated = 0;
    int nActiveWaypointMessageType = 0; // index into ActiveWaypointMessageTypeNames
    GeocacheInfo geocache;
    std::string strFieldNotes;
    int32_t nVisitLogType = 0; // kept and written unchanged
    int nSerial = 0;           // runtime: given by the database, 0 outside it
    double dListDistance = 0;  // runtime: km from the position, for the manager's list
    WaypointFileRecord file;   // runtime: where a loaded record came from

    // The long geocache texts are still in the database file: the fields
    // are empty until WithTexts() decodes them.
    bool HasDeferredTexts() const { return file.textsDeferred; }
    // A copy with every text in its fields, decoded from the file when they
    // were deferred. When the file no longer holds them (another program
    // changed it, its medium is gone), the copy still refers to them there
    // (HasDeferredTexts): stored back, it keeps them, and is never saved
    // with empty texts. Pages, edit sheets and exports read texts through
    // this.
    Waypoint WithTexts() const;

    // Every persistent field equal (the runtime-only fields are ignored).
    bool SameContent(const Waypoint& other) const;
};

} // namespace hw
