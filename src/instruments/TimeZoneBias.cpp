#include "instruments/TimeZoneBias.h"

#include <ctime>

namespace hw {

int SystemTimeZoneBias::BiasMinutes(int64_t utcSeconds) const
{
    std::time_t t = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr)
        return 0;
    return static_cast<int>(-local.tm_gmtoff / 60);
}

} // namespace hw
