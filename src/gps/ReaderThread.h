#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace hw {

class SerialPort;

// The one thread that reads the receiver: every 200 ms it reads what the
// port holds, 128 bytes a read, and hands the bytes on. It skips its reads
// while the process-wide reader-paused flag is set (the SiRF set-up talks to
// the receiver itself then), and ends when the port is closed or Stop() is
// called. Start() makes sure the previous thread has ended and is joined, so
// at most one exists.
class ReaderThread {
public:
    static constexpr auto kPollInterval = std::chrono::milliseconds(200);
    static constexpr std::size_t kReadSize = 128;
    // While a read fills the buffer the receiver is ahead of us (fast rates):
    // read again at once, up to this many reads a wake-up, so that the
    // driver's queue never overflows.
    static constexpr int kMaxReadsPerWake = 32;

    // Receives the bytes read, on the reader thread.
    using Consumer = std::function<void(const uint8_t* bytes, std::size_t n)>;

    ReaderThread() = default;
    ~ReaderThread();
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    // False when the thread cannot be created.
    bool Start(SerialPort& port, Consumer consumer);
    // Wakes the thread, makes it end and joins it.
    void Stop();
    bool Running() const { return running_.load(); }

    // Pausing waits for a read burst in progress to end, so that once it
    // returns no byte of the receiver's goes to the reader any more.
    static void SetPaused(bool paused);
    static bool Paused() { return paused_.load(); }
    // How many reader threads are alive in the process (0 or 1).
    static int LiveCount() { return live_.load(); }

private:
    void Loop(SerialPort& port, Consumer consumer);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<bool> running_{false};

    static std::atomic<bool> paused_;
    static std::mutex burst_; // held by the reader while it reads
    static std::atomic<int> live_;
};

} // namespace hw
