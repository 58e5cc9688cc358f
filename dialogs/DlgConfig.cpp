#include "dialogs/DlgConfig.h"

#include "app/Settings.h"
#include "dialogs/PlayerHost.h"
#include "res/resource.h"
#include "wlib/WTooltip.h"

#include <cstdio>
#include <cstdlib>

int(WINAPI* DlgConfig::askUser)(HWND, const char*, const char*, UINT) = MessageBoxA;
void (*DlgConfig::listDrives)(char*) = EnumCdDrives;

namespace {

constexpr int snapPixelId = 156, introLengthId = 165, driveListId = 168, autoSwitchId = 169;

const char* const introLengths[] = {"5", "10", "15", "30", "45", "60", "120"};

std::string TableString(HINSTANCE instance, UINT id) {
    char text[256] = "";
    LoadStringA(instance, id, text, sizeof text);
    return text;
}

} // namespace

int DlgConfig::OnInitDialog() {
    PlacePage();
    for (const OptionInfo& option : options)
        if (option.configBox)
            CheckButton(option.configBox, settings.*option.field ? BST_CHECKED : BST_UNCHECKED);
    FillIntroLengths();
    SetDlgItemInt(hwnd, snapPixelId, static_cast<UINT>(settings.snapPixel), FALSE);
    FillDrives();
    CheckButton(IDC_CONFIG_LOOKUP, settings.lookupOnline ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(hwnd, IDC_CONFIG_EMAIL, EM_LIMITTEXT, sizeof settings.lookupEmail - 1, 0);
    SetDlgItemTextA(hwnd, IDC_CONFIG_EMAIL, settings.lookupEmail);
    return 1;
}

// The first entry that begins with the length's digits: 12 selects "120".
void DlgConfig::FillIntroLengths() {
    HWND list = GetDlgItem(hwnd, introLengthId);
    for (const char* length : introLengths)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(length));
    char current[16];
    snprintf(current, sizeof current, "%i", settings.introPlayLen);
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(current));
}

// Switching drives by itself only makes sense with a second drive to switch to; the virtual
// drive receives no discs to switch to, so it does not count.
void DlgConfig::FillDrives() {
    char letters[27] = "";
    listDrives(letters);
    HWND list = GetDlgItem(hwnd, driveListId);
    for (const char* letter = letters; *letter; letter++) {
        const char drive[3] = {*letter, ':', '\0'};
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
    }
    const char virtualLetter = host ? host->VirtualDriveLetter() : 0;
    int realDrives = 0;
    for (const char* letter = letters; *letter; letter++)
        realDrives += *letter != virtualLetter;
    const bool several = realDrives >= 2;
    EnableItem(autoSwitchId, several);
    settings.autoSwitch = several ? 1 : 0;
    CheckButton(autoSwitchId, several ? BST_CHECKED : BST_UNCHECKED);
    SelectCurrentDrive();
}

void DlgConfig::SelectCurrentDrive() {
    HWND list = GetDlgItem(hwnd, driveListId);
    LRESULT found = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(settings.drive));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

int DlgConfig::OnCommand(int notification, int id, HWND) {
    if (OptionOfConfigBox(id)) OnCheckBox(id);
    if (id == snapPixelId && notification == EN_CHANGE) {
        BOOL number = FALSE;
        const UINT pixels = GetDlgItemInt(hwnd, snapPixelId, &number, FALSE);
        settings.snapPixel = number ? static_cast<int>(pixels) : 0;
    }
    if (id == IDC_CONFIG_LOOKUP) settings.lookupOnline = IsButtonChecked(id) == BST_CHECKED;
    if (id == IDC_CONFIG_EMAIL && notification == EN_CHANGE)
        GetDlgItemTextA(hwnd, IDC_CONFIG_EMAIL, settings.lookupEmail, sizeof settings.lookupEmail);
    if (id == introLengthId && notification == CBN_SELCHANGE) OnIntroLength();
    if (id == driveListId && notification == CBN_SELCHANGE) OnDriveChosen();
    return 1;
}

void DlgConfig::OnCheckBox(int id) {
    const int on = IsButtonChecked(id) == BST_CHECKED ? 1 : 0;
    settings.*OptionOfConfigBox(id)->field = on;
    if (!host) return;
    if (id == 151) host->KeepOnTop(on);
    if (id == 153) host->EnableTips(on);
}

// The selected entry of a drop-down list; empty for none (the lists hold short texts only).
std::string DlgConfig::SelectedText(int listId) const {
    HWND list = GetDlgItem(hwnd, listId);
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    char text[16] = "";
    if (selected < 0 || SendMessageA(list, CB_GETLBTEXTLEN, selected, 0) >= (LRESULT)sizeof text)
        return "";
    SendMessageA(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    return text;
}

void DlgConfig::OnIntroLength() {
    const std::string length = SelectedText(introLengthId);
    if (!length.empty()) settings.introPlayLen = std::atoi(length.c_str());
}

void DlgConfig::OnDriveChosen() {
    const std::string text = TableString(instance, IDS_CHANGE_DRIVE);
    const std::string caption = TableString(instance, IDS_CHANGE_DRIVE_CAPTION);
    if (askUser(hwnd, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING) != IDYES) {
        SelectCurrentDrive();
        return;
    }
    const std::string drive = SelectedText(driveListId);
    if (!drive.empty() && host) host->ChangeDrive(drive.c_str());
}

int DlgConfig::OnDestroy() {
    if (host) host->OptionsClosed();
    return 0;
}
