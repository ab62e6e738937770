#include "waypoints/WaypointRecordParser.h"

#include "waypoints/WaypointTables.h"

#include <bit>
#include <cstring>

namespace hw {

static_assert(std::endian::native == std::endian::little, "records are read in place");

// A read position in the bytes; every read checks what is left first.
struct WaypointRecordParser::Cursor {
    std::string_view bytes;
    uint64_t at;

    bool Has(uint64_t n) const { return n <= bytes.size() - at; }
    template <typename T> bool Raw(T& v)
    {
        if (!Has(sizeof v))
            return false;
        std::memcpy(&v, bytes.data() + at, sizeof v);
        at += sizeof v;
        return true;
    }
    bool U8(int& field)
    {
        uint8_t v;
        if (!Raw(v))
            return false;
        field = v;
        return true;
    }
    bool U8(uint8_t& field) { return Raw(field); }
    bool U16(int& field)
    {
        uint16_t v;
        if (!Raw(v))
            return false;
        field = v;
        return true;
    }
};

WaypointRecordParser::WaypointRecordParser(std::string_view bytes, int version) : bytes_(bytes)
{
    switch (version) {
    case 2: altitudeInHundredths_ = true; [[fallthrough]];
    case 3: visitLogTypeAndLogs_ = false; [[fallthrough]];
    case 4:
        strings_ = S8;
        fieldNotePending_ = false;
        break;
    case 5:
        strings_ = S16;
        fieldNotePending_ = false;
        break;
    case 6: strings_ = S16; break;
    default: break; // 0, 1 and 7: the current layout
    }
}

bool WaypointRecordParser::CurrentLayout() const
{
    return strings_ == S32 && !altitudeInHundredths_ && visitLogTypeAndLogs_ && fieldNotePending_;
}

bool WaypointRecordParser::Read(uint64_t& offset, Waypoint& w, Texts texts)
{
    Cursor at{bytes_, offset};
    if (offset > bytes_.size() || !Fields(at, w, texts))
        return false;
    offset = at.at;
    return true;
}

bool WaypointRecordParser::WritesBackUnchanged(uint64_t offset, uint64_t size)
{
    if (!CurrentLayout() || offset > bytes_.size())
        return false;
    Cursor at{bytes_, offset};
    Waypoint w;
    checkUtf16_ = true;
    wellFormed_ = true;
    const bool whole = Fields(at, w, Texts::Defer);
    checkUtf16_ = false;
    return whole && at.at - offset == size && wellFormed_ && w.icon < kSymbolCount &&
           w.nGeocacheState < kGeocacheStateCount &&
           w.nActiveWaypointMessageType < kActiveWaypointMessageTypeCount;
}

bool WaypointRecordParser::Fields(Cursor& at, Waypoint& w, Texts texts)
{
    const bool decode = texts == Texts::Decode;
    GeocacheInfo& g = w.geocache;
    if (!at.Raw(w.nLatitude) || !at.Raw(w.nLongitude))
        return false;
    if (altitudeInHundredths_) {
        int32_t hundredths;
        if (!at.Raw(hundredths))
            return false;
        w.fAltitude = static_cast<float>(hundredths * 0.01);
    } else if (!at.Raw(w.fAltitude)) {
        return false;
    }
    if (!String(at, w.strName, true) || !at.U16(w.icon) || !at.U8(w.bActiveWaypoint) ||
        !at.Raw(w.dActiveWPDistance) || !String(at, w.strSoundFile, true) ||
        !String(at, w.strComment, true) || !at.U16(w.nType) || !at.U16(w.nGeocacheState) ||
        !at.Raw(w.timeGeochacheFound) || !at.U8(w.bUseGeocacheStateForIconID) ||
        !String(at, w.strURL, true) || !at.Raw(w.timeCreated) ||
        !at.U16(w.nActiveWaypointMessageType) || !String(at, w.strFieldNotes, true))
        return false;
    if (visitLogTypeAndLogs_ && !at.Raw(w.nVisitLogType))
        return false;
    if (!at.U8(g.bLongDescriptionHtml) || !String(at, g.strLongDescription, decode) ||
        !at.U8(g.bShortDescriptionHtml) || !String(at, g.strShortDescription, decode) ||
        !String(at, g.strEncodedHints, decode) || !at.U8(g.bAvailable) || !at.U8(g.bArchived) ||
        !String(at, g.strCacheName, true) || !String(at, g.strContainer, true) ||
        !String(at, g.strCountry, true) || !String(at, g.strState, true) ||
        !String(at, g.strPlacedBy, true) || !String(at, g.strCacheType, true) ||
        !at.U8(g.nDifficulty) || !at.U8(g.nTerrain))
        return false;
    if (fieldNotePending_ && !at.U8(g.bFieldNotePending))
        return false;
    if (visitLogTypeAndLogs_) {
        for (GeocacheLog& log : g.logs) {
            if (!String(at, log.strText, decode) || !at.U8(log.nLogType) ||
                !at.U8(log.bTextEncoded) || !at.Raw(log.timeDate) ||
                !String(at, log.strFinder, decode))
                return false;
        }
    }
    return true;
}

// A string whose count runs past the end of the bytes is not read: the count
// is checked against what is left before anything is allocated.
bool WaypointRecordParser::String(Cursor& at, std::string& field, bool decode)
{
    uint64_t count;
    if (strings_ == S32) {
        uint32_t n;
        if (!at.Raw(n))
            return false;
        count = n;
    } else {
        uint16_t n;
        if (!at.Raw(n))
            return false;
        count = n;
    }
    const uint64_t size = strings_ == S8 ? count : count * 2;
    if (!at.Has(size))
        return false;
    const char* data = bytes_.data() + at.at;
    at.at += size;
    field.clear();
    if (checkUtf16_) {
        // Lone surrogates would come back as U+FFFD.
        for (uint64_t i = 0; i < count && wellFormed_; ++i) {
            const auto u =
                static_cast<char16_t>(static_cast<unsigned char>(data[2 * i]) |
                                      (static_cast<unsigned char>(data[2 * i + 1]) << 8));
            if (u >= 0xD800 && u <= 0xDBFF) {
                const bool pair =
                    i + 1 < count && (static_cast<unsigned char>(data[2 * i + 3]) & 0xFC) == 0xDC;
                wellFormed_ = pair;
                ++i;
            } else if (u >= 0xDC00 && u <= 0xDFFF) {
                wellFormed_ = false;
            }
        }
        if (!decode)
            return true;
    }
    if (!decode || count == 0)
        return true;
    if (strings_ == S8) {
        field = ansi_.Decode(std::string_view(data, size));
        return true;
    }
    // Most texts are ASCII: their low bytes are the UTF-8.
    field.resize(count);
    bool ascii = true;
    for (uint64_t i = 0; i < count && ascii; ++i) {
        ascii = data[2 * i + 1] == 0 && static_cast<unsigned char>(data[2 * i]) < 0x80;
        field[i] = data[2 * i];
    }
    if (ascii)
        return true;
    field.clear();
    units_.resize(count);
    std::memcpy(units_.data(), data, size);
    AppendUtf16AsUtf8(field, units_);
    return true;
}

} // namespace hw
