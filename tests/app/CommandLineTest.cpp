#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CommandLine, ReadsTheTwoCharactersBeforeTheFileNamesPointAndCutsThere) {
    struct {
        const char* text;
        int requested, hasPoint, track;
    } cases[] = {{"x /play D:\\Track05.cda", 1, 1, 5},
                 {"\"/play\" \"D:\\Track12.cda\"", 1, 1, 12},
                 {"/play D:\\7.cda", 1, 1, 7},
                 {"/play D:\\My.Discs\\Track05.cda", 1, 1, 5},
                 {"/play D:\\My.Discs\\Track05", 1, 0, 0},
                 {"/play D:\\Track.cda", 1, 1, 0},
                 {"", 0, 0, 0},
                 {"/PLAY D:\\Track05.cda", 0, 0, 0},
                 // Only the one argument after the switch names the track.
                 {"/play D:\\Track05.cda /min", 1, 1, 5},
                 {"/play D:\\Track05.cda C:\\Other\\File.txt", 1, 1, 5},
                 {"/play \"D:\\My Discs\\Track07.cda\" /x", 1, 1, 7},
                 {"/play \"D:\\Track09.cda", 1, 1, 9},
                 {"/play D:\\Track05 C:\\x.txt", 1, 0, 0},
                 {"/play   D:/Track11.cda", 1, 1, 11},
                 {"/play", 1, 0, 0}};
    for (auto& c : cases) {
        std::string text = c.text;
        PlayArgument a = ParsePlayArgument(&text[0]);
        EXPECT_EQ(c.requested, a.requested) << c.text;
        EXPECT_EQ(c.hasPoint, a.hasPoint) << c.text;
        EXPECT_EQ(c.track, a.track) << c.text;
        // The command line ends where the point was, as the player keeps it.
        EXPECT_EQ(c.hasPoint ? '.' : '\0', c.text[strlen(text.c_str())]) << c.text;
    }
    EXPECT_EQ(0, ParsePlayArgument(nullptr).requested);
}

TEST(CommandLine, TheDiscSwitchNamesOneImageQuotedOrNot) {
    const struct {
        const char* text;
        const char* image;
    } cases[] = {{"/disc C:\\Music\\album.cue", "C:\\Music\\album.cue"},
                 {"/disc \"C:\\My Music\\An Album\" /play", "C:\\My Music\\An Album"},
                 {"/play D:\\Track05.cda /disc  x.cue", "x.cue"},
                 {"\"/disc\" \"y.cue\"", "y.cue"},
                 {"/disc \"unclosed folder", "unclosed folder"},
                 {"/discs x.cue /disc", ""}, // another word, then nothing
                 {"/disc", ""},
                 {"/DISC x.cue", ""},
                 {"", ""}};
    for (auto& c : cases)
        EXPECT_EQ(c.image, ParseDiscArgument(c.text)) << c.text;
    EXPECT_EQ("", ParseDiscArgument(nullptr));
}

} // namespace
