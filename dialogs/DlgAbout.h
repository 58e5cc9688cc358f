#pragma once

#include "dialogs/DlgMain.h"
#include "gfx/GdiHandles.h"
#include "wlib/WFont.h"

#include <memory>

// The About page: the program's picture and buttons that open its web page, its mail and
// the licence texts of the program and of what it is built with.
class DlgAbout final : public DlgMain {
public:
    // The folder "licenses" beside the program, opened by the shell unless a test looks.
    static HINSTANCE(WINAPI* openFolder)(HWND owner, const char* verb, const char* path,
                                         const char* parameters, const char* folder, int show);

    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnDestroy() override;

private:
    void Open(UINT addressId);
    void OpenLicences();
    void SpanButtons(int gapBelow);

    std::unique_ptr<WFont> buttonFont;
    GdiObject<HBITMAP> picture;
};
