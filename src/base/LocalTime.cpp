#include "base/LocalTime.h"

namespace hw {

std::tm LocalCalendar(int64_t seconds)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm out{};
    if (localtime_r(&t, &out) == nullptr) {
        out = std::tm{};
        out.tm_year = 70;
        out.tm_mday = 1;
    }
    return out;
}

} // namespace hw
