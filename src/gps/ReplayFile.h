#pragma once

#include "gps/ByteSource.h"

#include <string>

namespace hw {

// A recorded NMEA log opened read-only in place of the receiver. Reads return
// the file's bytes in order and nothing once the end is reached. Neither
// opening nor reading ever waits: a pipe or FIFO whose writer is slow or
// absent reads as nothing for now, as a silent receiver does.
class ReplayFile final : public ByteSource {
public:
    ReplayFile() = default;
    ~ReplayFile() override;
    ReplayFile(const ReplayFile&) = delete;
    ReplayFile& operator=(const ReplayFile&) = delete;

    // Closes any open file first; false when path cannot be opened.
    bool Open(const std::string& path);
    bool Close(); // whether a file was open
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Name() const { return name_; } // empty unless open

    size_t Read(uint8_t* buffer, size_t capacity) override;

private:
    int fd_ = -1;
    std::string name_;
};

} // namespace hw
