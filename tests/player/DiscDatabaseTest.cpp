#include "player/DiscDatabase.h"

#include "app/WIniKey.h"
#include "support/TempFolder.h"
#include "FakeViews.h"

#include <gtest/gtest.h>
#include <map>

namespace {

TEST(DiscDatabase, StoredOrderGivesTheFirstPieceThenUpToNumplayEntriesAndReadsBackWhatIsSaved) {
    TempFolder folder;
    WIniKey file(folder.File("cdplayer.ini").c_str());
    DiscDatabase database(file);
    FakePlaylist list;
    auto load = [&](const std::string& section, int audioTracks) {
        database.LoadPlaylist(section.c_str(), audioTracks, list);
        return list.data;
    };
    folder.Write("cdplayer.ini", "[A1]\nnumplay=2\norder=4 1 3 \n4=Fifth song\n"
                                 "[A2]\nnumplay=0\norder=2 \n"
                                 "[A3]\nnumplay=3\norder=\"    \"\n" // spaces only: empty
                                 "[A4]\nnumplay=3\n"                 // no order: disc order
                                 "[A5]\nnumplay=18446744073709551617\norder=1 2 3 \n"); // 2^64+1
    const std::vector<int> all = {1, 2, 3, 4, 5};
    const std::map<std::string, std::vector<int>> cases = {
        {"A1", {5, 2}}, {"A2", {3}}, {"A3", {}}, {"A4", all}, {"A5", {2, 3, 4}}, {"NONE", all}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, load(c.first, 5)) << c.first;
    load("A1", 5);
    EXPECT_EQ(std::vector<std::string>({"05. Fifth song", "02. Unknown track"}), list.texts);

    list.Clear(0);
    for (int i = 0; i < 400; i++) // far longer than a text value's room
        list.Add("x", 1 + (i * 53) % 99, 0);
    std::vector<int> saved = list.data;
    database.SaveOrder("4D2", list);
    EXPECT_EQ(saved, load("4D2", 99));

    folder.Write("cdplayer.ini", "[4D2]\nnumplay=2\norder=1 0 \n");
    list.Clear(0);
    database.SaveOrder("4D2", list);
    std::string overlong(1500, 'n');
    const char* names[] = {"Intro", "A song  with   spaces", overlong.c_str()};
    database.SaveNames("4D2", "The Artist", "An Album", names, 3);
    std::string text = folder.Read("cdplayer.ini");
    for (const char* line : {"numplay=\n", "order=1 0 \n", "EntryType=1\n", "numtracks=3\n",
                             "artist=The Artist\n", "title=An Album\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), load("4D2", 4)) << "no numplay: disc order";
    EXPECT_EQ("02. A song  with   spaces", list.texts[1]);
    EXPECT_EQ(999u, list.texts[2].size()); // fits the list's text buffer
    EXPECT_EQ("03. nnn", list.texts[2].substr(0, 7));
    EXPECT_EQ("04. Unknown track", list.texts[3]);
}

} // namespace
