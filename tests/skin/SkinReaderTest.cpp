// Skins read whole, without a window: the built-in skin written out as a folder reads back as
// the built-in skin itself, and every broken file or key gives its message, naming the first
// thing wrong in the order the files are read.
#include "skin/SkinReader.h"

#include "res/resource.h"
#include "skin/BuiltinRecords.h"
#include "support/BuiltinSkinFolder.h"
#include "support/TempFolder.h"
#include "support/ThisProgram.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every number of a look in one list: its rectangles, controls, pieces and list.
std::vector<std::int64_t> Numbers(const SkinLook& look) {
    std::vector<std::int64_t> n = {look.fontHeight, look.list.itemHeight, look.list.selectionColour,
                                   look.list.markColour};
    auto add = [&](const SourceRect& r) { n.insert(n.end(), {r.x, r.y, r.width, r.height}); };
    auto addControls = [&](const auto& controls) {
        for (const SkinControl& control : controls) {
            for (const SourceRect& cell : control.cells)
                add(cell);
            add(control.placement);
        }
    };
    for (const SourceRect& r : {look.main, look.title, look.list.background})
        add(r);
    for (const SourceRect& r : look.textBoxes)
        add(r);
    addControls(look.buttons), addControls(look.sliders), addControls(look.playlistButtons);
    for (const auto& piece : look.pieces)
        n.insert(n.end(), piece, piece + 8);
    n.insert(n.end(), look.playlistSlider, look.playlistSlider + 12);
    return n;
}

// The folder the built-in skin's records are made from, and the records written out as a
// folder (the ground of the broken skins below), read back as the built-in skin itself.
TEST(SkinFolders, TheBuiltInSkinsSourcesAndItsRecordsWrittenOutReadBackAsItself) {
    TempFolder folder;
    WriteBuiltinSkin(folder, "Copy", {});
    const SkinLook builtin = SkinReader::Builtin(Module());
    for (const auto& [root, name] : {std::pair<std::string, std::string>(folder.Path(), "Copy"),
                                     {LVX_BUILTIN_SKIN_ROOT, "builtin-skin"}}) {
        SkinLook look;
        std::string error;
        ASSERT_TRUE(SkinReader::FromFolder(root, name.c_str(), look, error)) << error;
        EXPECT_EQ(Numbers(builtin), Numbers(look)) << name;
        EXPECT_EQ(builtin.textMap, look.textMap) << name;
        EXPECT_EQ(root + "\\" + name + "\\font.bmp", look.bitmaps[SkinLook::fontSlot].file);
    }
    EXPECT_EQ(IDB_SKIN_FONT, builtin.bitmaps[SkinLook::fontSlot].resource);
}

TEST(SkinFolders, EveryBrokenSkinTellsWhatIsWrong) {
    TempFolder folder;
    const std::string map = BuiltinRecords::Text(Module(), 903);
    const std::string withRegion = BuiltinSkinFiles()["skin.ini"] + "[region]\r\nuseregion=1\r\n";
    const struct {
        std::map<std::string, std::string> changes;
        std::string message; // "%s": the skin's folder
    } cases[] = {
        {{{"titlebar.bmp", ""}}, "Can't load bitmap %s\\titlebar.bmp"},
        {{{"playlist.bmp", "BM not a bitmap"}}, "Can't load bitmap %s\\playlist.bmp"},
        {{{"main.bmp", ResourcePixels(IDB_SKIN_MAIN).BmpFile().substr(0, 60)}},
         "Can't load bitmap %s\\main.bmp"},
        {IniChange("main", "0,0,100000,116"),
         "Invalid data in %s\\skin.ini\r\n\r\n[mainwindow]\r\nmain= .... invalid data ...."},
        {IniChange("btEject", "131,88,22,18,0,90,88"),
         "Invalid data in %s\\skin.ini\r\n\r\n[mainwindow]\r\nbtEject= .... invalid data ...."},
        {IniChange("sbMVolume", "262,50,-4,60,0,6,16,10"),
         "Invalid data in %s\\skin.ini\r\n\r\n[mainwindow]\r\nsbMVolume= .... invalid data ...."},
        {{{"font.ini", map + "\r\n\r\n[font]\r\nbgColor=FF00FF\r\nheight=11\r\n"}},
         "Invalid data in %s\\font.ini\r\n\r\n[font]\r\nbgColor= .. invalid color data .."},
        {{{"font.bmp", ""}}, "Can't load bitmap %s\\font.bmp"},
        {{{"font.ini", map + "\r\n\r\n[font]\r\nbgColor=#000000\r\nheight=\r\n"}},
         "Invalid data in %s\\font.ini\r\n\r\n[font]\r\nheight= ... invalid data ..."},
        {{{"font.ini", map + "\r\n[font]\r\nbgColor=#000000\r\nheight=11\r\n"}},
         "Invalid data in %s\\font.ini\r\n\r\nTextmap must end with 2 newlines before \n[font]"},
        {IniChange("tbStatus", "161,44,55"),
         "Invalid data in %s\\skin.ini\r\n\r\n[mainwindow]\rtbStatus= ... invalid data ..."},
        {IniChange("bottomfill", "0,0,25,38,38"),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\rbottomfill= ... invalid data ..."},
        {IniChange("sbListBox", "0,0,9,0,82,81,36,20,119,81,0,28"),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\r\nsbListBox=0,0,pw,0, "
         "tbx,tby,tbw,tbh, bgx, bgy, bgw, bgh\r\n\r\nbgw and bgh must be > 0"},
        {IniChange("sbListBox", "0,0,9,0,82,81,36,20,119,81,9"),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\r\nsbListBox= ... invalid data ..."},
        {IniChange("lbPlaylist", "28,120,20,18,18,#B10D01"),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\r\nlbPlaylist= ... invalid color "
         "data ..."},
        {IniChange("lbPlaylist", "28,120,0,18,18,#B10D01,#560474"),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\r\nlbPlaylist=bgx, bgy, bgw, bgh, "
         "......\r\n\r\nbgw and bgh must be > 0"},
        {IniChange("btSongdown", ""),
         "Invalid data in %s\\skin.ini\r\n\r\n[playlistwindow]\rbtSongdown= ... invalid data ..."},
        {{{"skin.ini", withRegion}}, "Can't load region file %s\\region.rgn"},
        {{{"skin.ini", withRegion}, {"region.rgn", std::string(40, '\0')}},
         "Invalid region data in %s\\region.rgn"},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string name = "Broken" + std::to_string(++number);
        WriteBuiltinSkin(folder, name, c.changes);
        SkinLook look;
        std::string error;
        EXPECT_FALSE(SkinReader::FromFolder(folder.Path(), name.c_str(), look, error)) << name;
        std::string expected = c.message;
        expected.replace(expected.find("%s"), 2, folder.File(name));
        EXPECT_EQ(expected, error) << name;
    }
}

} // namespace
