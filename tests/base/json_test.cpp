// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"
#include "base/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace hspring {
namespace {

TEST(JsonReader, WalksNestedValues) {
    JsonReader reader(R"( {"a": [1, -2.5e3, true, null], "b\u00e9\ud83d\ude00": "x\"\\\/\n"} )");
    std::string key;
    reader.enterObject();
    ASSERT_TRUE(reader.nextMember(key));
    EXPECT_EQ(key, "a");
    reader.enterArray();
    ASSERT_TRUE(reader.nextElement());
    EXPECT_EQ(reader.readNumber(), 1);
    ASSERT_TRUE(reader.nextElement());
    EXPECT_EQ(reader.readNumber(), -2500);
    ASSERT_TRUE(reader.nextElement());
    EXPECT_TRUE(reader.readBoolean());
    ASSERT_TRUE(reader.nextElement());
    EXPECT_EQ(reader.peek(), JsonReader::Kind::Null);
    reader.readNull();
    EXPECT_FALSE(reader.nextElement());
    ASSERT_TRUE(reader.nextMember(key));
    EXPECT_EQ(key, "b\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(reader.readString(), "x\"\\/\n");
    EXPECT_FALSE(reader.nextMember(key));
    reader.finish();
}

// Walks any text completely, as a consumer that skips every value would.
void skipAll(std::string_view text) {
    JsonReader reader(text);
    reader.skipValue();
    reader.finish();
}

TEST(JsonReader, AcceptsStrictJson) {
    for (const char* text : {"0", "-0", "1.5E+2", "[]", "{}", "[[],{}]", "\"日本語\"",
                             " [ 1 , 2 ] ", "{\"\":0}", "1e-400"}) {
        SCOPED_TRACE(text);
        EXPECT_NO_THROW(skipAll(text));
    }
}

TEST(JsonReader, RejectsAnythingElse) {
    for (const char* text : {"",
                             " ",
                             "[1,]",
                             "{\"a\":1,}",
                             "[,1]",
                             "[1 2]",
                             "01",
                             "1.",
                             ".5",
                             "1e",
                             "+1",
                             "-",
                             "NaN",
                             "Infinity",
                             "1e400",
                             "-1e999",
                             "'a'",
                             "\"a",
                             "\"\\x\"",
                             "\"\\u12\"",
                             "\"\\ud800\"",
                             "\"\\udc00\"",
                             "\"\x01\"",
                             "\"\xC0\xAF\"",
                             "\"\xED\xA0\x80\"",
                             "\"\xF5\x80\x80\x80\"",
                             "\"\xE3\x81\"",
                             "tru",
                             "nul",
                             "[1] 2",
                             "{\"a\" 1}",
                             "{1:2}",
                             "// x\n1",
                             "[1]]"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(skipAll(text), JsonSyntaxError);
    }
}

TEST(JsonReader, LimitsNesting) {
    const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    EXPECT_NO_THROW(skipAll(nested(JsonReader::kMaxDepth)));
    EXPECT_THROW(skipAll(nested(JsonReader::kMaxDepth + 1)), JsonSyntaxError);
    EXPECT_THROW(skipAll(std::string(100000, '[')), JsonSyntaxError);
}

TEST(JsonReader, TinyNumbersReadAsSignedZero) {
    JsonReader reader("-1e-400");
    const double value = reader.readNumber();
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(std::signbit(value));
    EXPECT_EQ(JsonReader("0.0000000000000000000000000000000001e-300").readNumber(), 0);
    EXPECT_THROW(JsonReader("100000000000000000000e300").readNumber(), JsonSyntaxError);
}

TEST(JsonWriter, DoublesReadBackToTheSameDouble) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        double value;
        const std::uint64_t b = bits(random);
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value))
            continue;
        std::string text;
        JsonWriter(text).number(value);
        const double back = JsonReader(text).readNumber();
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    }
}

// Whole numbers take a shorter road; the text is still the shortest form's, byte for byte, on
// both sides of where the road ends, and minus zero keeps its sign.
TEST(JsonWriter, WholeNumbersAsTheShortestFormWritesThem) {
    std::vector<double> values;
    for (int i = -100001; i <= 100001; ++i)
        values.push_back(i);
    for (const double value : {-0.0, 0.5, -0.5, 99999.5, 99999.999999999985, 1e5 - 1e-11, 1e15,
                               1e16, 4503599627370497.0, -1e22})
        values.push_back(value);
    for (const double value : values) {
        char expected[32];
        const auto end = std::to_chars(expected, expected + sizeof expected, value).ptr;
        std::string text;
        JsonWriter(text).number(value);
        ASSERT_EQ(text, std::string(expected, end)) << value;
    }
    std::string text;
    JsonWriter(text).number(-0.0);
    EXPECT_EQ(text, "-0");
}

TEST(JsonWriter, EscapesWhereverTheByteStands) {
    // Long texts go through the word-at-a-time test: every special byte at every position.
    for (const char special : {'"', '\\', '\n', '\x01', '\x1f'}) {
        for (std::size_t at = 0; at <= 18; ++at) {
            std::string text = "abcdefghijklmnopqr日本語";
            text.insert(at, 1, special);
            std::string json;
            JsonWriter(json).string(text);
            EXPECT_EQ(JsonReader(json).readString(), text) << json;
        }
    }
    std::string json;
    JsonWriter(json).string("0123456789 \x7f\xc3\xa9 ~!");
    EXPECT_EQ(json, "\"0123456789 \x7f\xc3\xa9 ~!\"");
}

TEST(JsonWriter, WritesCompactJsonThatReadsBack) {
    std::string text;
    JsonWriter json(text);
    json.beginObject();
    json.key("n");
    json.number(0.1);
    json.key("missing");
    json.number(std::numeric_limits<double>::quiet_NaN());
    json.key("list");
    json.beginArray();
    json.integer(-7);
    json.string("初張力(\"\\\n\x01)");
    json.boolean(false);
    json.null();
    json.endArray();
    json.endObject();
    EXPECT_EQ(text, R"j({"n":0.1,"missing":null,"list":[-7,"初張力(\"\\\n\u0001)",false,null]})j");
    EXPECT_NO_THROW(skipAll(text));
}

// The writer gathers its text in pieces of a few kilobytes: numbers, keys and texts that cross
// from one piece to the next, and a text longer than a piece, come out whole and in order.
TEST(JsonWriter, TextLongerThanItsBufferComesOutWhole) {
    std::string expected = "[";
    std::string text;
    {
        JsonWriter json(text);
        json.beginArray();
        for (int i = 0; i < 3000; ++i) {
            const double value = 0.1 * i + 1e-3;
            char digits[32];
            expected.append(i ? "," : "")
                .append(digits, std::to_chars(digits, digits + 32, value).ptr);
            json.number(value);
        }
        json.beginObject();
        expected += ",{";
        std::string longText;
        for (int i = 0; i < 5000; ++i) {
            json.key("k");
            json.string("初張力");
            expected += (i ? ",\"k\":\"初張力\"" : "\"k\":\"初張力\"");
            longText += i % 100 ? 'a' : '"';
        }
        json.key("long");
        json.string(longText);
        expected += ",\"long\":\"";
        for (const char c : longText)
            expected += c == '"' ? "\\\"" : std::string(1, c);
        expected += "\"}]";
        json.endObject();
        json.endArray();
        EXPECT_EQ(text, expected); // the outermost value is complete: all of it is in the string
    }
    EXPECT_EQ(text, expected);
}

} // namespace
} // namespace hspring
