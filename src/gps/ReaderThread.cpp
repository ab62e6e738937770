#include "gps/ReaderThread.h"

#include "gps/SerialPort.h"

#include <system_error>

namespace hw {

std::atomic<bool> ReaderThread::paused_{false};
std::atomic<int> ReaderThread::live_{0};
std::mutex ReaderThread::burst_;

void ReaderThread::SetPaused(bool paused)
{
    paused_.store(paused);
    if (paused)
        std::lock_guard wait(burst_); // a burst in progress ends first
}

ReaderThread::~ReaderThread()
{
    Stop();
}

bool ReaderThread::Start(SerialPort& port, Consumer consumer)
{
    Stop();
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
    }
    running_ = true;
    try {
        thread_ = std::thread(&ReaderThread::Loop, this, std::ref(port), std::move(consumer));
    } catch (const std::system_error&) {
        running_ = false;
        return false;
    }
    return true;
}

void ReaderThread::Stop()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void ReaderThread::Loop(SerialPort& port, Consumer consumer)
{
    ++live_;
    uint8_t buffer[kReadSize];
    std::unique_lock lock(mutex_);
    while (!stop_ && port.IsOpen()) {
        lock.unlock();
        std::unique_lock burst(burst_);
        if (!Paused()) {
            for (int reads = 0; reads < kMaxReadsPerWake; ++reads) {
                std::size_t got = port.Read(buffer, sizeof buffer);
                if (got > 0)
                    consumer(buffer, got);
                if (got < sizeof buffer)
                    break;
            }
        }
        burst.unlock();
        lock.lock();
        wake_.wait_for(lock, kPollInterval, [this] { return stop_; });
    }
    running_ = false;
    --live_;
}

} // namespace hw
