#pragma once

#include "gps/SerialTransport.h"

#include <cstdio>
#include <memory>
#include <string>

namespace hw {

// A recorded NMEA log read in place of a serial device. Writes go nowhere.
class ReplayFileHandle final : public SerialHandle {
public:
    // Returns null when the file cannot be opened for reading.
    static std::unique_ptr<ReplayFileHandle> Open(const std::string& path);

    long Read(uint8_t* buffer, std::size_t n) override;
    std::size_t Write(const uint8_t*, std::size_t) override { return 0; }

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    explicit ReplayFileHandle(std::FILE* file) : file_(file) {}
    std::unique_ptr<std::FILE, FileCloser> file_;
};

} // namespace hw
