#pragma once

#include "base/NotificationSink.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace hw::test {

// "$" body "*" checksum CR LF, the checksum computed here independently of
// the parser.
inline std::string NmeaSentence(const std::string& body)
{
    unsigned sum = 0;
    for (unsigned char c : body)
        sum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum & 0xFFu);
    return "$" + body + tail;
}

// Records posted notifications in order.
class RecordingSink final : public NotificationSink {
public:
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (wParam != 0 || lParam != 0)
            nonZeroParameters = true;
        messages_.push_back(message);
    }
    std::vector<uint32_t> Messages() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    std::vector<uint32_t> Take()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<uint32_t> out;
        out.swap(messages_);
        return out;
    }
    bool nonZeroParameters = false;

private:
    mutable std::mutex mutex_;
    std::vector<uint32_t> messages_;
};

} // namespace hw::test
