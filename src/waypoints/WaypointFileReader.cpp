#include "waypoints/WaypointFileReader.h"

#include "base/FileByteReader.h"
#include "base/TextCodec.h"
#include "units/NumberText.h"
#include "waypoints/WaypointFileWriter.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace hw {
namespace {

// Field layouts of the binary versions.
struct Layout {
    enum Strings { S8, S16, S32 } strings = S32;
    bool altitudeInHundredths = false; // version 2
    bool visitLogTypeAndLogs = true;   // versions 4 and later
    bool fieldNotePending = true;      // versions 6 and later
};

Layout LayoutOf(int version)
{
    Layout l;
    switch (version) {
    case 2: l.altitudeInHundredths = true; [[fallthrough]];
    case 3: l.visitLogTypeAndLogs = false; [[fallthrough]];
    case 4:
        l.strings = Layout::S8;
        l.fieldNotePending = false;
        break;
    case 5:
        l.strings = Layout::S16;
        l.fieldNotePending = false;
        break;
    case 6: l.strings = Layout::S16; break;
    default: break; // 0, 1 and 7: the current layout
    }
    return l;
}

class RecordReader {
public:
    RecordReader(FileByteReader& in, const Layout& layout) : in_(in), layout_(layout) {}

    // One whole record, or false when the file ends inside it.
    bool Read(Waypoint& w)
    {
        GeocacheInfo& g = w.geocache;
        if (!in_.ReadI32(w.nLatitude) || !in_.ReadI32(w.nLongitude))
            return false;
        if (layout_.altitudeInHundredths) {
            int32_t hundredths;
            if (!in_.ReadI32(hundredths))
                return false;
            w.fAltitude = static_cast<float>(hundredths * 0.01);
        } else if (!in_.ReadF32(w.fAltitude)) {
            return false;
        }
        if (!String(w.strName) || !U16(w.icon) || !U8(w.bActiveWaypoint) ||
            !in_.ReadF64(w.dActiveWPDistance) || !String(w.strSoundFile) || !String(w.strComment) ||
            !U16(w.nType) || !U16(w.nGeocacheState) || !in_.ReadI32(w.timeGeochacheFound) ||
            !U8(w.bUseGeocacheStateForIconID) || !String(w.strURL) || !in_.ReadI32(w.timeCreated) ||
            !U16(w.nActiveWaypointMessageType) || !String(w.strFieldNotes))
            return false;
        if (layout_.visitLogTypeAndLogs && !in_.ReadI32(w.nVisitLogType))
            return false;
        if (!U8(g.bLongDescriptionHtml) || !String(g.strLongDescription) ||
            !U8(g.bShortDescriptionHtml) || !String(g.strShortDescription) ||
            !String(g.strEncodedHints) || !U8(g.bAvailable) || !U8(g.bArchived) ||
            !String(g.strCacheName) || !String(g.strContainer) || !String(g.strCountry) ||
            !String(g.strState) || !String(g.strPlacedBy) || !String(g.strCacheType) ||
            !in_.ReadU8(g.nDifficulty) || !in_.ReadU8(g.nTerrain))
            return false;
        if (layout_.fieldNotePending && !U8(g.bFieldNotePending))
            return false;
        if (layout_.visitLogTypeAndLogs) {
            for (GeocacheLog& log : g.logs) {
                if (!String(log.strText) || !in_.ReadU8(log.nLogType) || !U8(log.bTextEncoded) ||
                    !in_.ReadI32(log.timeDate) || !String(log.strFinder))
                    return false;
            }
        }
        return true;
    }

private:
    bool U8(int& field)
    {
        uint8_t v;
        if (!in_.ReadU8(v))
            return false;
        field = v;
        return true;
    }
    bool U16(int& field)
    {
        uint16_t v;
        if (!in_.ReadU16(v))
            return false;
        field = v;
        return true;
    }
    // A string whose count runs past the end of the file is not read: the
    // count is checked against what is left before anything is allocated.
    bool String(std::string& field)
    {
        uint64_t count;
        if (layout_.strings == Layout::S32) {
            uint32_t n;
            if (!in_.ReadU32(n))
                return false;
            count = n;
        } else {
            uint16_t n;
            if (!in_.ReadU16(n))
                return false;
            count = n;
        }
        uint64_t bytes = layout_.strings == Layout::S8 ? count : count * 2;
        if (bytes > in_.Remaining())
            return false;
        field.clear();
        if (count == 0)
            return true;
        if (layout_.strings == Layout::S8) {
            raw_.resize(bytes);
            if (!in_.Read(raw_.data(), bytes))
                return false;
            field = ansi_.Decode(std::string_view(raw_.data(), raw_.size()));
            return true;
        }
        units_.resize(count);
        raw_.resize(bytes);
        if (!in_.Read(raw_.data(), bytes))
            return false;
        for (size_t i = 0; i < count; ++i)
            units_[i] = static_cast<char16_t>(static_cast<unsigned char>(raw_[2 * i]) |
                                              (static_cast<unsigned char>(raw_[2 * i + 1]) << 8));
        AppendUtf16AsUtf8(field, units_);
        return true;
    }

    FileByteReader& in_;
    Layout layout_;
    AnsiDecoder ansi_;
    std::vector<char> raw_;
    std::u16string units_;
};

// Version 1 is text: one waypoint a line, fields separated by 0x1F.
constexpr char kFieldSeparator = 0x1F;
constexpr size_t kMaxLineLength = 8191;

void ParseTextLine(std::string_view line, AnsiDecoder& ansi, Waypoint& w)
{
    // Texts of this version start empty; a missing name reads as "Untitled".
    w.strSoundFile.clear();
    w.strURL.clear();
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t sep = line.find(kFieldSeparator, start);
        fields.push_back(line.substr(start, sep == std::string_view::npos ? sep : sep - start));
        if (sep == std::string_view::npos || fields.size() == 17)
            break;
        start = sep + 1;
    }
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    auto text = [&](size_t i, std::string& out) {
        if (!field(i).empty())
            out = ansi.Decode(field(i));
    };
    auto integer = [&](size_t i, auto& out) {
        if (!field(i).empty())
            out = ParseIntPrefix(field(i));
    };
    if (!field(0).empty())
        w.nLatitude = MicrodegreesFromDegrees(ParseRealPrefix(field(0)));
    if (!field(1).empty())
        w.nLongitude = MicrodegreesFromDegrees(ParseRealPrefix(field(1)));
    if (!field(2).empty())
        w.fAltitude = static_cast<float>(ParseRealPrefix(field(2)));
    text(3, w.strName);
    integer(4, w.icon);
    integer(6, w.bActiveWaypoint);
    if (!field(7).empty())
        w.dActiveWPDistance = ParseRealPrefix(field(7));
    text(8, w.strSoundFile);
    text(9, w.strComment);
    integer(10, w.nType);
    integer(11, w.nGeocacheState);
    integer(12, w.timeGeochacheFound);
    integer(13, w.bUseGeocacheStateForIconID);
    text(14, w.strURL);
    integer(15, w.timeCreated);
    integer(16, w.nActiveWaypointMessageType);
}

// A text database holds no NUL byte and separates its fields with 0x1F; any
// other file without the magic is not a database, and is left alone.
bool LooksLikeTextDatabase(FileByteReader& in)
{
    bool separator = false;
    char chunk[65536];
    while (in.Remaining() > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, in.Remaining()));
        if (!in.Read(chunk, n))
            return false;
        if (std::memchr(chunk, 0, n) != nullptr)
            return false;
        separator = separator || std::memchr(chunk, kFieldSeparator, n) != nullptr;
    }
    return separator || in.Size() == 0;
}

int LoadText(WaypointDatabase& db, FileByteReader& in, WaypointFileInfo& info)
{
    if (!LooksLikeTextDatabase(in) || !in.Rewind())
        return 0;
    info.version = 1;
    AnsiDecoder ansi;
    std::string line;
    while (in.ReadLine(line, kMaxLineLength)) {
        if (line.empty() || line == "\r")
            continue;
        Waypoint w;
        ParseTextLine(line, ansi, w);
        if (db.AddUnchecked(w) > 0)
            ++info.recordsRead;
    }
    return 1;
}

int LoadBinary(WaypointDatabase& db, FileByteReader& in, int version, WaypointFileInfo& info)
{
    info.version = version;
    if (version >= 8)
        return 0;
    int32_t count = 0;
    if (!in.ReadI32(count)) {
        info.truncated = true;
        return 1;
    }
    info.declaredCount = count;
    RecordReader reader(in, LayoutOf(version));
    for (int32_t i = 0; i < count; ++i) {
        Waypoint w;
        if (!reader.Read(w)) {
            info.truncated = true;
            break;
        }
        if (db.AddUnchecked(w) > 0)
            ++info.recordsRead;
    }
    return 1;
}

} // namespace

int LoadWaypointDatabase(WaypointDatabase& db, const std::string& path, WaypointFileInfo* infoOut,
                         bool rewriteTextVersion)
{
    WaypointFileInfo info;
    db.Clear();
    FileByteReader in;
    int result = 0;
    if (in.Open(path)) {
        info.opened = true;
        char header[7] = {};
        size_t headerSize = static_cast<size_t>(std::min<uint64_t>(7, in.Size()));
        in.Read(header, headerSize);
        if (headerSize >= 6 && std::memcmp(header, kWaypointFileMagic, 6) == 0) {
            result = headerSize == 7
                         ? LoadBinary(db, in, static_cast<unsigned char>(header[6]), info)
                         : 1;
            info.truncated = info.truncated || headerSize < 7;
            if (result == 0)
                db.Clear();
        } else if (in.Rewind() && LoadText(db, in, info) == 1) {
            result = 1;
            db.SetModified(false);
            info.rewritten = rewriteTextVersion && SaveWaypointDatabase(db, path) == 1;
        }
    }
    db.SetModified(false);
    if (infoOut)
        *infoOut = info;
    return result;
}

} // namespace hw
