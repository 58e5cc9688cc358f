#include "skin/FontIniText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string section = "[font]\r\nbgColor=#000000\r\nheight=11\r\n";

TEST(FontIniText, TheTextMapEndsAtTheFirstEmptyLineAndFontMustFollowIt) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        bool valid;
        std::string map;
    } cases[] = {
        {"06 AB\r\n05 CD\r\n\r\n" + section, true, "06 AB\r\n05 CD"},
        {"06 AB\r\n\r\n\r\n\r\n" + section, true, "06 AB"},
        {"06 AB\r\n\r\nheight=11\r\n\r\n" + section, true, "06 AB"},
        {"06 AB\r\n\r\n[font]", true, "06 AB"},
        {"\r\n\r\n" + section, true, ""},
        {"[font]\r\n06 AB\r\n\r\n" + section, true, "[font]\r\n06 AB"},
        {"06 A\0B\r\n05 \0\r\n\r\n\0"s + section, true, "06 A\0B\r\n05 \0"s},
        {"06 AB\r\n" + section, false, ""},
        {"06 AB\r\n05 CD\r\n" + section + "\r\n\r\n", false, ""},
        {section + "\r\n\r\n06 AB\r\n", false, ""},
        {"06 AB\n\n" + section, false, ""},
        {"06 AB\r\r\n\n" + section, false, ""},
        {"06 AB\r\n\r\n[fon]t]\r\n[FONT\r\n", false, ""},
        {"", false, ""},
    };
    for (const auto& test : cases) {
        const FontIniText file(test.bytes);
        EXPECT_EQ(test.valid, file.Valid()) << test.bytes;
        EXPECT_EQ(test.map, file.Map()) << test.bytes;
    }
}

TEST(FontIniText, LongMapsAndHostileFilesAreReadToTheEnd) {
    std::string longMap = "05 ";
    for (int row = 0; longMap.size() < 5000; row++)
        longMap += std::string(60, char('!' + row % 90)) + "\r\n05 ";
    EXPECT_EQ(longMap, FontIniText(longMap + "\r\n\r\n" + section).Map());

    const size_t megabytes = 16 << 20;
    EXPECT_FALSE(FontIniText(std::string(megabytes, 'x')).Valid());
    std::string nearMisses;
    while (nearMisses.size() < megabytes)
        nearMisses += "\r\n\r\r\n\n\r";
    EXPECT_FALSE(FontIniText(nearMisses + "[font]").Valid());
    std::string noSection = "06 AB\r\n\r\n";
    while (noSection.size() < megabytes)
        noSection += "[fon[font[fontt]";
    EXPECT_FALSE(FontIniText(noSection).Valid());
    EXPECT_TRUE(FontIniText(noSection + "[font]").Valid());
}

} // namespace
