#include "core/SerialChannel.h"

#include "core/NmeaDecoder.h"
#include "core/ThreadPriority.h"

#include <algorithm>

namespace fixscope {

SerialChannel::~SerialChannel()
{
    Close();
}

bool SerialChannel::Open(const std::string& portName, int baud, const PortMap& ports)
{
    Close();
    portName_ = portName;
    baud_ = baud;
    std::string device = ports.Resolve(portName);
    std::lock_guard writing(writeMutex_);
    if (device.empty()) {
        error_ = "no device for " + portName;
        return false;
    }
    if (!line_.Open(device, baud)) {
        error_ = device + ": " + line_.Error();
        return false;
    }
    error_.clear();
    {
        std::lock_guard lock(recordMutex_);
        record_ = GpsRecord{};
    }
    {
        std::lock_guard lock(detectMutex_);
        detected_ = false;
    }
    stop_ = false;
    running_ = true;
    open_ = true;
    // Everything the reader touches is in place before it starts.
    reader_ = std::thread([this] {
        LowerCurrentThreadPriority();
        ReadLoop();
        running_ = false;
        if (!stop_) {
            std::lock_guard lock(notifyMutex_);
            if (ended_)
                ended_("the device went away (unplugged?)");
        }
    });
    return true;
}

void SerialChannel::Close()
{
    stop_ = true;
    line_.Interrupt(); // wakes the reader and any writer
    if (reader_.joinable())
        reader_.join();
    std::lock_guard writing(writeMutex_);
    line_.Close();
    open_ = false;
}

bool SerialChannel::Write(std::string_view bytes)
{
    std::lock_guard writing(writeMutex_);
    return open_ && line_.Write(bytes);
}

void SerialChannel::ReadLoop()
{
    while (!stop_) {
        lineBuffer_.fill('\0');
        std::size_t length = 0;
        for (;;) {
            char byte = 0;
            if (line_.ReadByte(byte) != SerialLine::ReadStatus::Byte)
                return; // closing, or the device is gone
            lineBuffer_[length++] = byte;
            if (byte == '\r' || byte == '\n' || length >= kMaxLineLength)
                break;
        }
        if (lineBuffer_[0] == '$')
            HandleLine(std::string_view(lineBuffer_.data(), length));
    }
}

void SerialChannel::HandleLine(std::string_view line)
{
    GpsRecord snapshot;
    {
        std::lock_guard lock(recordMutex_);
        if (DecodeSentence(line, record_) != DecodeResult::Update)
            return;
        snapshot = record_;
    }
    {
        std::lock_guard lock(detectMutex_);
        detected_ = true;
    }
    detectChanged_.notify_all();

    std::lock_guard lock(notifyMutex_);
    if (log_) {
        std::size_t end = line.find_first_of("*\r\n");
        log_(std::string(line.substr(0, end)));
    }
    if (snapshot.speedKnots < 0 || snapshot.speedKnots > kMaxListenerSpeedKnots)
        return;
    for (UpdateListener* listener : listeners_)
        listener->OnDeviceMessage(kUpdateMessage, snapshot);
}

void SerialChannel::AttachLog(std::function<void(const std::string&)> log)
{
    std::lock_guard lock(notifyMutex_);
    log_ = std::move(log);
}

void SerialChannel::SetEndedHandler(std::function<void(const std::string&)> ended)
{
    std::lock_guard lock(notifyMutex_);
    ended_ = std::move(ended);
}

bool SerialChannel::AddListener(UpdateListener* listener)
{
    std::lock_guard lock(notifyMutex_);
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
        return true;
    if (listeners_.size() >= static_cast<std::size_t>(kMaxListeners))
        return false;
    listeners_.push_back(listener);
    return true;
}

void SerialChannel::RemoveListener(UpdateListener* listener)
{
    std::lock_guard lock(notifyMutex_);
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

GpsRecord SerialChannel::Snapshot() const
{
    std::lock_guard lock(recordMutex_);
    return record_;
}

bool SerialChannel::WaitForDetect(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(detectMutex_);
    return detectChanged_.wait_for(lock, timeout, [this] { return detected_; });
}

} // namespace fixscope
