#include "base/Translate.h"

#include <gtest/gtest.h>

#include <cstring>

namespace hw {
namespace {

std::string ToEnglish(const char* context, const char* source)
{
    if (std::strcmp(context, "Trip") == 0 && std::strcmp(source, "行程计程") == 0) {
        return "Trip odometer";
    }
    return source;
}

TEST(TranslateTest, SourceTextUntilATranslatorIsInstalledThenItsAnswer)
{
    EXPECT_EQ(Translate("Trip", "行程计程"), "行程计程");
    SetTranslator(&ToEnglish);
    EXPECT_EQ(Translate("Trip", "行程计程"), "Trip odometer");
    EXPECT_EQ(Translate("Trip", "总里程"), "总里程");
    EXPECT_EQ(Translate("Trip", ""), "");
    EXPECT_EQ(Translate("Trip", nullptr), "");
    SetTranslator(nullptr);
    EXPECT_EQ(Translate("Trip", "行程计程"), "行程计程");
}

} // namespace
} // namespace hw
