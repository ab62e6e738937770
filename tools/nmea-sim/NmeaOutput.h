#pragma once

#include <chrono>
#include <string>

namespace hw::sim {

// Where the simulated receiver writes: standard output ("-"), a file
// (written whole at the end, atomically), or a serial device or
// pseudo-terminal (written as it goes, raw, at the given rate). With a rate,
// bytes leave no faster than a serial line of that many baud carries them.
class NmeaOutput {
public:
    ~NmeaOutput();
    bool Open(const std::string& path, int baud, std::string& error);
    bool IsDevice() const { return device_; }
    bool Write(const std::string& bytes, std::string& error);
    bool Finish(std::string& error);
    // Paces writes to baud / 10 bytes a second; 0 writes at once.
    void SetPacing(int baud) { pacingBaud_ = baud; }

private:
    bool WriteAll(const char* data, size_t n, std::string& error);

    std::string path_;
    int fd_ = -1;
    bool device_ = false;
    bool toFile_ = false;
    std::string pending_; // the whole file, for a file target
    int pacingBaud_ = 0;
    bool paceStarted_ = false;
    std::chrono::steady_clock::time_point paceStart_;
    double bytesSent_ = 0;
};

} // namespace hw::sim
