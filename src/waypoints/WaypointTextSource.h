#pragma once

#include "base/MappedFile.h"
#include "waypoints/WaypointRecordParser.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace hw {

// The database file that loaded records keep their long geocache texts in,
// mapped read-only. Shared by every record read from it; the mapping goes
// with the last of them.
class WaypointTextSource {
public:
    WaypointTextSource(std::unique_ptr<MappedFile> file, int version)
        : file_(std::move(file)), version_(version)
    {
    }

    int Version() const { return version_; }
    // The file still holds what it held when it was read. A file that
    // another program rewrote in place no longer does: its bytes are not
    // taken for the records' texts.
    bool Intact() const { return file_->Unchanged(); }
    std::string_view Bytes() const { return file_->Bytes(); }
    WaypointRecordParser Parser() const { return {file_->Bytes(), version_}; }
    // The pages of [from, to) leave memory until next read.
    void Release(uint64_t from, uint64_t to) const { file_->Release(from, to); }

    // Fills in the long texts of the record of size bytes at offset; false
    // when the file is no longer intact or no longer holds such a record
    // there (the texts then stay empty).
    bool DecodeTexts(uint64_t offset, uint64_t size, Waypoint& w) const;

private:
    std::unique_ptr<MappedFile> file_;
    int version_;
};

} // namespace hw
