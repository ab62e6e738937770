#include "NmeaLogFeed.h"

#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"

#include <cstdio>
#include <memory>

namespace hw::tool {
namespace {

class GgaSink final : public NotificationSink {
public:
    explicit GgaSink(const std::function<void(const GpsFix&)>& onGga) : onGga_(onGga) {}
    void SetParser(const NmeaParser* parser) { parser_ = parser; }
    void Post(uint32_t message, uintptr_t, intptr_t) override
    {
        if (message == WM_GPS_GGA && parser_ != nullptr)
            onGga_(parser_->Snapshot());
    }

private:
    const std::function<void(const GpsFix&)>& onGga_;
    const NmeaParser* parser_ = nullptr;
};

} // namespace

bool FeedNmeaLog(const std::string& path, const std::function<void(const GpsFix&)>& onGga,
                 std::string& error)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
    if (!in) {
        error = "cannot open '" + path + "'";
        return false;
    }
    GgaSink sink(onGga);
    NmeaParser parser(&sink);
    sink.SetParser(&parser);
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        parser.Feed(buffer, n);
    if (std::ferror(in.get())) {
        error = "cannot read '" + path + "'";
        return false;
    }
    return true;
}

} // namespace hw::tool
