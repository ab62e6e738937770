#pragma once

#include "core/GpsRecord.h"
#include "core/PortMap.h"
#include "core/SerialLine.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace fixscope {

// The message a listener gets after each update, with the state of the record.
inline constexpr unsigned kUpdateMessage = 0x80FC;
inline constexpr int kMaxListeners = 10;
// Updates reach the listeners only while the last GPRMC speed lies in this range.
inline constexpr double kMaxListenerSpeedKnots = 108;
inline constexpr std::size_t kMaxLineLength = 513;

class UpdateListener {
public:
    virtual ~UpdateListener() = default;
    // Called on the reader thread with a copy of the record taken after the
    // whole sentence was applied.
    virtual void OnDeviceMessage(unsigned message, const GpsRecord& state) = 0;
};

// The receiver's serial channel: opens a "COM%d:" port, reads it line by line
// on a reader thread, decodes the lines into the record and tells the log and
// the listeners about each update.
class SerialChannel {
public:
    SerialChannel() = default;
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;
    ~SerialChannel();

    // Opens `portName` ("COM3:") through `ports` at `baud` (see
    // EffectiveBaudRate), 8N1, and starts the reader.
    bool Open(const std::string& portName, int baud, const PortMap& ports);
    // Stops the reader and releases the port; safe to call when closed.
    void Close();
    bool IsOpen() const { return open_.load(); }
    // False once the reader has ended, e.g. because the device went away.
    bool IsReading() const { return running_.load(); }
    const std::string& PortName() const { return portName_; }
    int Baud() const { return baud_; }
    const std::string& Error() const { return error_; }

    // Sends bytes to the receiver; waits until written (or the port closes).
    bool Write(std::string_view bytes);

    // The list-box log: gets the text of each update up to its '*'. Called
    // on the reader thread; an empty function detaches it.
    void AttachLog(std::function<void(const std::string&)> log);

    // Told, on the reader thread, when the reader ends by itself because the
    // device failed or went away (unplugged), with the reason; not on Close.
    void SetEndedHandler(std::function<void(const std::string&)> ended);

    // Registers a listener once; false when ten are registered already.
    bool AddListener(UpdateListener* listener);
    void RemoveListener(UpdateListener* listener);

    // A consistent copy of the record.
    GpsRecord Snapshot() const;

    // Waits until the first update since opening; true when it came.
    bool WaitForDetect(std::chrono::milliseconds timeout);

    // Decodes one received line and, when it was an update, logs it and
    // tells the listeners. The reader calls this for every line.
    void HandleLine(std::string_view line);

private:
    void ReadLoop();

    std::string portName_ = "COM1:";
    int baud_ = 4800;
    std::string error_;

    SerialLine line_;
    std::thread reader_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> open_{false};
    std::mutex writeMutex_;
    std::array<char, 1024> lineBuffer_{};

    mutable std::mutex recordMutex_;
    GpsRecord record_;

    std::mutex notifyMutex_;
    std::function<void(const std::string&)> log_;
    std::function<void(const std::string&)> ended_;
    std::vector<UpdateListener*> listeners_;

    std::mutex detectMutex_;
    std::condition_variable detectChanged_;
    bool detected_ = false;
};

} // namespace fixscope
