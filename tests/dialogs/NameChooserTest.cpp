// The chooser through real keys: Enter takes the selected release, Escape none.
#include "dialogs/NameChooser.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(NameChooser, EnterTakesTheSelectedReleaseAndEscapeNone) {
    const std::vector<std::string> summaries = {"Ana Lux - First (2001, DE, CD)",
                                                "\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0 - Second"};
    const struct {
        std::vector<WPARAM> keys;
        int chosen;
        const wchar_t* second; // the second entry as the list shows it
    } cases[] = {
        {{VK_RETURN}, 0, L"\x0410\x043D\x043D\x0430 - Second"},
        {{VK_DOWN, VK_RETURN}, 1, nullptr},
        {{VK_DOWN, VK_ESCAPE}, -1, nullptr},
    };
    for (const auto& c : cases) {
        std::wstring shown;
        std::thread user([&] {
            HWND dialog = nullptr;
            for (int i = 0; i < 500 && !dialog; i++, Sleep(10))
                dialog = FindWindowA(nullptr, "Choose Names");
            HWND list = GetDlgItem(dialog, IDC_CHOOSER_LIST);
            wchar_t text[100] = L"";
            SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
            shown = text;
            for (WPARAM key : c.keys)
                PostMessageA(list, WM_KEYDOWN, key, 0);
        });
        EXPECT_EQ(c.chosen, NameChooser::Ask(GetModuleHandleA(nullptr), nullptr, summaries));
        user.join();
        if (c.second) {
            EXPECT_EQ(c.second, shown);
        }
    }
}

} // namespace
