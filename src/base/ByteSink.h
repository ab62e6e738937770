#pragma once

#include <cstddef>

namespace hw {

// Where a writer's bytes go. Write returns false when not every byte could
// be written.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
};

} // namespace hw
