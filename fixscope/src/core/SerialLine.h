#pragma once

#include <string>
#include <string_view>

namespace fixscope {

// The rate actually used for a requested one: the rates the line supports are
// taken as they are, anything else gives 4800.
int EffectiveBaudRate(int requested);

// Why a device could not be opened, from errno: "no such device", "busy: …"
// or "permission denied: …" with the hint about the dialout group.
std::string OpenErrorText(int error);

// One open serial device: exclusive, raw 8N1, DTR and RTS on, queues purged.
// ReadByte and Write wait until they can proceed; Interrupt wakes them for
// good so that another thread can close the line safely.
class SerialLine {
public:
    SerialLine() = default;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;
    ~SerialLine();

    // Opens an existing terminal device; false (with `Error()`) otherwise.
    bool Open(const std::string& devicePath, int baud);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }

    enum class ReadStatus { Byte, Interrupted, Failed };
    // Waits until one byte arrives.
    ReadStatus ReadByte(char& byte);
    // Writes all bytes; false when interrupted or the device failed.
    bool Write(std::string_view bytes);
    void Interrupt();

private:
    // Waits for `events` on the device: Byte when ready.
    ReadStatus WaitFor(short events);

    int fd_ = -1;
    int wakeFd_ = -1;
    std::string error_;
};

} // namespace fixscope
