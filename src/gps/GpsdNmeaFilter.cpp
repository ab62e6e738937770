#include "gps/GpsdNmeaFilter.h"

namespace hw {

std::size_t GpsdNmeaFilter::Filter(const uint8_t* in, std::size_t n, uint8_t* out)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t c = in[i];
        if (lineStart_ && c == '{')
            inReport_ = true;
        const bool endOfLine = c == '\n';
        if (!inReport_)
            out[kept++] = c;
        if (endOfLine)
            inReport_ = false;
        // A line begins after its end; a CR alone keeps the line's start.
        lineStart_ = endOfLine || (lineStart_ && c == '\r');
    }
    return kept;
}

} // namespace hw
