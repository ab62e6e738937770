#pragma once

#include "base/ByteSink.h"

#include <string>

namespace hw::test {

// Bytes written into memory, for comparing what a writer made.
class StringSink final : public ByteSink {
public:
    bool Write(const char* data, size_t size) override
    {
        bytes.append(data, size);
        return true;
    }
    std::string bytes;
};

} // namespace hw::test
