#include "player/DiscDatabase.h"

#include "app/WIniKey.h"
#include "support/TempFolder.h"
#include "FakeViews.h"

#include <gtest/gtest.h>
#include <map>

namespace {

struct DiscDatabaseTest : ::testing::Test {
    TempFolder folder;
    WIniKey file{folder.File("cdplayer.ini").c_str()};
    DiscDatabase database{file};
    FakePlaylist list;

    std::vector<int> Load(const char* section, int audioTracks) {
        database.LoadPlaylist(section, audioTracks, list);
        return list.data;
    }
    std::string Read(const char* key) {
        char text[DiscDatabase::textSize] = "<none>";
        file.ReadString("4D2", key, text, sizeof text);
        return text;
    }
};

TEST_F(DiscDatabaseTest, StoredOrderGivesTheFirstPieceThenUpToNumplayEntries) {
    folder.Write("cdplayer.ini", "[A1]\nnumplay=2\norder=4 1 3 \n4=Fifth song\n"
                                 "[A2]\nnumplay=0\norder=2 \n"
                                 "[A3]\nnumplay=3\norder=\"    \"\n" // spaces only: empty
                                 "[A4]\nnumplay=3\n"                 // no order: disc order
                                 "[A5]\nnumplay=\norder=2 1 \n"      // empty numplay: no order
                                 "[A6]\nnumplay=18446744073709551617\norder=1 2 3 \n"); // 2^64+1
    const std::vector<int> all = {1, 2, 3, 4, 5};
    const std::map<std::string, std::vector<int>> cases = {
        {"A1", {5, 2}}, {"A2", {3}},       {"A3", {}},   {"A4", all},
        {"A5", all},    {"A6", {2, 3, 4}}, {"NONE", all}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, Load(c.first.c_str(), 5)) << c.first;
    Load("A1", 5);
    EXPECT_EQ("05. Fifth song", list.texts[0]);
    EXPECT_EQ("02. Unknown track", list.texts[1]);
}

TEST_F(DiscDatabaseTest, SavedOrderAndNamesReadBackWholeAndAnEmptyOrderKeepsTheOldOne) {
    for (int i = 0; i < 400; i++)
        list.Add("x", 1 + (i * 53) % 99, 0);
    std::vector<int> saved = list.data;
    database.SaveOrder("4D2", list);
    EXPECT_GT(folder.Read("cdplayer.ini").size(), 1000u); // longer than a text value's room
    EXPECT_EQ(saved, Load("4D2", 99));

    folder.Write("cdplayer.ini", "[4D2]\nnumplay=2\norder=1 0 \n");
    list.Clear(0);
    database.SaveOrder("4D2", list);
    EXPECT_EQ("1 0", Read("order"));
    EXPECT_EQ("", Read("numplay"));
    EXPECT_EQ(std::vector<int>({1, 2, 3}), Load("4D2", 3));

    std::string overlong(1500, 'n');
    const char* names[] = {"Intro", "A song  with   spaces", overlong.c_str()};
    database.SaveNames("4D2", "The Artist", "An Album", names, 3);
    EXPECT_EQ("1", Read("EntryType"));
    EXPECT_EQ("3", Read("numtracks"));
    EXPECT_EQ("The Artist", Read("artist"));
    EXPECT_EQ("An Album", Read("title"));
    Load("4D2", 4);
    EXPECT_EQ("02. A song  with   spaces", list.texts[1]);
    EXPECT_EQ(999u, list.texts[2].size()); // fits the list's text buffer
    EXPECT_EQ("03. nnn", list.texts[2].substr(0, 7));
    EXPECT_EQ("04. Unknown track", list.texts[3]);
}

} // namespace
