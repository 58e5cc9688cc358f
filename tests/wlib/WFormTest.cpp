#include "wlib/WDialog.h"
#include "wlib/WFont.h"
#include "wlib/WForm.h"
#include "wlib/WTooltip.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the slots the dispatch calls, with their arguments. OnButtonUp and OnPaint then
// run the base class's default handling, whose side effects the tests watch.
class RecordingForm final : public WForm {
public:
    MessageLog log;
    LRESULT createResult = 0;
    UINT nestIn = 0; // the slot of this message first sends WM_COMMAND 42 to its own window

    ~RecordingForm() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    template <typename... Args> LRESULT Note(const char* slot, Args... args) {
        log.push_back(Call(slot, args...));
        if (current.message == nestIn) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return 0;
    }
    LRESULT OnCreate() override { // the form has its hwnd, the window no property yet
        return Note("Create", current.message, FromHandle(hwnd)), createResult;
    }
    LRESULT OnButtonUp(WPARAM k, int x, int y) override {
        return Note("ButtonUp", k, x, y), WForm::OnButtonUp(k, x, y);
    }
    LRESULT OnPaint() override { return Note("Paint"), WForm::OnPaint(); }
    LRESULT OnButtonDown(WPARAM k, int x, int y) override { return Note("ButtonDown", k, x, y); }
    LRESULT OnDoubleClick(WPARAM k, int x, int y) override { return Note("DoubleClick", k, x, y); }
    LRESULT OnMouseMove(WPARAM k, int x, int y) override { return Note("MouseMove", k, x, y); }
    LRESULT OnContextMenu(int x, int y, HWND w) override { return Note("ContextMenu", x, y, w); }
    LRESULT OnCommand(int code, int id, HWND c) override { return Note("Command", code, id, c); }
    LRESULT OnHScroll(int i, int r, int p, HWND c) override { return Note("HScroll", i, r, p, c); }
    LRESULT OnTrayNotify(LPARAM m, WPARAM id) override { return Note("TrayNotify", m, id); }
    LRESULT OnTimer(WPARAM id) override { return Note("Timer", id); }
    LRESULT OnDestroy() override { return Note("Destroy"); }
};

// Each form gets a class of its own unless told: Create registers one on every call.
std::string Make(RecordingForm& form, DWORD style = WS_POPUP, std::string name = "") {
    static int serial = 0;
    if (name.empty()) name = "WFormTest" + std::to_string(++serial);
    form.Create(name.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, 0, "", style, 100, 100,
                200, 150, nullptr);
    form.log.clear();
    return name;
}

// One right click gives one context menu, between the press and the release; the halves of
// lParam are unsigned; WM_CANCELMODE only lets the capture go.
TEST(WForm, SlotsDecodeTheirArguments) {
    RecordingForm form;
    Make(form);
    EXPECT_TRUE(GetClassLongPtrA(form.hwnd, GCL_STYLE) & CS_DBLCLKS);
    HWND slider = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD, 0, 0, 100, 10, form.hwnd,
                                  (HMENU)202, nullptr, nullptr);
    SetCapture(form.hwnd);
    EXPECT_EQ(0, SendMessageA(form.hwnd, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    SendMessageA(form.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(3, 4));
    SendMessageA(form.hwnd, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-1, -2));
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(1005, 3), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 9), 0); // its own scroll bar
    SendMessageA(form.hwnd, WM_CONTEXTMENU, (WPARAM)slider, MAKELPARAM(-1, -1));
    PostMessageA(form.hwnd, 0x83FF, 7, WM_RBUTTONUP);
    PumpMessages();
    EXPECT_EQ(MessageLog(
                  {Call("ButtonDown", MK_RBUTTON, 10, 20), Call("ContextMenu", 110, 120, form.hwnd),
                   Call("ButtonUp", 0, 10, 20), Call("DoubleClick", MK_MBUTTON, 3, 4),
                   Call("MouseMove", MK_SHIFT, 65535, 65534), Call("Command", 3, 1005, slider),
                   Call("HScroll", 202, SB_THUMBTRACK, 40, slider),
                   Call("HScroll", 0, SB_ENDSCROLL, 9, 0),
                   Call("ContextMenu", 65535, 65535, slider), Call("TrayNotify", WM_RBUTTONUP, 7)}),
              form.log);
    const std::string longTip(99, 'x'); // cut to the 63 characters every shell accepts
    EXPECT_EQ(longTip.substr(0, 63), form.TrayIconData(1, nullptr, longTip.c_str()).szTip);
    ASSERT_TRUE(form.SetTimer(5, 1));
    EXPECT_TRUE(PumpMessagesUntil([&] { return Only(form.log, {"Timer"}).size() > 0; }));
    EXPECT_TRUE(form.KillTimer(5));
    EXPECT_EQ(MessageLog({Call("Timer", 5)}), Only(form.log, {"Timer"}));
}

std::string ThrownText(RecordingForm& form, const std::string& className = "") {
    try {
        Make(form, WS_POPUP, className);
    } catch (const char* text) {
        return text;
    }
    return "(nothing thrown)";
}

// OnCreate runs inside WM_CREATE before the property exists; the window's last message, after
// WM_DESTROY took the property, still finds its form, but never another form merely waiting.
TEST(WForm, CreationFailuresAndTheLastMessagesOfAWindow) {
    RecordingForm form;
    form.createResult = -1;
    EXPECT_EQ("Can't create window", ThrownText(form));
    EXPECT_EQ(MessageLog({Call("Create", WM_CREATE, 0)}), Only(form.log, {"Create"}));
    form.createResult = 0;
    const std::string name = Make(form);
    EXPECT_EQ(&form, WControl::FromHandle(form.hwnd));
    form.nestIn = WM_DESTROY;
    DestroyWindow(form.hwnd);
    EXPECT_EQ(MessageLog({Call("Destroy"), Call("Command", 0, 42, 0)}),
              Only(form.log, {"Destroy", "Command"}));

    RecordingForm dying, waiting;
    Make(dying);
    dying.nestIn = WM_DESTROY;
    EXPECT_EQ("Can't register class", ThrownText(waiting, name));
    DestroyWindow(dying.hwnd);
    EXPECT_EQ(MessageLog(), Only(dying.log, {"Command"}));
    EXPECT_EQ(MessageLog(), waiting.log);
    EXPECT_EQ(nullptr, waiting.hwnd);
}

// A slot that sends a message to its own window before its default handling must still hand
// its own message to the platform: here WM_PAINT, which DefWindowProcA validates.
TEST(WForm, DefaultSlotUsesItsOwnMessageAfterANestedOne) {
    RecordingForm form;
    Make(form, WS_POPUP | WS_VISIBLE); // a hidden window is never painted
    form.nestIn = WM_PAINT;
    InvalidateRect(form.hwnd, nullptr, FALSE);
    UpdateWindow(form.hwnd);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
    EXPECT_EQ(MessageLog({Call("Paint"), Call("Command", 0, 42, 0)}),
              Only(form.log, {"Paint", "Command"}));
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    return ++*reinterpret_cast<int*>(count) > 0;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A form with a child, a tip and a timer, a tooltip without a parent, a modeless dialog and a
// font: every kind of handle the window toolkit takes, given back. The fonts are checked on
// the way (a negative height asks for the character height).
TEST(Handles, FormsDialogsFontsAndTooltipsGiveBackWhatTheyTake) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    PumpMessages();
    const int windowsBefore = ThreadWindowCount();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    HFONT fonts[16];
    for (int flags = 0; flags < 16; flags++) {
        RecordingForm form; // its window goes with it
        Make(form);
        WControl child;
        child.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 5, 5, 20, 20, form.hwnd, nullptr,
                                     nullptr, nullptr);
        WTooltip tip(form.hwnd), parentless(nullptr);
        child.SetTooltip(&tip, "tip");
        form.SetTimer(1, 1000);
        WDialog dialog;
        dialog.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
        ASSERT_TRUE(dialog.hwnd);

        WFont font(8 + flags, flags, "Arial");
        LOGFONTA made = {};
        ASSERT_TRUE(GetObjectA(fonts[flags] = font.handle, sizeof(made), &made));
        EXPECT_EQ(Call("font", -MulDiv(8 + flags, pixelsPerInch, 72),
                       flags & WFont::bold ? FW_BOLD : FW_NORMAL, (flags & WFont::italic) != 0,
                       (flags & WFont::underline) != 0, (flags & WFont::strikeOut) != 0),
                  Call("font", made.lfHeight, made.lfWeight, made.lfItalic, made.lfUnderline,
                       made.lfStrikeOut));
    }
    PumpMessages();
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
    for (HFONT font : fonts)
        EXPECT_EQ(0u, GetObjectType(font));
    // Wine counts no GDI objects here (0 before and after); Windows does.
    EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

} // namespace
