#include "dialogs/DlgAbout.h"

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
    picture.Reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_ABOUT)));
    SendDlgItemMessageA(hwnd, pictureId, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture.Get()));
    return 1;
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
