#pragma once

#include <cstdint>

namespace hw {

// The platform's time-zone bias in minutes: UTC = local time + bias (so a
// zone east of Greenwich has a negative bias). Asked for a moment so that
// summer time is right.
class TimeZoneBias {
public:
    virtual ~TimeZoneBias() = default;
    virtual int BiasMinutes(int64_t utcSeconds) const = 0;

    // The local time of a UTC moment, as seconds since 1970.
    int64_t LocalSeconds(int64_t utcSeconds) const
    {
        return utcSeconds - int64_t{BiasMinutes(utcSeconds)} * 60;
    }
};

class FixedTimeZoneBias final : public TimeZoneBias {
public:
    explicit FixedTimeZoneBias(int biasMinutes = 0) : bias_(biasMinutes) {}
    int BiasMinutes(int64_t) const override { return bias_; }

private:
    int bias_;
};

// The C library's time zone (TZ and the system's zone file).
class SystemTimeZoneBias final : public TimeZoneBias {
public:
    int BiasMinutes(int64_t utcSeconds) const override;
};

} // namespace hw
