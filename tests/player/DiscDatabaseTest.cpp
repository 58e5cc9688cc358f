#include "player/DiscDatabase.h"

#include "app/WIniKey.h"
#include "player/PlayOrderText.h"
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

    void Load(const char* section, int audioTracks) {
        list.marked = 2;
        database.LoadPlaylist(section, audioTracks, list);
    }
};

TEST_F(DiscDatabaseTest, UnknownDiscGetsTheDefaultNamesAndEveryTrackInDiscOrder) {
    folder.Write("cdplayer.ini", "[77]\nartist=Someone\n");
    char text[DiscDatabase::textSize];
    database.ReadArtist("4D2", text, sizeof text);
    EXPECT_STREQ("Unknown artist", text);
    database.ReadTitle("4D2", text, sizeof text);
    EXPECT_STREQ("Unknown album", text);
    Load("4D2", 11);
    ASSERT_EQ(11, list.Count());
    EXPECT_EQ(-1, list.marked);
    EXPECT_EQ("01. Unknown track", list.entries[0].text);
    EXPECT_EQ("11. Unknown track", list.entries[10].text);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), list.Data());
}

TEST_F(DiscDatabaseTest, StoredOrderGivesTheFirstPieceThenUpToNumplayEntries) {
    folder.Write("cdplayer.ini", "[A1]\nnumplay=2\norder=4 1 3 \n4=Fifth song\n"
                                 "[A2]\nnumplay=0\norder=2 \n"
                                 "[A3]\nnumplay=3\norder=\"    \"\n"
                                 "[A4]\nnumplay=3\n"
                                 "[A5]\nnumplay=\norder=2 1 \n"
                                 "[A6]\nnumplay=2\norder=-3 7 \n");
    Load("A1", 5);
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ("05. Fifth song", list.entries[0].text);
    EXPECT_EQ("02. Unknown track", list.entries[1].text);
    EXPECT_EQ(std::vector<int>({5, 2}), list.Data());

    Load("A2", 5);
    EXPECT_EQ(std::vector<int>({3}), list.Data());
    EXPECT_EQ("03. Unknown track", list.entries[0].text);

    Load("A3", 5); // an order of (quoted) spaces is a stored, empty order
    EXPECT_EQ(0, list.Count());

    Load("A4", 3); // no order text: the disc order
    EXPECT_EQ(std::vector<int>({1, 2, 3}), list.Data());

    Load("A5", 3); // an empty numplay counts as missing
    EXPECT_EQ(std::vector<int>({1, 2, 3}), list.Data());

    Load("A6", 3); // pieces outside the disc keep their numbers and the default name
    EXPECT_EQ(std::vector<int>({-2, 8}), list.Data());
    EXPECT_EQ("-2. Unknown track", list.entries[0].text);
    EXPECT_EQ("08. Unknown track", list.entries[1].text);
}

TEST_F(DiscDatabaseTest, SavedOrderOfAnyLengthReadsBackWhole) {
    for (int i = 0; i < 400; i++) list.Add("x", 1 + (i * 53) % 99, 0);
    list.entries[7].data = -4; // an entry outside the disc is written as it is
    database.SaveOrder("1A2B3C4D", list);
    std::vector<int> saved = list.Data();

    char number[100];
    ASSERT_GT(file.ReadString("1A2B3C4D", "numplay", number, sizeof number), 0);
    EXPECT_STREQ("400", number);
    Load("1A2B3C4D", 99);
    EXPECT_EQ(saved, list.Data());
    EXPECT_EQ("-4. Unknown track", list.entries[7].text);
}

TEST_F(DiscDatabaseTest, SavingAnEmptyListKeepsTheOrderButFallsBackToDiscOrder) {
    folder.Write("cdplayer.ini", "[4D2]\nnumplay=2\norder=1 0 \n");
    database.SaveOrder("4D2", list);
    EXPECT_NE(std::string::npos, folder.Read("cdplayer.ini").find("order=1 0"));
    char number[100] = "unchanged";
    EXPECT_EQ(0, file.ReadString("4D2", "numplay", number, sizeof number));
    Load("4D2", 4);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), list.Data());
}

TEST_F(DiscDatabaseTest, SavedNamesComeBackWholeWithSpaces) {
    const char* names[] = {"Intro", "A song  with   spaces", "Last one"};
    database.SaveNames("4D2", "The Artist Name", "An Album", names, 3);
    std::string bytes = folder.Read("cdplayer.ini");
    EXPECT_NE(std::string::npos, bytes.find("EntryType=1"));
    EXPECT_NE(std::string::npos, bytes.find("numtracks=3"));
    EXPECT_LT(bytes.find("EntryType"), bytes.find("artist"));
    EXPECT_LT(bytes.find("2=Last one"), bytes.find("numtracks"));

    char text[DiscDatabase::textSize];
    database.ReadArtist("4D2", text, sizeof text);
    EXPECT_STREQ("The Artist Name", text);
    Load("4D2", 4);
    ASSERT_EQ(4, list.Count());
    EXPECT_EQ("02. A song  with   spaces", list.entries[1].text);
    EXPECT_EQ("04. Unknown track", list.entries[3].text);
}

TEST_F(DiscDatabaseTest, OverlongNameIsCutAndTheEntryTextStillFitsTheList) {
    std::string name(1500, 'n');
    file.WriteString("4D2", "0", name.c_str());
    char text[DiscDatabase::textSize];
    database.ReadTrackName("4D2", 0, text, sizeof text);
    EXPECT_EQ(999u, strlen(text));
    Load("4D2", 1);
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ(999u, list.entries[0].text.size());
    EXPECT_EQ("01. nnn", list.entries[0].text.substr(0, 7));
}

} // namespace
