// Answers we write for invented discs, as a CDDB server gives them over HTTP.
#include "lookup/CddbAnswer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CddbAnswer, QueryAnswersGiveTheirMatchesAndCutListsNone) {
    const struct {
        std::string answer;
        int code;
        std::string matches; // "category/discid/title" joined by "|"
    } cases[] = {
        {"200 rock 1f02e004 Ana Lux / Night Songs\r\n", 200, "rock/1f02e004/Ana Lux / Night Songs"},
        {"211 Found inexact matches, list follows (until terminating `.')\r\n"
         "rock 1f02e004 Ana Lux / Night Songs\r\nmisc 1f02e005 Ana Lux / Live\r\n.\r\n",
         211, "rock/1f02e004/Ana Lux / Night Songs|misc/1f02e005/Ana Lux / Live"},
        {"210 Found exact matches\nrock 1f02e004 A / B\n", 210, ""}, // no closing "."
        {"202 No match found.\r\n", 202, ""},
        {"200\r\n", 200, ""}, // a match line without its match
        {"500 Unrecognized client\r\n", 500, ""},
        {"<html>", 0, ""},
    };
    for (const auto& c : cases) {
        const CddbQueryAnswer answer = ParseCddbQuery(c.answer);
        std::string matches;
        for (const CddbMatch& m : answer.matches)
            matches += (matches.empty() ? "" : "|") + m.category + "/" + m.discId + "/" + m.title;
        EXPECT_EQ(c.code, answer.code) << c.answer;
        EXPECT_EQ(c.matches, matches) << c.answer;
    }
}

TEST(CddbAnswer, AWholeRecordGivesTheNamesAndACutOneNothing) {
    const std::string record = "210 rock 1f02e004 CD database entry follows (until terminating `.')\r\n"
                               "# xmcd\r\nDISCID=1f02e004\r\nDTITLE=Ana Lux / Night Songs\r\n"
                               "DYEAR=2019\r\nTTITLE0=Caf\xC3\xA9 \r\nTTITLE1=A very long \r\n"
                               "TTITLE1=name\r\nEXTD=\r\n.\r\n";
    ReleaseNames names;
    ASSERT_TRUE(ParseCddbRead(record, 2, names));
    EXPECT_EQ("Ana Lux - Night Songs (2019)", names.Summary());
    EXPECT_EQ(std::vector<std::string>({"Caf\xC3\xA9 ", "A very long name"}), names.tracks);
    EXPECT_FALSE(ParseCddbRead(record.substr(0, record.size() - 3), 2, names)) << "cut";
    EXPECT_FALSE(ParseCddbRead(record, 3, names)) << "a track short";
    EXPECT_FALSE(ParseCddbRead(record, 1, names)) << "a track more than the disc";
    EXPECT_FALSE(ParseCddbRead("401 No such CD entry\r\n", 2, names));
}

} // namespace
