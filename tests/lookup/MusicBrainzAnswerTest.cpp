// Answers we write for invented discs, as the MusicBrainz discid lookup gives them.
#include "lookup/Json.h"
#include "lookup/MusicBrainzAnswer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const discId = "abcdefghijklmnopqrstuvwxyz0-";

// Two releases: the first lists the disc on its second medium, the second is found by its
// medium's length; a third of another length is left out.
const char* const answer = R"({"release-count": 3, "releases": [
  {"title": "Nachtlieder", "date": "2019-03-01", "country": "DE",
   "artist-credit": [{"name": "Bj\u00f6rk", "joinphrase": " & "}, {"name": "\u0410\u043d\u043d\u0430", "joinphrase": ""}],
   "media": [{"format": "CD", "discs": [{"id": "other"}], "tracks": [{"title": "x"}, {"title": "y"}]},
             {"format": "CD", "discs": [{"id": "abcdefghijklmnopqrstuvwxyz0-"}],
              "tracks": [{"title": "Caf\u00e9"}, {"title": "Emoji \ud83c\udfb5"}]}]},
  {"title": "Night Songs", "artist-credit": [{"name": "Ana Lux"}],
   "media": [{"format": "Digital Media", "tracks": [{"title": "One"}, {"title": "Two"}]}]},
  {"title": "Long", "media": [{"tracks": [{"title": "1"}, {"title": "2"}, {"title": "3"}]}]}
]})";

TEST(MusicBrainzAnswer, ReleasesOfTheDiscWithTheirNamesInUtf8) {
    const std::vector<ReleaseNames> found = MusicBrainzReleases(answer, discId, 2);
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ("Bj\xC3\xB6rk & \xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0 - Nachtlieder (2019, DE, CD)",
              found[0].Summary());
    EXPECT_EQ(std::vector<std::string>({"Caf\xC3\xA9", "Emoji \xF0\x9F\x8E\xB5"}), found[0].tracks);
    EXPECT_EQ("Ana Lux - Night Songs (Digital Media)", found[1].Summary());
    EXPECT_EQ(std::vector<std::string>({"One", "Two"}), found[1].tracks);
}

// A broken or cut answer gives nothing, never a part.
TEST(MusicBrainzAnswer, BrokenAnswersGiveNoRelease) {
    const std::string whole = answer;
    for (const std::string& text :
         {whole.substr(0, whole.size() / 2), whole + "}", std::string("{\"releases\": [1, 2,]}"),
          std::string("<html>503</html>"), std::string()})
        EXPECT_TRUE(MusicBrainzReleases(text, discId, 2).empty()) << text.substr(0, 40);
}

TEST(Json, AcceptsWhatTheGrammarAllowsAndNothingElse) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"[1, -0.5e+3, true, false, null, \"\\\"\\\\\\/\\b\\f\\n\\r\\t\"]", true},
        {" {\"a\": {\"b\": []}} ", true},
        {"[01]", false},        {"[1.]", false},       {"[.5]", false},
        {"[\"\\ud800\"]", false}, {"[\"\\x\"]", false}, {"[\"a\nb\"]", false},
        {"{\"a\" 1}", false},   {"[1] [2]", false},    {"tru", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, Json::Parse(c.text) != nullptr) << c.text;
    const std::string deep = std::string(Json::maxDepth + 2, '[') + std::string(Json::maxDepth + 2, ']');
    EXPECT_EQ(nullptr, Json::Parse(deep)) << "nesting past the limit";
    const std::string deepest = std::string(Json::maxDepth, '[') + std::string(Json::maxDepth, ']');
    EXPECT_NE(nullptr, Json::Parse(deepest));
}

} // namespace
