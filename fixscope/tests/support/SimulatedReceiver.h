#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fixscope::test {

// A GPS receiver on the far side of a pseudo-terminal pair: it repeats its
// sentences on the master side and keeps every byte it receives. Fixscope
// opens the slave side like any serial device.
class SimulatedReceiver {
public:
    SimulatedReceiver();
    SimulatedReceiver(const SimulatedReceiver&) = delete;
    SimulatedReceiver& operator=(const SimulatedReceiver&) = delete;
    ~SimulatedReceiver();

    bool IsValid() const { return master_ >= 0; }
    // The device Fixscope opens, e.g. /dev/pts/7.
    const std::string& DevicePath() const { return devicePath_; }

    // Starts sending `lines` (complete, with CR LF) over and over, one round
    // every `interval`; an empty list keeps the receiver silent.
    void Start(std::vector<std::string> lines, std::chrono::milliseconds interval);
    void Stop();

    // Every byte received so far.
    std::string Received() const;
    // Waits until at least `count` bytes have arrived.
    bool WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const;

    // "$" body "*" checksum CR LF, the way a receiver frames a sentence.
    static std::string Sentence(const std::string& body);
    // A receiver with a 3D fix near 47°36'N 122°20'W, 10 satellites in view.
    static std::vector<std::string> FixScenario();

private:
    void Run(std::vector<std::string> lines, std::chrono::milliseconds interval);

    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::string received_;
};

} // namespace fixscope::test
