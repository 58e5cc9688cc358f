#include "skin/SkinValues.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

using SkinValues::Check;

namespace {

std::string Shown(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : "null";
}

TEST(SkinValues, IntegerListsSplitAtCommasSkipEmptyFieldsAndReadEachLikeAtoi) {
    const int untouched = 12345;
    const struct {
        const char* text;
        int count;
        std::vector<int> values; // empty: the value is invalid
    } cases[] = {
        {"0,0,275,116,99", 4, {0, 0, 275, 116}},
        {",,1,,,2,3,,4,,", 4, {1, 2, 3, 4}},
        {"1,2,3,4,5,6,7", 8, {}},
        {"1,2,3,4,5,6,7,8", 8, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"1 2,3", 2, {1, 3}},
        {"99999999999,-99999999999,2147483647,-2147483648",
         4,
         {INT_MAX, INT_MIN, INT_MAX, INT_MIN}},
        {"2147483648,-2147483649,000000000000000000001", 3, {INT_MAX, INT_MIN, 1}},
        {"7", 1, {7}},
        {",", 1, {}},
        {"", 1, {}},
        {nullptr, 1, {}},
    };
    for (const auto& test : cases) {
        std::vector<int> got(size_t(test.count), untouched);
        const bool read = SkinValues::ReadIntegers(test.text, test.count, got.data());
        EXPECT_EQ(!test.values.empty(), read) << Shown(test.text);
        EXPECT_EQ(test.values.empty() ? std::vector<int>(size_t(test.count), untouched)
                                      : test.values,
                  got)
            << Shown(test.text);
    }
}

TEST(SkinValues, EachFieldReadsAsThePlatformsAtoiReadsIt) {
    const char* const fields[] = {
        "-42", "+42", " \t\r\n\v\f17", "3.9", "0x1A", "12abc", "abc",
        "",    " ",   "- 5",           "+-5", "-0",   "007",   "\xA0\x35"}; // a no-break space
    for (const char* field : fields) {
        const std::vector<int> values = SkinValues::Integers((std::string(field) + ",").c_str());
        ASSERT_EQ(*field ? 1u : 0u, values.size()) << Shown(field);
        if (*field) {
            EXPECT_EQ(atoi(field), values[0]) << Shown(field);
        }
    }
}

TEST(SkinValues, ColoursAreTheHexNumberAfterTheHashSwappedIntoThePlatformsOrder) {
    const struct {
        const char* text;
        bool read;
        std::uint32_t rrggbb;
    } cases[] = {
        {"#FF00FF", true, 0xFF00FF},
        {"#b10d01", true, 0xB10D01},
        {"#ff", true, 0xFF},
        {"#1a2B3cjunk", true, 0x1A2B3C},
        {"# \t 123456", true, 0x123456},
        {"#0x10", true, 0x10},
        {"#+10", true, 0x10},
        {"#-1", true, 0xFFFFFFFF},
        {"#123456789", true, 0x23456789},
        {"FF00FF", false, 0},
        {" #FF00FF", false, 0},
        {"#", false, 0},
        {"#xyz", false, 0},
        {"", false, 0},
        {nullptr, false, 0},
    };
    for (const auto& test : cases) {
        std::uint32_t got = 0xDEADBEEF;
        EXPECT_EQ(test.read, SkinValues::ReadColour(test.text, got)) << Shown(test.text);
        if (test.read) {
            EXPECT_EQ(test.rrggbb, got) << Shown(test.text);
        }
    }
    // The list test below shows the swap; a fourth byte is no part of a colour.
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), SkinValues::PlatformColour(0xFF123456));
}

// A list's values in the order they are written.
std::vector<std::int64_t> Fields(const SkinValues::ListValues& v) {
    return {v.background.x, v.background.y,       v.background.width, v.background.height,
            v.itemHeight,   v.currentTrackColour, v.selectionColour};
}

TEST(SkinValues, PlaylistListReadsTheColoursFirstThenTheIntegersBeforeTheFirstColoursComma) {
    const std::uint32_t red = RGB(0xB1, 0x0D, 0x01), violet = RGB(0x56, 0x04, 0x74);
    const struct {
        const char* text;
        Check check;
        SkinValues::ListValues values; // when ok
    } cases[] = {
        {"28,120,20,18,18,#B10D01,#560474", Check::ok, {{28, 120, 20, 18}, 18, red, violet}},
        {"28,120,20,18,18,#560474,#B10D01", Check::ok, {{28, 120, 20, 18}, 18, violet, red}},
        {" 1 , 2 ,3,4 ,5 , #B10D01 , #560474 ", Check::ok, {{1, 2, 3, 4}, 5, red, violet}},
        {"1,2,3,4,5,6,7,#B10D01,x#560474,8", Check::ok, {{1, 2, 3, 4}, 5, red, violet}},
        {"-5,-6,1,1,-7,#0,#FFFFFF", Check::ok, {{-5, -6, 1, 1}, -7, 0, 0xFFFFFF}},
        // The first colour's own field counts as an integer that reads 0.
        {"28,120,20,18,#B10D01,#560474", Check::ok, {{28, 120, 20, 18}, 0, red, violet}},
        {"28,120,20,#B10D01,#560474", Check::invalidData, {}},
        {"28,120,20,18,18,#B10D01", Check::invalidColourData, {}},
        {"28,120,20,18,18,#B10D01,560474", Check::invalidColourData, {}},
        {"28,120,20,18,18,#B10D01#560474", Check::invalidColourData, {}},
        {"28,120,20,18,18", Check::invalidColourData, {}},
        {"1,2,#zz,#560474", Check::invalidColourData, {}},
        {"28,120,0,18,18,#B10D01,#560474", Check::badBackgroundSize, {}},
        {"1,0,#B10D01,#560474", Check::invalidData, {}},
        {"", Check::invalidData, {}},
        {nullptr, Check::invalidData, {}},
    };
    for (const auto& test : cases) {
        SkinValues::ListValues got;
        EXPECT_EQ(test.check, SkinValues::ReadList(test.text, got)) << Shown(test.text);
        if (test.check != Check::ok) continue;
        EXPECT_EQ(Fields(test.values), Fields(got)) << Shown(test.text);
    }
}

TEST(SkinValues, PlaylistScrollbarNeedsTwelveValuesAndABackgroundOfSomeSize) {
    const struct {
        const char* text;
        Check check;
    } cases[] = {
        {"0,0,9,0,82,81,36,20,119,81,9,28", Check::ok},
        {"0,0,9,0,82,81,36,20,119,81,9,28,5,5", Check::ok},
        {"0,0,9,0,82,81,36,20,119,81,9", Check::invalidData},
        {"0,0,9,0,82,81,36,20,119,81,0,28", Check::badBackgroundSize},
        {"0,0,9,0,82,81,36,20,119,81,,9,x", Check::badBackgroundSize},
        {"", Check::invalidData},
        {nullptr, Check::invalidData},
    };
    for (const auto& test : cases) {
        SkinValues::ScrollbarValues got;
        EXPECT_EQ(test.check, SkinValues::ReadScrollbar(test.text, got)) << Shown(test.text);
    }
    SkinValues::ScrollbarValues got;
    ASSERT_EQ(Check::ok, SkinValues::ReadScrollbar("1,2,9,3,82,81,36,20,119,80,7,28", got));
    EXPECT_EQ(9, got.width);
    const SourceRect &thumb = got.thumbStrip, &bg = got.background;
    EXPECT_EQ((std::vector<int>{82, 81, 36, 20, 119, 80, 7, 28}),
              (std::vector<int>{thumb.x, thumb.y, thumb.width, thumb.height, bg.x, bg.y, bg.width,
                                bg.height}));
}

} // namespace
