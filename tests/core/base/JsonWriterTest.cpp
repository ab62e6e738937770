#include "base/JsonWriter.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

TEST(JsonWriterTest, WholeNumbersReadAsTheShortestForm)
{
    // The integer path for whole reals must give the text of the shortest
    // form: no exponent below 1e5, the sign of negative zero kept.
    for (double v : {0.0, -0.0, 1.0, -7.0, 99999.0, -99999.0, 100000.0, -100000.0, 1e15, 12.5,
                     4294967296.0, 2147483648.0, -2147483649.0}) {
        std::string out;
        JsonWriter(out).Real(v);
        char expected[40];
        auto end = std::to_chars(expected, expected + sizeof expected, v).ptr;
        EXPECT_EQ(out, std::string(expected, end)) << v;
    }
}

TEST(JsonWriterTest, EveryRealReadsAsTheShortestForm)
{
    // Decimals of up to three places (most readings) take a path of their
    // own; every real still gives the shortest text that reads back.
    std::mt19937_64 rng(5);
    std::vector<double> values = {0.01,      -0.01,    0.015,    0.0099, 0.001,     0.5,
                                  99999.999, -99999.5, 100000.5, 268.8,  0.2999999, 47.5 + 1e-12};
    for (int i = 0; i < 100000; ++i) {
        const auto digits = static_cast<double>(static_cast<int64_t>(rng() % 20000001) - 10000000);
        values.push_back(digits / std::pow(10.0, i % 7));
        values.push_back(std::bit_cast<double>(rng()));
    }
    for (double v : values) {
        std::string out;
        JsonWriter(out).Real(v);
        char expected[40] = "null";
        char* end = expected + 4;
        if (std::isfinite(v))
            end = std::to_chars(expected, expected + sizeof expected, v).ptr;
        ASSERT_EQ(out, std::string(expected, end)) << v;
    }
}

TEST(JsonWriterTest, LongTextsAndSplicedJsonInOrder)
{
    // Texts longer than the writer's own buffer, and pieces written by
    // other writers, land in order with their commas.
    const std::string text = std::string(3000, 'a') + "\"\n" + std::string(700, 'b');
    std::string quoted;
    JsonWriter::AppendQuoted(quoted, text);
    std::string element;
    JsonWriter(element).BeginObject().Key("x").Real(1.5).EndObject();
    std::string out, expected = "[";
    {
        JsonWriter j(out);
        j.BeginArray();
        for (int i = 0; i < 50; ++i) {
            j.String(text).Json(element).BeginObject().Members("").Members("\"a\":1");
            j.Key(text).Int(i).Members("").Key("b").Bool(true).EndObject();
            expected += (i ? "," : "") + quoted + "," + element + ",{\"a\":1," + quoted + ":" +
                        std::to_string(i) + ",\"b\":true}";
        }
        j.EndArray();
    }
    EXPECT_EQ(out, expected + "]");
}

TEST(JsonWriterTest, KeysEscapedOnceOrEachTimeWriteTheSame)
{
    const char* keys[] = {"prn", "q\"uote", "tab\t", "数据库", "\xff", ""};
    for (const char* key : keys) {
        std::string viaView, viaKey;
        JsonWriter(viaView).BeginObject().Key(key).Int(1).Key(key).Null().EndObject();
        JsonKey once(key);
        JsonWriter(viaKey).BeginObject().Key(once).Int(1).Key(once).Null().EndObject();
        EXPECT_EQ(viaView, viaKey) << key;
    }
    std::string longKey(200, 'k'); // past the short-key path
    std::string out;
    JsonWriter(out).BeginObject().Key("a").Int(1).Key(longKey).Int(2).EndObject();
    EXPECT_EQ(out, "{\"a\":1,\"" + longKey + "\":2}");
}

} // namespace
} // namespace hw
