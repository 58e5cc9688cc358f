#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

PlayArgument Parse(std::string text) {
    return ParsePlayArgument(&text[0]);
}

TEST(CommandLine, TrackIsTheTwoCharactersBeforeTheFileNamesPoint) {
    EXPECT_EQ(5, Parse("/play D:\\Track05.cda").track);
    EXPECT_EQ(12, Parse("/play D:\\Track12.cda").track);
    EXPECT_EQ(12, Parse("\"/play\" \"D:\\Track12.cda\"").track);
    EXPECT_EQ(7, Parse("/play D:\\7.cda").track);
}

TEST(CommandLine, PointInAFolderNameIsNotTheFileNamesPoint) {
    PlayArgument a = Parse("/play D:\\My.Discs\\Track05.cda");
    EXPECT_EQ(1, a.hasPoint);
    EXPECT_EQ(5, a.track);
    PlayArgument b = Parse("/play D:\\My.Discs\\Track05");
    EXPECT_EQ(1, b.requested);
    EXPECT_EQ(0, b.hasPoint);
}

TEST(CommandLine, WithoutSwitchOrPointNothingIsRequested) {
    PlayArgument none = Parse("");
    EXPECT_EQ(0, none.requested);
    EXPECT_EQ(0, Parse("D:\\Track05.cda").requested);
    EXPECT_EQ(0, Parse("/PLAY D:\\Track05.cda").requested); // the switch is case-sensitive
    PlayArgument bare = Parse("/play");
    EXPECT_EQ(1, bare.requested);
    EXPECT_EQ(0, bare.hasPoint);
    EXPECT_EQ(0, bare.track);
    EXPECT_EQ(0, ParsePlayArgument(nullptr).requested);
}

TEST(CommandLine, NonDigitsBeforeThePointGiveTrackZero) {
    PlayArgument a = Parse("/play D:\\Track.cda");
    EXPECT_EQ(1, a.hasPoint);
    EXPECT_EQ(0, a.track);
}

TEST(CommandLine, CutsTheCommandLineAtThePoint) {
    std::string text = "x /play D:\\Track05.cda";
    ParsePlayArgument(&text[0]);
    EXPECT_STREQ("x /play D:\\Track05", text.c_str());
}

} // namespace
