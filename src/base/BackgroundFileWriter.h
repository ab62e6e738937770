#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace hw {

// Replaces files atomically on a thread of its own, so that the caller never
// waits for the disk. Writes happen in the order asked; a write asked while
// an earlier one to the same path still waits takes its place (only the
// newest bytes matter). The destructor finishes every write asked.
class BackgroundFileWriter {
public:
    BackgroundFileWriter() = default;
    ~BackgroundFileWriter();
    BackgroundFileWriter(const BackgroundFileWriter&) = delete;
    BackgroundFileWriter& operator=(const BackgroundFileWriter&) = delete;

    void Write(std::string path, std::string bytes);
    // Waits until every write asked so far has been done.
    void Wait();
    // Writes done and writes that failed (the old file then stays).
    uint64_t Written() const;
    uint64_t Failed() const;

private:
    struct Job {
        std::string path;
        std::string bytes;
    };
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stop_ = false;
    uint64_t written_ = 0;
    uint64_t failed_ = 0;
    std::thread thread_; // started with the first write
};

} // namespace hw
