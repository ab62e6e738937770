#pragma once

#include "base/ByteSink.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
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
    // Writes the file's bytes into the sink; false when they could not all
    // be made.
    using Producer = std::function<bool(ByteSink&)>;
    // Told on the writer's thread whether a write reached the disk; a write
    // that was taken over by a newer one is not told.
    using Done = std::function<void(bool written)>;

    BackgroundFileWriter() = default;
    ~BackgroundFileWriter();
    BackgroundFileWriter(const BackgroundFileWriter&) = delete;
    BackgroundFileWriter& operator=(const BackgroundFileWriter&) = delete;

    void Write(std::string path, std::string bytes);
    // Bytes too many to hold twice: made while they are written.
    void Write(std::string path, Producer produce, Done done = {});
    // Waits until every write asked so far has been done.
    void Wait();
    // As Wait, for at most a while; true when nothing is left to write.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Writes done and writes that failed (the old file then stays).
    uint64_t Written() const;
    uint64_t Failed() const;
    // Whether a write to path waits or runs.
    bool Pending(const std::string& path) const;

    // Waits until no writer of this process has a write to path waiting or
    // running: a reader of the file then reads the newest bytes asked.
    static void WaitForPath(const std::string& path);

private:
    struct Job {
        std::string path;
        Producer produce;
        Done done;
    };
    void Run();
    void Queue(Job job);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    std::string running_; // the path being written, empty when none
    bool busy_ = false;
    bool stop_ = false;
    uint64_t written_ = 0;
    uint64_t failed_ = 0;
    std::thread thread_; // started with the first write
};

} // namespace hw
