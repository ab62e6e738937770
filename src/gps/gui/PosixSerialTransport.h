#pragma once

#include "gps/SerialTransport.h"

namespace hw {

// Serial devices through termios. Chosen over QSerialPort because the reader
// thread reads the port while the UI thread owns it, which a QObject bound to
// one thread's event loop does not allow, and because termios gives exact
// control of the line settings and of exclusive access.
//
// Exclusive: an advisory lock on the open device (honoured by other careful
// programs and by a second open in this one) plus the terminal's exclusive
// mode (refuses further opens by other users). Pseudo-terminals work; their
// modem lines do not exist, so failing to raise DTR and RTS is ignored.
class PosixSerialTransport final : public SerialTransport {
public:
    std::unique_ptr<SerialHandle> OpenDevice(const std::string& path, uint32_t baud,
                                             SerialOpenError& error) override;
    std::unique_ptr<SerialHandle> OpenGpsd(const GpsdAddress& address, std::string& why) override;
};

} // namespace hw
