#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace hw::test {

// Sets the local time zone for the life of the object (POSIX form such as
// "CST-8" or "UTC0" needs no zone database) and restores the one before.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz)
    {
        const char* old = std::getenv("TZ");
        hadOld_ = old != nullptr;
        if (hadOld_)
            old_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool hadOld_ = false;
    std::string old_;
};

} // namespace hw::test
