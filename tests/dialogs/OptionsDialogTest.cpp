// The options dialog and its pages as real dialogs over a real player window: the tests open
// it, drive its controls with messages and read the controls, the settings, the skin in use
// and the registry back.
#include "app/Globals.h"
#include "app/Settings.h"
#include "dialogs/DialogArt.h"
#include "dialogs/DlgAbout.h"
#include "dialogs/DlgConfig.h"
#include "dialogs/DlgDefault.h"
#include "dialogs/DlgMain.h"
#include "dialogs/DlgSkin.h"
#include "forms/MainForm.h"
#include "forms/PlaylistForm.h"
#include "res/resource.h"
#include "support/TestProgram.h"
#include "support/ThisProgram.h"
#include "wlib/ControlTestKit.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> told; // every message box text, "caption: text"
int answer = IDYES;

int WINAPI Answer(HWND, const char* text, const char* caption, UINT) {
    told.push_back(std::string(caption) + ": " + text);
    return answer;
}

std::vector<std::string> skinErrors;
int RecordSkinError(const char* text) {
    skinErrors.push_back(text);
    return IDOK;
}

std::string driveLetters = "DF";
void TestDrives(char* letters) {
    lstrcpyA(letters, driveLetters.c_str());
}

// The player window with the built-in skin over a simulated drive, and the options dialog
// opened modeless on one of its pages so that a test can drive it.
class Options : public ::testing::Test, protected TestProgram {
protected:
    DlgMain dialog;

    void SetUp() override {
        told.clear(), skinErrors.clear();
        answer = IDYES;
        driveLetters = "DF";
        DlgConfig::askUser = DlgDefault::askUser = Answer;
        DlgConfig::listDrives = TestDrives;
        MainForm::showSkinError = RecordSkinError;
        Start("");
        lstrcpyA(settings.drive, "D:");
        CreateDirectoryA(folder.File("skin").c_str(), nullptr);
        form->skinsFolder = folder.File("skin");
    }
    void TearDown() override {
        if (IsWindow(dialog.hwnd)) DestroyWindow(dialog.hwnd);
        Stop();
        DlgConfig::askUser = MessageBoxA;
        DlgDefault::askUser = MessageBoxA;
        DlgDefault::registryRoot = HKEY_CLASSES_ROOT;
        DlgConfig::listDrives = EnumCdDrives;
    }

    HWND Open(int page) {
        DlgMain::startPage = page;
        dialog.instance = Module();
        dialog.host = form.get();
        dialog.Show(Module(), 1, MAKEINTRESOURCEA(IDD_OPTIONS), form->hwnd);
        ShowWindow(dialog.hwnd, SW_SHOW);
        return Page();
    }
    HWND Page() const { return dialog.shownPage ? dialog.shownPage->hwnd : nullptr; }
    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    void Click(int id) {
        SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id));
    }
    bool IsCombo(int id) const {
        char name[32] = "";
        GetClassNameA(Item(id), name, sizeof name);
        return lstrcmpiA(name, "ComboBox") == 0;
    }
    // Both lists report a changed selection with code 1 (CBN_SELCHANGE, LBN_SELCHANGE).
    void Choose(int id, int index) {
        SendMessageA(Item(id), IsCombo(id) ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
        SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), (LPARAM)Item(id));
    }
    std::string Text(int id) const {
        char text[2000] = "";
        GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    std::string Selected(int id) const {
        LRESULT at = SendMessageA(Item(id), IsCombo(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
        return at < 0 ? "" : Entries(id).at(size_t(at));
    }
    std::vector<std::string> Entries(int id) const {
        std::vector<std::string> entries;
        const bool combo = IsCombo(id);
        const LRESULT count = SendMessageA(Item(id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; i++) {
            char text[256] = "";
            SendMessageA(Item(id), combo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)text);
            entries.push_back(text);
        }
        return entries;
    }
    void SwitchTo(int page) {
        HWND tabs = GetDlgItem(dialog.hwnd, 141);
        TabCtrl_SetCurSel(tabs, page);
        NMHDR header = {tabs, 141, UINT(TCN_SELCHANGE)};
        SendMessageA(dialog.hwnd, WM_NOTIFY, 141, (LPARAM)&header);
    }
    // A skin folder: the sample skin's files, with its [info] section replaced.
    void WriteSkin(const std::string& name, const std::string& info, DWORD attributes = 0) {
        const std::string target = folder.File("skin\\" + name);
        CreateDirectoryA(target.c_str(), nullptr);
        for (const char* file : {"main.bmp", "titlebar.bmp", "cbuttons.bmp", "scroll.bmp",
                                 "font.bmp", "playlist.bmp", "font.ini", "skin.ini"})
            CopyFileA(BuiltFile(std::string("skin\\Graphite\\") + file).c_str(),
                      (target + "\\" + file).c_str(), FALSE);
        WritePrivateProfileSectionA("info", info.c_str(), (target + "\\skin.ini").c_str());
        if (attributes) SetFileAttributesA(target.c_str(), attributes);
    }
};

// ---- The dialog and its tabs ----

// The About picture is the art drawn for the dialog's dpi: 1x at 96, 2x at 144 and 192 (the
// test runs again in prefixes of their own at LVX_TEST_DPI).
TEST_F(Options, PicturesAreTheArtForTheDpi) {
    const char* dpi = getenv("LVX_TEST_DPI");
    const int expectedDpi = dpi ? atoi(dpi) : 96, scale = expectedDpi >= 144 ? 2 : 1;
    Open(DlgMain::aboutPage);
    ASSERT_EQ(expectedDpi, DialogArt::DpiOf(dialog.hwnd));
    BITMAP art = {};
    GetObjectA(HBITMAP(SendMessageA(Item(231), STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof art, &art);
    EXPECT_EQ((std::vector<LONG>{320 * scale, 170 * scale}),
              (std::vector<LONG>{art.bmWidth, art.bmHeight}));
}

// Opened from the menu's About entry the dialog shows About; the options button next time
// shows the first tab; closing it puts the options button back up.
TEST_F(Options, TheMenuChoosesTheStartPageAndTheButtonTheFirstTab) {
    static std::vector<std::string> seen;
    seen.clear();
    struct Looker {
        static void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            HWND options = FindWindowA(nullptr, "Lumivoxen Player Options");
            HWND tabs = GetDlgItem(options, 141);
            char text[64] = "";
            TCITEMA item = {TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
            TabCtrl_GetItem(tabs, TabCtrl_GetCurSel(tabs), &item);
            seen.push_back(text);
            PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
        }
    };
    SetTimer(nullptr, 0, 50, Looker::Look);
    SendMessageA(form->hwnd, WM_COMMAND, IDM_ABOUT, 0);
    SetTimer(nullptr, 0, 50, Looker::Look);
    kit::Play(form->buttons[MainForm::btShowOptions].hwnd, "D2 U2", 2);
    kit::Pump();
    EXPECT_EQ(std::vector<std::string>({"About", "Config"}), seen);
    EXPECT_EQ(0, form->buttons[MainForm::btShowOptions].GetCheck());
}

// ---- Config page ----

TEST_F(Options, ConfigShowsAndSetsEveryOptionAndEachTabMakesItsPage) {
    settings.introPlayLen = 12;
    settings.repeatTrack = 5;
    settings.snapPixel = 7;
    Open(0);
    EXPECT_EQ("120", Selected(165)) << "the first length beginning with 12";
    EXPECT_EQ(12, settings.introPlayLen) << "unchanged until chosen";
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(Page(), 162)) << "a stored 5 is on";
    EXPECT_EQ("7", Text(156));
    EXPECT_EQ(std::vector<std::string>({"5", "10", "15", "30", "45", "60", "120"}), Entries(165));
    // The menu entry and the box of one option name it alike: every word of the entry's
    // text stands in the box's.
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_MAIN));
    auto words = [](std::string text) {
        for (char& c : text)
            c = char(isalpha((unsigned char)c) ? tolower((unsigned char)c) : ' ');
        std::istringstream split(text);
        return std::set<std::string>(std::istream_iterator<std::string>(split), {});
    };
    for (const OptionInfo& option : options) {
        if (!option.menuId || !option.configBox) continue;
        char entry[64] = "";
        GetMenuStringA(menu, UINT(option.menuId), entry, sizeof entry, MF_BYCOMMAND);
        const std::set<std::string> box = words(Text(option.configBox));
        for (const std::string& word : words(entry))
            EXPECT_TRUE(box.count(word)) << entry << " / " << Text(option.configBox);
    }
    DestroyMenu(menu);

    SendMessageA(Item(162), BM_SETCHECK, BST_UNCHECKED, 0);
    Click(162);
    EXPECT_EQ(0, settings.repeatTrack);
    SetWindowTextA(Item(156), "25");
    EXPECT_EQ(25, settings.snapPixel);
    SetWindowTextA(Item(156), "");
    EXPECT_EQ(0, settings.snapPixel) << "not a number";
    Choose(165, 3);
    EXPECT_EQ(30, settings.introPlayLen);

    // One page window at a time: switching tabs destroys the old page and makes the next.
    const char* firstItems[] = {"Always on top", "Select skin:", "Set default player", "Web page"};
    const int itemIds[] = {151, 202, 222, 232};
    for (int page = 0; page < 4; page++) {
        HWND before = Page();
        SwitchTo(page);
        if (page) {
            EXPECT_FALSE(IsWindow(before)) << page;
        }
        EXPECT_EQ(firstItems[page], Text(itemIds[page])) << page;
        EXPECT_TRUE(IsWindowVisible(Page()));
    }

    // The licence texts are in the folder beside the program.
    static std::string opened;
    struct Shell {
        static HINSTANCE WINAPI Open(HWND, const char*, const char* path, const char*, const char*,
                                     int) {
            opened = path;
            return nullptr;
        }
    };
    DlgAbout::openFolder = Shell::Open;
    Click(234);
    DlgAbout::openFolder = ShellExecuteA;
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_EQ(std::string(program, strrchr(program, '\\') + 1) + "licenses", opened);
}

// With one drive the box is off and disabled; with two it is on; a click sets the option.
// The virtual drive (V:) is listed but takes no discs of its own, so it does not count.
// A drive change asks, and No changes nothing.
TEST_F(Options, AutoswitchFollowsTheNumberOfDrivesAndADriveChangeAsks) {
    virtualDriveLetter = 'V';
    for (const char* letters : {"DV", "DF"}) {
        driveLetters = letters;
        const bool two = letters[1] == 'F';
        settings.autoSwitch = !two;
        Open(0);
        EXPECT_EQ(two ? 1 : 0, settings.autoSwitch) << letters;
        EXPECT_EQ(two, IsWindowEnabled(Item(169)) != 0) << letters;
        EXPECT_EQ(two ? BST_CHECKED : BST_UNCHECKED, IsDlgButtonChecked(Page(), 169));
        EXPECT_EQ(std::vector<std::string>({"D:", two ? "F:" : "V:"}), Entries(168));
        EXPECT_EQ("D:", Selected(168));
        if (!two) DestroyWindow(dialog.hwnd);
    }
    virtualDriveLetter = 0;
    SendMessageA(Item(169), BM_SETCHECK, BST_UNCHECKED, 0);
    Click(169);
    EXPECT_EQ(0, settings.autoSwitch);

    engine->discRead = 1;
    answer = IDNO;
    Choose(168, 1);
    EXPECT_EQ(std::vector<std::string>({"Change drive ?: Do you want to change CDROM drive ?"}),
              told);
    EXPECT_EQ("D:", Selected(168)) << "the current drive again";
    EXPECT_STREQ("D:", settings.drive);
    EXPECT_EQ(1, engine->discRead);
    EXPECT_EQ(1, drive.OpenDeviceCount());

    answer = IDYES;
    Choose(168, 1);
    EXPECT_STREQ("F:", settings.drive);
    EXPECT_EQ(0, engine->discRead) << "the next tick reads the new drive";
    EXPECT_FALSE(engine->Busy());
    EXPECT_EQ(0, drive.OpenDeviceCount()) << "the old device is closed";
}

// ---- Skin page ----

// Whether window a is above window b.
bool Above(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

// A broken skin falls back to the built-in one; a long description is cut.
TEST_F(Options, SkinListShowsPlainFoldersInCapitalsAndAppliesTheChoice) {
    settings.showPlaylist = 1;
    form->ShowWindows();
    WriteSkin("Blue Sky", "1=First line\r\n3=Third line\r\n");
    WriteSkin("BLUE", "1=Short name\r\n");
    WriteSkin("Hidden", "", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    WriteSkin("Broken", "1=Broken\r\n");
    DeleteFileA(folder.File("skin\\Broken\\main.bmp").c_str());
    std::string info;
    for (char key = '1'; key <= '9'; key++)
        info += std::string(1, key) + "=" + std::string(300, 'x') + "\r\n";
    WriteSkin("Long", info);
    folder.Write("skin\\notes.txt", "not a skin");
    Open(1);
    EXPECT_EQ(
        std::vector<std::string>({"BASIC LUMIVOXEN SKIN", "BLUE", "BLUE SKY", "BROKEN", "LONG"}),
        Entries(201));
    EXPECT_EQ("BASIC LUMIVOXEN SKIN", Selected(201));
    EXPECT_EQ(0u, Text(203).find("Basic internal skin\r\n\r\nAuthor: ")) << Text(203);

    Choose(201, 2);
    EXPECT_STREQ("BLUE SKY", settings.skinName);
    EXPECT_EQ("First line\r\n\r\nThird line\r\n\r\n\r\n\r\n\r\n\r\n\r\n", Text(203));
    EXPECT_TRUE(skinErrors.empty());
    EXPECT_FALSE(engine->Busy());
    EXPECT_TRUE(Above(dialog.hwnd, form->playlist->hwnd)) << "the new skin's windows stay below";

    // Opened again on the skin in use: only the lines that are there.
    DestroyWindow(dialog.hwnd);
    Open(1);
    EXPECT_EQ("BLUE SKY", Selected(201));
    EXPECT_EQ("First line\r\nThird line\r\n", Text(203));
    Choose(201, 3);
    ASSERT_EQ(1u, skinErrors.size());
    EXPECT_NE(std::string::npos, skinErrors[0].find("main.bmp"));
    EXPECT_EQ("BASIC LUMIVOXEN SKIN", Selected(201));
    EXPECT_EQ(0u, Text(203).find("Basic internal skin"));
    EXPECT_STREQ(".", settings.skinName);
    Choose(201, 4);
    EXPECT_STREQ("LONG", settings.skinName);
    EXPECT_EQ(size_t(DlgSkin::descriptionCapacity), Text(203).size());
    Choose(201, 0);
    EXPECT_STREQ(".", settings.skinName);
}

// ---- Default player page ----

// The program's own path and "%1" are quoted, so the hand-off gets the track from the
// quoted file name the shell passes; another program's path is quoted too. The keys go to a
// root of the test's own.
TEST_F(Options, TheDefaultPlayerIsThisOrAnotherProgramWithQuotedPathsAndFailuresAreTold) {
    HKEY root = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\LumivoxenTest");
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LumivoxenTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &root, nullptr);
    DlgDefault::registryRoot = root;
    Open(2);
    auto value = [&](const char* path) {
        char text[512] = "<none>";
        DWORD size = sizeof text;
        RegGetValueA(root, path, nullptr, RRF_RT_REG_SZ, nullptr, text, &size);
        return std::string(text);
    };
    Click(225);
    const std::string command = value("AudioCD\\shell\\play\\command");
    EXPECT_EQ(command, value("LumivoxenFile\\shell\\play\\command"));
    EXPECT_EQ(0u, command.find('"'));
    EXPECT_NE(std::string::npos, command.find("lumivoxen.exe\" /play \"%1\"")) << command;
    EXPECT_EQ("LumivoxenFile", value(".cda"));
    EXPECT_EQ("CD Audio Track", value("LumivoxenFile"));
    EXPECT_EQ("play", value("AudioCD\\shell"));
    EXPECT_EQ("play", value("LumivoxenFile\\shell"));
    EXPECT_NE(std::string::npos, value("LumivoxenFile\\DefaultIcon").find("lumivoxen.exe,1"));
    EXPECT_EQ(
        std::vector<std::string>({"Question: Set Lumivoxen as default player ?", "OK: All OK"}),
        told);

    CheckRadioButton(Page(), 221, 223, 223);
    Click(223);
    Click(225);
    EXPECT_EQ("Error: Set data for default player !", told.back());
    SetWindowTextA(Item(224), "D:\\Other\\cdplay.exe");
    Click(225);
    EXPECT_EQ("\"D:\\Other\\cdplay.exe\" \"%1\"", value("AudioCD\\shell\\play\\command"));
    EXPECT_EQ("D:\\Other\\cdplay.exe,1", value("LumivoxenFile\\DefaultIcon"));

    // A root that cannot be written (here one closed meanwhile): the key is named and no
    // "All OK" follows.
    RegCloseKey(root);
    told.clear();
    Click(225);
    EXPECT_EQ(2u, told.size());
    EXPECT_EQ(0u, told.back().find("Error: The default player was not set: the registry key "
                                   "HKEY_CLASSES_ROOT\\.cda could not be written."))
        << told.back();
    DlgDefault::registryRoot = HKEY_CLASSES_ROOT;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\LumivoxenTest");
}

} // namespace
