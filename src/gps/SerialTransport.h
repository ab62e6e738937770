#pragma once

#include "base/Translate.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace hw {

struct GpsdAddress;

// One open byte source for SerialPort: a serial device, the GPS daemon's
// stream or a replay file.
class SerialHandle {
public:
    virtual ~SerialHandle() = default;
    // Returns at once with at most n bytes (0 when none are waiting), or -1
    // when the read failed.
    virtual long Read(uint8_t* buffer, std::size_t n) = 0;
    // Clears the device's error state after a failed read.
    virtual void ClearError() {}
    // Returns the number of bytes written (may be short, 0 on failure).
    virtual std::size_t Write(const uint8_t* bytes, std::size_t n) = 0;
    // Discards what waits in the receive and transmit queues.
    virtual void Purge() {}
};

// Said when the user may not open a serial device: on Linux the devices
// belong to the group dialout.
inline constexpr const char* kDialoutHint = HW_TRANSLATE_NOOP(
    "SerialTransport",
    "没有权限打开串口设备。请把用户加入 dialout 组 (sudo adduser $USER dialout)，然后重新登录。");

// Which step of opening a serial device failed.
enum class SerialOpenError {
    None,
    CannotOpen,   // missing, or in use by someone else
    NotPermitted, // the user may not open it (not in the device's group)
    Timeouts,     // the device takes no time-outs (it is not a terminal)
    LineSettings, // the rate or framing was refused
};

// Opens serial devices by path, and the GPS daemon by address. The platform layer holds the real
// one.
class SerialTransport {
public:
    virtual ~SerialTransport() = default;
    // Opens the device exclusively for reading and writing with the given
    // rate, 8 data bits, no parity, 1 stop bit, DTR and RTS on, reads that
    // never block. On failure returns null and says which step failed.
    virtual std::unique_ptr<SerialHandle> OpenDevice(const std::string& path, uint32_t baud,
                                                     SerialOpenError& error) = 0;
    // Connects to the GPS daemon and asks for the receiver's sentences; on
    // failure returns null and says why in a few words.
    virtual std::unique_ptr<SerialHandle> OpenGpsd(const GpsdAddress& address, std::string& why);
};

} // namespace hw
