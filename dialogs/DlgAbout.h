#pragma once

#include "dialogs/DlgMain.h"
#include "gfx/GdiHandles.h"
#include "wlib/WFont.h"

#include <memory>

// The About page: the program's picture and two buttons that open its web page and mail.
class DlgAbout final : public DlgMain {
public:
    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnDestroy() override;

private:
    void Open(UINT addressId);

    std::unique_ptr<WFont> buttonFont;
    GdiObject<HBITMAP> picture;
};
