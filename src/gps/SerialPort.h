#pragma once

#include "base/Translate.h"
#include "gps/ByteSource.h"
#include "gps/SerialTransport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace hw {

struct GpsdAddress;
class PortRegistry;
class SystemPortScanner;

// The receiver's port: a serial device opened by port number ("COM<n>:"
// resolved through the port registry), the GPS daemon or a replay file; reading code does not
// care which. Opened and closed on the UI thread, read by the reader thread:
// a read holds the handle, so Close() waits for a read in progress.
class SerialPort final : public ByteSource {
public:
    static constexpr uint32_t kDefaultBaud = 4800;
    static constexpr const char* kErrorCaption = HW_TRANSLATE_NOOP("SerialPort", "通信错误");
    static constexpr const char* kCannotOpenText =
        HW_TRANSLATE_NOOP("SerialPort", "无法打开端口.请关闭该应用程序访问通讯端口");
    static constexpr const char* kTimeoutsText = "SetCommTimeouts - Fail";
    static constexpr const char* kLineSettingsText = "SetCommState - Fail";

    // Shows an error message box (text, caption).
    using ErrorReporter = std::function<void(const std::string& text, const std::string& caption)>;

    SerialPort(SerialTransport& transport, PortRegistry& registry,
               const SystemPortScanner& scanner);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    // Closes what is open, then opens port "COM<port>:" at the rate. A
    // number not yet mapped is looked for among newly found devices first.
    // With showErrors, a failure is reported through the error reporter.
    bool Open(int port, uint32_t baud, bool showErrors);
    // Closes what is open, then connects to the GPS daemon; its stream is
    // read like a serial device's.
    bool OpenGpsd(const GpsdAddress& address, bool showErrors);
    // Opens a recorded log as the handle; false when it cannot be read.
    bool OpenReplayFile(const std::string& path);
    // True when something was closed.
    bool Close();
    bool IsOpen() const { return open_.load(); }

    // At most n bytes, at once; 0 when closed or nothing waits. A failed
    // read clears the device's error state.
    std::size_t Read(uint8_t* buffer, std::size_t n) override;
    std::size_t Write(const uint8_t* bytes, std::size_t n);
    void Purge();

    uint32_t Baud() const { return baud_; }
    // Why the last open failed, whether or not it was shown.
    const std::string& LastError() const { return lastError_; }
    // How the last Open() of a device failed (None after a success).
    SerialOpenError LastOpenError() const { return lastOpenError_; }
    std::string ReplayFileName() const;
    // The device path of the open port ("gpsd://HOST:PORT" for the daemon);
    // empty for a replay file or none.
    std::string DevicePath() const;

    // Fills the port list from the system; false with the message in error.
    bool EnumeratePorts(std::string& error, std::vector<std::string>& warnings);
    const std::vector<std::string>& PortList() const { return portList_; }

private:
    void Report(bool showErrors, const std::string& text);
    std::string ResolvePort(int port);

    SerialTransport& transport_;
    PortRegistry& registry_;
    const SystemPortScanner& scanner_;
    ErrorReporter reporter_;

    mutable std::mutex mutex_; // guards handle_, replayFile_, devicePath_
    std::unique_ptr<SerialHandle> handle_;
    std::atomic<bool> open_{false};
    std::string replayFile_;
    std::string devicePath_;
    uint32_t baud_ = kDefaultBaud;
    std::vector<std::string> portList_;
    std::string lastError_;
    SerialOpenError lastOpenError_ = SerialOpenError::None;
};

} // namespace hw
