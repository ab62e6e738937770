#pragma once

#include "base/Clock.h"
#include "base/UiPacer.h"

#include <cstdint>
#include <vector>

namespace hw::test {

// Simulated time for work that waits on the UI thread: Sleep() advances the
// clock instead of sleeping, so multi-second sequences run at once.
class FakeTime final : public Clock, public UiPacer {
public:
    int64_t NowSeconds() const override { return 1'700'000'000 + ms_ / 1000; }
    int64_t MonotonicMs() const override { return ms_; }
    void PumpMessages() override { ++pumps; }
    void Sleep(int milliseconds) override { ms_ += milliseconds; }

    int64_t ElapsedMs() const { return ms_; }
    int pumps = 0;

private:
    int64_t ms_ = 0;
};

// A binary frame of the SiRF protocol built here, apart from the code under
// test: start bytes, big-endian length, payload, 15-bit sum, end bytes.
inline std::vector<uint8_t> SirfFrame(const std::vector<uint8_t>& payload)
{
    unsigned sum = 0;
    for (uint8_t b : payload)
        sum += b;
    sum &= 0x7FFF;
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 8);
    for (unsigned b :
         {0xA0u, 0xA2u, unsigned(payload.size() >> 8), unsigned(payload.size() & 0xFF)})
        frame.push_back(static_cast<uint8_t>(b));
    for (uint8_t b : payload)
        frame.push_back(b);
    for (unsigned b : {sum >> 8, sum & 0xFF, 0xB0u, 0xB3u})
        frame.push_back(static_cast<uint8_t>(b));
    return frame;
}

} // namespace hw::test

#include "gps/KeepAwake.h"
#include "gps/LinkHost.h"
#include "gps/SerialTransport.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace hw::test {

// Devices held in memory for SerialPort: each present path reads from its
// own queue. Stands in for the operating system's serial devices only.
class MemoryDevices final : public SerialTransport {
public:
    struct Line {
        std::mutex mutex;
        std::deque<uint8_t> incoming;
        std::string written;
        int reads = 0;
        // When set, each read calls it first, on the reading thread, before
        // it takes any byte: a latch for tests of what a read overlaps.
        std::function<void()> beforeRead;
    };

    std::unique_ptr<SerialHandle> OpenDevice(const std::string& path, uint32_t baud,
                                             SerialOpenError& error) override
    {
        ++opens;
        lastBaud = baud;
        if (!present.count(path)) {
            error = failure;
            return nullptr;
        }
        error = SerialOpenError::None;
        return std::make_unique<Handle>(LineFor(path));
    }
    void Send(const std::string& path, const std::string& bytes)
    {
        auto line = LineFor(path);
        std::lock_guard lock(line->mutex);
        line->incoming.insert(line->incoming.end(), bytes.begin(), bytes.end());
    }
    std::shared_ptr<Line> LineFor(const std::string& path)
    {
        auto& line = lines_[path];
        if (!line)
            line = std::make_shared<Line>();
        return line;
    }

    std::set<std::string> present;
    SerialOpenError failure = SerialOpenError::CannotOpen;
    int opens = 0;
    uint32_t lastBaud = 0;

private:
    class Handle final : public SerialHandle {
    public:
        explicit Handle(std::shared_ptr<Line> line) : line_(std::move(line)) {}
        long Read(uint8_t* buffer, std::size_t n) override
        {
            std::function<void()> latch;
            {
                std::lock_guard lock(line_->mutex);
                latch = line_->beforeRead;
            }
            if (latch)
                latch();
            std::lock_guard lock(line_->mutex);
            ++line_->reads;
            std::size_t count = std::min(n, line_->incoming.size());
            for (std::size_t i = 0; i < count; ++i) {
                buffer[i] = line_->incoming.front();
                line_->incoming.pop_front();
            }
            return static_cast<long>(count);
        }
        std::size_t Write(const uint8_t* bytes, std::size_t n) override
        {
            std::lock_guard lock(line_->mutex);
            line_->written.append(reinterpret_cast<const char*>(bytes), n);
            return n;
        }
        void Purge() override
        {
            std::lock_guard lock(line_->mutex);
            line_->incoming.clear();
        }

    private:
        std::shared_ptr<Line> line_;
    };

    std::map<std::string, std::shared_ptr<Line>> lines_;
};

} // namespace hw::test

namespace hw::test {

// The link's host and keep-awake: answers every question with `answer` and
// records the questions, errors, replay timer state and keep-awake holds.
class LinkRecorder final : public LinkHost, public KeepAwake {
public:
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answer;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void StartReplayTimer() override { replayTimer = true; }
    void StopReplayTimer() override { replayTimer = false; }
    void Hold(bool awake) override { holds.push_back(awake); }

    bool answer = true;
    bool replayTimer = false;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<bool> holds;
};

} // namespace hw::test
