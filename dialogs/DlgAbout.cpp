#include "dialogs/DlgAbout.h"

#include "res/resource.h"

#include <shellapi.h>

namespace {
constexpr int pictureId = 231, webButtonId = 232, mailButtonId = 233;
}

int DlgAbout::OnInitDialog() {
    PlacePage();
    buttonFont = std::make_unique<WFont>(8, WFont::bold, "Arial");
    for (int id : {webButtonId, mailButtonId})
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
    return 1;
}

void DlgAbout::Open(UINT addressId) {
    char address[256] = "";
    if (LoadStringA(instance, addressId, address, sizeof address) > 0)
        ShellExecuteA(hwnd, nullptr, address, nullptr, "", SW_SHOWNORMAL);
}

// The picture control keeps showing the bitmap until its window goes: both go together here.
int DlgAbout::OnDestroy() {
    SendDlgItemMessageA(hwnd, pictureId, STM_SETIMAGE, IMAGE_BITMAP, 0);
    picture.Reset();
    buttonFont.reset();
    return 0;
}
