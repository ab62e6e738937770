#include "base/JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hw {
namespace {

TEST(JsonWriterTest, NestingCommasAndNumbers)
{
    std::string out;
    JsonWriter j(out);
    j.BeginObject()
        .Key("a")
        .Int(-3)
        .Key("b")
        .BeginArray()
        .UInt(4000000000u)
        .Real(0.1)
        .Real(47.123456789, 6)
        .Bool(true)
        .Null()
        .BeginObject()
        .EndObject()
        .BeginArray()
        .EndArray()
        .EndArray()
        .Key("c")
        .Real(std::numeric_limits<double>::quiet_NaN())
        .Key("d")
        .Real(-std::numeric_limits<double>::infinity(), 2)
        .EndObject();
    EXPECT_EQ(out, R"({"a":-3,"b":[4000000000,0.1,47.123457,true,null,{},[]],"c":null,"d":null})");
}

TEST(JsonWriterTest, StringsAreEscapedAndAlwaysValidUtf8)
{
    std::string out;
    JsonWriter::AppendQuoted(out, "q\"b\\n\n\t\x01\x7f 数据库");
    EXPECT_EQ(out, "\"q\\\"b\\\\n\\n\\t\\u0001\\u007f 数据库\"");
    out.clear();
    // A lone continuation byte, a cut sequence, an overlong form, a surrogate.
    JsonWriter::AppendQuoted(out, std::string("a\x80"
                                              "b\xE6\x95"
                                              "c\xC0\xAF"
                                              "d\xED\xA0\x80",
                                              12));
    EXPECT_EQ(out, "\"a\xEF\xBF\xBD"
                   "b\xEF\xBF\xBD\xEF\xBF\xBD"
                   "c\xEF\xBF\xBD\xEF\xBF\xBD"
                   "d\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

} // namespace
} // namespace hw
