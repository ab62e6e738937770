#pragma once

#include "base/TextCodec.h"
#include "waypoints/Waypoint.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

// Reads the records of a binary database file (versions 2 to 7) out of its
// bytes. The long geocache texts (descriptions, hints, log texts and
// finders) may be left in the bytes: they are then only checked, and their
// fields stay empty, to be decoded when they are asked for.
class WaypointRecordParser {
public:
    enum class Texts { Decode, Defer };

    // The version byte of the header picks the layout; 0, 1 and 7 read as 7.
    WaypointRecordParser(std::string_view bytes, int version);

    // Reads other bytes of the same layout from now on.
    void Reset(std::string_view bytes) { bytes_ = bytes; }
    // Parses the record at offset into w and moves offset past it; false
    // when the bytes end inside it.
    bool Read(uint64_t& offset, Waypoint& w, Texts texts);
    // The record of size bytes at offset is in the current layout and
    // written back as the same bytes: every string is well-formed UTF-16
    // and every index names an entry of its table.
    bool WritesBackUnchanged(uint64_t offset, uint64_t size);
    // The layout of the current version.
    bool CurrentLayout() const;

private:
    struct Cursor;
    bool Fields(Cursor& at, Waypoint& w, Texts texts);
    bool String(Cursor& at, std::string& field, bool decode);

    std::string_view bytes_;
    enum Strings { S8, S16, S32 } strings_ = S32;
    bool altitudeInHundredths_ = false; // version 2
    bool visitLogTypeAndLogs_ = true;   // versions 4 and later
    bool fieldNotePending_ = true;      // versions 6 and later
    bool checkUtf16_ = false;           // strings are only looked at, not decoded
    bool wellFormed_ = true;
    std::u16string units_;
    AnsiDecoder ansi_;
};

} // namespace hw
