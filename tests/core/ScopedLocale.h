#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace hw::test {

// The comma locale the tests compare with the C locale; ./build.sh generates it.
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

// Sets every locale category for the life of the object, as the program's
// setlocale(LC_ALL, "") does, and restores the one before.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
    {
        old_ = std::setlocale(LC_ALL, nullptr);
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool Ok() const { return ok_; }

private:
    std::string old_;
    bool ok_ = false;
};

} // namespace hw::test

// Sets the comma locale for the rest of the scope; a missing locale fails the
// test (the set-up generates it) rather than passing unchecked.
#define HW_IN_COMMA_LOCALE()                                                                       \
    ::hw::test::ScopedLocale commaLocale_(::hw::test::kCommaLocale);                               \
    ASSERT_TRUE(commaLocale_.Ok())                                                                 \
        << ::hw::test::kCommaLocale << " is not installed: run ./build.sh build";                  \
    ASSERT_STREQ(std::localeconv()->decimal_point, ",")
