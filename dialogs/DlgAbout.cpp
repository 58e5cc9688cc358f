#include "dialogs/DlgAbout.h"

#include "dialogs/DialogArt.h"
#include "res/resource.h"

#include <shellapi.h>

#include <cstring>

HINSTANCE(WINAPI* DlgAbout::openFolder)
(HWND, const char*, const char*, const char*, const char*, int) = ShellExecuteA;

namespace {
constexpr int pictureId = 231, webButtonId = 232, mailButtonId = 233, licencesButtonId = 234;
}

int DlgAbout::OnInitDialog() {
    PlacePage();
    buttonFont = std::make_unique<WFont>(8, WFont::bold, "Arial");
    for (int id : {webButtonId, mailButtonId, licencesButtonId})
        SendDlgItemMessageA(hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont->handle),
                            FALSE);
    RECT box = {}, first = {};
    ::GetWindowRect(GetDlgItem(hwnd, pictureId), &box);
    ::GetWindowRect(GetDlgItem(hwnd, webButtonId), &first);
    picture = DialogArt::Show(hwnd, pictureId, instance, IDB_ABOUT, IDB_ABOUT_2X);
    SpanButtons(first.top - box.bottom);
    return 1;
}

// The picture control took the picture's size; the three buttons go below it at the gap
// laid out below its box and share its width, their gaps as laid out, whatever the font
// and the art make of the two sizes.
void DlgAbout::SpanButtons(int gapBelow) {
    RECT picture = {}, first = {}, second = {};
    ::GetWindowRect(GetDlgItem(hwnd, pictureId), &picture);
    ::GetWindowRect(GetDlgItem(hwnd, webButtonId), &first);
    ::GetWindowRect(GetDlgItem(hwnd, mailButtonId), &second);
    const int gap = second.left - first.right, count = 3;
    const int width = picture.right - picture.left - (count - 1) * gap;
    POINT at = {picture.left, picture.bottom + gapBelow};
    ScreenToClient(hwnd, &at);
    int k = 0;
    for (int id : {webButtonId, mailButtonId, licencesButtonId}) {
        const int left = at.x + k * gap + width * k / count;
        const int right = at.x + k * gap + width * (k + 1) / count;
        SetWindowPos(GetDlgItem(hwnd, id), nullptr, left, at.y, right - left,
                     first.bottom - first.top, SWP_NOZORDER | SWP_NOACTIVATE);
        k++;
    }
}

int DlgAbout::OnCommand(int, int id, HWND) {
    if (id == webButtonId) Open(IDS_WEB_ADDRESS);
    if (id == mailButtonId) Open(IDS_MAIL_ADDRESS);
    if (id == licencesButtonId) OpenLicences();
    return 1;
}

void DlgAbout::Open(UINT addressId) {
    char address[256] = "";
    if (LoadStringA(instance, addressId, address, sizeof address) > 0)
        ShellExecuteA(hwnd, nullptr, address, nullptr, "", SW_SHOWNORMAL);
}

// The installer and the zip put the licence texts beside the program.
void DlgAbout::OpenLicences() {
    char path[MAX_PATH + 16] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* name = strrchr(path, '\\');
    if (length == 0 || length >= MAX_PATH || !name) return;
    strcpy(name + 1, "licenses");
    openFolder(hwnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

// The picture control keeps showing the bitmap until its window goes: both go together here.
int DlgAbout::OnDestroy() {
    SendDlgItemMessageA(hwnd, pictureId, STM_SETIMAGE, IMAGE_BITMAP, 0);
    picture.Reset();
    buttonFont.reset();
    return 0;
}
