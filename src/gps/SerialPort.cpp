#include "gps/SerialPort.h"

#include "base/FormatString.h"
#include "base/Translate.h"
#include "gps/GpsdAddress.h"
#include "gps/PortEnumeration.h"
#include "gps/PortRegistry.h"
#include "gps/ReplayFile.h"
#include "gps/SystemPortScanner.h"

namespace hw {
namespace {

// A recorded log read in place of a serial device. Writes go nowhere.
class ReplayHandle final : public SerialHandle {
public:
    bool Open(const std::string& path) { return file_.Open(path); }
    long Read(uint8_t* buffer, std::size_t n) override
    {
        return static_cast<long>(file_.Read(buffer, n));
    }
    std::size_t Write(const uint8_t*, std::size_t) override { return 0; }

private:
    ReplayFile file_;
};

} // namespace

std::unique_ptr<SerialHandle> SerialTransport::OpenGpsd(const GpsdAddress&, std::string& why)
{
    why = "not available here";
    return nullptr;
}

SerialPort::SerialPort(SerialTransport& transport, PortRegistry& registry,
                       const SystemPortScanner& scanner)
    : transport_(transport), registry_(registry), scanner_(scanner)
{
}

SerialPort::~SerialPort()
{
    Close();
}

void SerialPort::Report(bool showErrors, const std::string& text)
{
    lastError_ = text;
    if (showErrors && reporter_)
        reporter_(text, Translate("SerialPort", kErrorCaption));
}

std::string SerialPort::ResolvePort(int port)
{
    std::string path = registry_.PathFor(port);
    if (path.empty()) {
        std::vector<SystemPort> found;
        std::vector<std::string> unreadable;
        if (scanner_.Scan(found, unreadable))
            registry_.AssignNumbers(found);
        path = registry_.PathFor(port);
    }
    return path;
}

bool SerialPort::Open(int port, uint32_t baud, bool showErrors)
{
    Close();
    const std::string path = ResolvePort(port);
    SerialOpenError error = SerialOpenError::CannotOpen;
    std::unique_ptr<SerialHandle> handle;
    if (!path.empty())
        handle = transport_.OpenDevice(path, baud, error);
    lastOpenError_ = handle ? SerialOpenError::None : error;
    if (!handle) {
        switch (error) {
        case SerialOpenError::Timeouts: Report(showErrors, kTimeoutsText); break;
        case SerialOpenError::LineSettings: Report(showErrors, kLineSettingsText); break;
        case SerialOpenError::NotPermitted:
            Report(showErrors, Translate("SerialPort", kCannotOpenText) + "\n" + path + ": " +
                                   Translate("SerialTransport", kDialoutHint));
            break;
        default: Report(showErrors, Translate("SerialPort", kCannotOpenText)); break;
        }
        return false;
    }
    std::lock_guard lock(mutex_);
    handle_ = std::move(handle);
    devicePath_ = path;
    baud_ = baud;
    open_ = true;
    return true;
}

bool SerialPort::OpenGpsd(const GpsdAddress& address, bool showErrors)
{
    Close();
    lastOpenError_ = SerialOpenError::None;
    std::string why;
    std::unique_ptr<SerialHandle> handle = transport_.OpenGpsd(address, why);
    if (!handle) {
        const std::string text = FormatTranslated(
            "SerialPort", HW_TRANSLATE_NOOP("SerialPort", "无法连接到 gpsd (%s): %s"),
            address.Text().c_str(), why.c_str());
        Report(showErrors, text);
        return false;
    }
    std::lock_guard lock(mutex_);
    handle_ = std::move(handle);
    devicePath_ = std::string("gpsd://") + address.Text();
    open_ = true;
    return true;
}

bool SerialPort::OpenReplayFile(const std::string& path)
{
    Close();
    auto handle = std::make_unique<ReplayHandle>();
    if (!handle->Open(path))
        return false;
    std::lock_guard lock(mutex_);
    handle_ = std::move(handle);
    replayFile_ = path;
    open_ = true;
    return true;
}

bool SerialPort::Close()
{
    std::lock_guard lock(mutex_);
    open_ = false;
    replayFile_.clear();
    devicePath_.clear();
    if (!handle_)
        return false;
    handle_.reset();
    return true;
}

std::size_t SerialPort::Read(uint8_t* buffer, std::size_t n)
{
    std::lock_guard lock(mutex_);
    if (!handle_ || n == 0)
        return 0;
    long got = handle_->Read(buffer, n);
    if (got < 0) {
        handle_->ClearError();
        return 0;
    }
    return static_cast<std::size_t>(got);
}

std::size_t SerialPort::Write(const uint8_t* bytes, std::size_t n)
{
    std::lock_guard lock(mutex_);
    return handle_ ? handle_->Write(bytes, n) : 0;
}

void SerialPort::Purge()
{
    std::lock_guard lock(mutex_);
    if (handle_)
        handle_->Purge();
}

std::string SerialPort::ReplayFileName() const
{
    std::lock_guard lock(mutex_);
    return replayFile_;
}

std::string SerialPort::DevicePath() const
{
    std::lock_guard lock(mutex_);
    return devicePath_;
}

bool SerialPort::EnumeratePorts(std::string& error, std::vector<std::string>& warnings)
{
    PortListing listing = hw::EnumeratePorts(scanner_, registry_);
    portList_ = std::move(listing.entries);
    warnings = std::move(listing.warnings);
    error = listing.error;
    return listing.ok;
}

} // namespace hw
