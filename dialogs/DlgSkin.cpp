#include "dialogs/DlgSkin.h"

#include "app/Settings.h"
#include "app/WIniKey.h"
#include "dialogs/DialogArt.h"
#include "dialogs/PlayerHost.h"
#include "res/resource.h"
#include "wlib/WListBox.h"

#include <cstring>
#include <vector>

namespace {

constexpr int listId = 201, labelId = 202, descriptionId = 203, pictureId = 204;
// What makes a folder a skin the user meant to offer; archive and indexing bits do not count.
constexpr DWORD unlisted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY |
                           FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;

bool IsSkinFolder(const WIN32_FIND_DATAA& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (entry.dwFileAttributes & unlisted) return false;
    return std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
}

// Keeps what fits: the description box shows at most its capacity.
void Append(std::string& text, const std::string& more) {
    text += more;
    if (text.size() > DlgSkin::descriptionCapacity) text.resize(DlgSkin::descriptionCapacity);
}

} // namespace

int DlgSkin::OnInitDialog() {
    PlacePage();
    labelFont = std::make_unique<WFont>(10, WFont::bold, "Arial");
    SendDlgItemMessageA(hwnd, labelId, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont->handle),
                        FALSE);
    picture = DialogArt::Show(hwnd, pictureId, instance, IDB_SKIN_PAGE, IDB_SKIN_PAGE_2X);
    ListSkins();
    SelectCurrentSkin();
    const bool builtin = settings.skinName[0] == '.';
    ShowDescription(builtin ? BuiltinDescription() : FolderDescription(settings.skinName, false));
    return 1;
}

// Every plain folder under skin\, in upper case as the list has always shown them.
void DlgSkin::ListSkins() {
    HWND list = GetDlgItem(hwnd, listId);
    const std::string builtin = BuiltinName();
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(builtin.c_str()));
    if (!host) return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((host->SkinsRoot() + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!IsSkinFolder(entry)) continue;
        CharUpperA(entry.cFileName);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// Found by name without regard to case; the built-in skin, or a name not listed, selects the
// built-in entry.
void DlgSkin::SelectCurrentSkin() {
    HWND list = GetDlgItem(hwnd, listId);
    auto find = [list](const char* name) {
        return SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(name));
    };
    LRESULT found = settings.skinName[0] == '.' ? LB_ERR : find(settings.skinName);
    if (found == LB_ERR) found = find(BuiltinName().c_str());
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

int DlgSkin::OnCommand(int notification, int id, HWND) {
    if (id == listId && notification == LBN_SELCHANGE) ChooseSelected();
    return 1;
}

void DlgSkin::ChooseSelected() {
    if (!host) return;
    HWND list = GetDlgItem(hwnd, listId);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    const std::string name = WListBox::TextOf(list, static_cast<int>(selected));
    std::string description;
    if (BuiltinName() == name) {
        host->LoadBuiltinSkin();
        description = BuiltinDescription();
    } else if (host->LoadSkin(name.c_str())) {
        description = FolderDescription(name.c_str(), true);
    } else {
        host->LoadBuiltinSkin();
        SelectCurrentSkin();
        description = BuiltinDescription();
    }
    ShowDescription(description);
    // The skin's windows came back on top of everything; the dialog the user works in goes
    // back above them.
    SetWindowPos(GetAncestor(hwnd, GA_ROOT), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string DlgSkin::BuiltinName() const {
    char text[64] = "";
    LoadStringA(instance, IDS_BUILTIN_SKIN, text, sizeof text);
    return text;
}

std::string DlgSkin::BuiltinDescription() const {
    char text[descriptionCapacity + 1] = "";
    LoadStringA(instance, IDS_BUILTIN_SKIN_INFO, text, sizeof text);
    return text;
}

std::string DlgSkin::FolderDescription(const char* name, bool everyLine) const {
    if (!host) return "";
    WIniKey ini((host->SkinsRoot() + "\\" + name + "\\skin.ini").c_str());
    std::string text;
    for (int line = 1; line <= 9; line++) {
        char key[2] = {static_cast<char>('0' + line), '\0'};
        char value[descriptionCapacity + 1] = "";
        const bool present = ini.ReadString("info", key, value, sizeof value) > 0;
        if (present || everyLine) Append(text, std::string(value) + "\r\n");
    }
    return text;
}

void DlgSkin::ShowDescription(const std::string& text) {
    SetDlgItemTextA(hwnd, descriptionId, text.c_str());
}

int DlgSkin::OnDestroy() {
    SendDlgItemMessageA(hwnd, pictureId, STM_SETIMAGE, IMAGE_BITMAP, 0);
    picture.Reset();
    labelFont.reset();
    return 0;
}
