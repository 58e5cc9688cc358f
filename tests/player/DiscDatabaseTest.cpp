#include "player/DiscDatabase.h"

#include "app/WIniKey.h"
#include "support/TempFolder.h"
#include "FakeViews.h"

#include <gtest/gtest.h>

namespace {

class DiscDatabaseTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.File("cdplayer.ini");
    WIniKey file{path.c_str()};
    DiscDatabase database{file};
    FakePlaylist list;

    std::vector<int> Load(const char* section, int audioTracks) {
        list.marked = 2;
        database.LoadPlaylist(section, audioTracks, list);
        EXPECT_EQ(-1, list.marked);
        return list.Data();
    }
    std::string Read(const char* key) {
        char text[DiscDatabase::textSize] = "<none>";
        file.ReadString("4D2", key, text, sizeof text);
        return text;
    }
};

TEST_F(DiscDatabaseTest, UnknownDiscGetsTheDefaultNamesAndEveryTrackInDiscOrder) {
    folder.Write("cdplayer.ini", "[77]\nartist=Someone\n");
    char text[DiscDatabase::textSize];
    database.ReadArtist("4D2", text, sizeof text);
    EXPECT_STREQ("Unknown artist", text);
    database.ReadTitle("4D2", text, sizeof text);
    EXPECT_STREQ("Unknown album", text);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), Load("4D2", 11));
    EXPECT_EQ("01. Unknown track", list.entries[0].text);
    EXPECT_EQ("11. Unknown track", list.entries[10].text);
}

TEST_F(DiscDatabaseTest, StoredOrderGivesTheFirstPieceThenUpToNumplayEntries) {
    folder.Write("cdplayer.ini", "[A1]\nnumplay=2\norder=4 1 3 \n4=Fifth song\n"
                                 "[A2]\nnumplay=0\norder=2 \n"
                                 "[A3]\nnumplay=3\norder=\"    \"\n"
                                 "[A4]\nnumplay=3\n"
                                 "[A5]\nnumplay=\norder=2 1 \n"
                                 "[A6]\nnumplay=2\norder=-3 7 \n");
    EXPECT_EQ(std::vector<int>({5, 2}), Load("A1", 5));
    EXPECT_EQ("05. Fifth song", list.entries[0].text);
    EXPECT_EQ("02. Unknown track", list.entries[1].text);
    EXPECT_EQ(std::vector<int>({3}), Load("A2", 5));
    EXPECT_EQ(std::vector<int>(), Load("A3", 5));          // spaces only: a stored empty order
    EXPECT_EQ(std::vector<int>({1, 2, 3}), Load("A4", 3)); // no order: disc order
    EXPECT_EQ(std::vector<int>({1, 2, 3}), Load("A5", 3)); // empty numplay counts as missing
    EXPECT_EQ(std::vector<int>({-2, 8}), Load("A6", 3));   // outside the disc: kept as read
    EXPECT_EQ("-2. Unknown track", list.entries[0].text);
}

TEST_F(DiscDatabaseTest, SavedOrderOfAnyLengthReadsBackWhole) {
    for (int i = 0; i < 400; i++)
        list.Add("x", 1 + (i * 53) % 99, 0);
    list.entries[7].data = -4; // an entry outside the disc is written as it is
    std::vector<int> saved = list.Data();
    database.SaveOrder("4D2", list);
    EXPECT_EQ("400", Read("numplay"));
    EXPECT_GT(folder.Read("cdplayer.ini").size(), 1000u); // longer than a text value's room
    EXPECT_EQ(saved, Load("4D2", 99));
}

TEST_F(DiscDatabaseTest, SavingAnEmptyListKeepsTheOrderButFallsBackToDiscOrder) {
    folder.Write("cdplayer.ini", "[4D2]\nnumplay=2\norder=1 0 \n");
    database.SaveOrder("4D2", list);
    EXPECT_EQ("1 0", Read("order"));
    EXPECT_EQ("", Read("numplay"));
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), Load("4D2", 4));
}

TEST_F(DiscDatabaseTest, SavedNamesComeBackWholeAndOverlongNamesAreCut) {
    std::string overlong(1500, 'n');
    const char* names[] = {"Intro", "A song  with   spaces", overlong.c_str()};
    database.SaveNames("4D2", "The Artist Name", "An Album", names, 3);
    std::string bytes = folder.Read("cdplayer.ini");
    EXPECT_LT(bytes.find("EntryType=1"), bytes.find("artist=The Artist Name"));
    EXPECT_LT(bytes.find("1=A song"), bytes.find("numtracks=3"));
    EXPECT_EQ("An Album", Read("title"));
    Load("4D2", 4);
    EXPECT_EQ("02. A song  with   spaces", list.entries[1].text);
    EXPECT_EQ(999u, list.entries[2].text.size()); // fits the list's text buffer
    EXPECT_EQ("03. nnn", list.entries[2].text.substr(0, 7));
    EXPECT_EQ("04. Unknown track", list.entries[3].text);
}

} // namespace
