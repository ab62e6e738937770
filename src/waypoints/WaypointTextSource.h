#pragma once

#include "base/PositionalFile.h"
#include "waypoints/Waypoint.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace hw {

// The database file that loaded records keep their long geocache texts in,
// held open and read with pread. Shared by every record read from it; the
// file is closed with the last of them.
//
// Another program may rewrite the file in place, shorten it, or take its
// medium away: each record's bytes are read again only when they are the
// bytes that were loaded (the checksum taken at load), so that a record is
// never given another file's texts, and a read that comes up short is an
// error, never a fault.
class WaypointTextSource {
public:
    WaypointTextSource(std::unique_ptr<PositionalFile> file, int version)
        : file_(std::move(file)), version_(version)
    {
    }

    int Version() const { return version_; }
    // Reads size bytes at offset (for a pass over many records); the number
    // read.
    std::size_t ReadAt(uint64_t offset, char* out, std::size_t size) const
    {
        return file_->ReadAt(offset, out, size);
    }
    // The record's bytes are those it was loaded from.
    static bool Matches(const WaypointFileRecord& record, std::string_view bytes);

    // Fills in the long texts of a loaded record; false when the file no
    // longer holds the record's bytes (the texts then stay as they were).
    bool DecodeTexts(const WaypointFileRecord& record, Waypoint& w) const;
    // The long texts of the record whose bytes are given, likewise.
    bool DecodeTexts(std::string_view bytes, Waypoint& w) const;

private:
    std::unique_ptr<PositionalFile> file_;
    int version_;
};

} // namespace hw
