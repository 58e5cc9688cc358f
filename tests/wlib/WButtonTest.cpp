#include "wlib/WButton.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

const COLORREF normalColour = RGB(200, 30, 30);
const COLORREF pressedColour = RGB(30, 200, 30);
const COLORREF hoverColour = RGB(30, 30, 200);
const COLORREF disabledColour = RGB(200, 200, 30);
const SourceRect cells[4] = {{0, 0, 10, 8}, {10, 0, 10, 8}, {20, 0, 10, 8}, {30, 0, 10, 8}};
const int buttonId = 101;

// A parent with one skinned button (cells 10 x 8 stretched to 30 x 16) at (10, 10).
struct ButtonFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list =
        kit::ListOf(*kit::Strip(10, 8, {normalColour, pressedColour, hoverColour, disabledColour}));
    WButton button;

    void Make(int style) {
        ASSERT_TRUE(button.Create(parent.hwnd, style, buttonId, GetModuleHandleA(nullptr), 10, 10,
                                  30, 16, "", list.get(), 0, &cells[0], &cells[1], &cells[2],
                                  &cells[3]));
    }
    LRESULT Send(UINT message, WPARAM keys, int x, int y) {
        return SendMessageA(button.hwnd, message, keys, kit::Point(x, y));
    }
    std::vector<LogEntry> Clicks(int count) {
        return std::vector<LogEntry>(
            count, LogEntry("WM_COMMAND", {buttonId, BN_CLICKED, (INT_PTR)button.hwnd}));
    }
    MessageLog Commands() {
        kit::Pump();
        return parent.log.Only({"WM_COMMAND"});
    }
    ::testing::AssertionResult Shows(COLORREF colour) {
        InvalidateRect(button.hwnd, nullptr, FALSE);
        std::string mismatch =
            kit::Capture(button.hwnd)->Mismatch(0, 0, 30, 16, kit::Solid(colour));
        if (mismatch.empty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << mismatch;
    }
};

TEST_F(ButtonFixture, ClickIsReportedOnlyForAReleaseInsideAfterAPressInside) {
    Make(3);
    // Press, leave, release outside: nothing, and the capture is given back.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(button.hwnd, GetCapture());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 60, 5);
    EXPECT_EQ(button.hwnd, GetCapture()) << "a pressed button keeps the capture";
    Send(WM_LBUTTONUP, 0, 60, 5);
    EXPECT_NE(button.hwnd, GetCapture());
    EXPECT_TRUE(Commands().Matches({}));

    // Press, leave, come back, release inside: one click.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 60, 5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 6, 6);
    Send(WM_LBUTTONUP, 0, 6, 6);
    EXPECT_TRUE(Commands().Matches(Clicks(1)));

    // A release without a press before it is no click.
    parent.log.Clear();
    Send(WM_LBUTTONUP, 0, 6, 6);
    EXPECT_TRUE(Commands().Matches({}));
}

TEST_F(ButtonFixture, DoubleClickIsTwoClicks) {
    Make(3);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_LBUTTONUP, 0, 5, 5);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 5);
    kit::Pump(); // the second press, posted by the double click
    Send(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(Commands().Matches(Clicks(2)));
}

TEST_F(ButtonFixture, ToggleFlipsBeforeItsCommandIsHandled) {
    Make(3);
    button.SetStyle(5, TRUE);
    std::vector<int> seen;
    parent.onCommand = [&](WPARAM, LPARAM) { seen.push_back(button.GetCheck()); };
    for (int i = 0; i < 3; i++) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        Send(WM_LBUTTONUP, 0, 5, 5);
        kit::Pump();
    }
    EXPECT_EQ((std::vector<int>{1, 0, 1}), seen);
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
              (DWORD)GetWindowLongPtrA(button.hwnd, GWL_STYLE));
    // The object keeps the state; the system button was never told.
    EXPECT_EQ(BST_UNCHECKED, CallWindowProcA(button.oldProc, button.hwnd, BM_GETCHECK, 0, 0));
}

TEST_F(ButtonFixture, KeysAndOtherMouseButtonsNeverClick) {
    Make(3);
    SetFocus(button.hwnd);
    for (WPARAM key : {VK_SPACE, VK_RETURN}) {
        Send(WM_KEYDOWN, key, 0, 0);
        Send(WM_CHAR, key, 0, 0);
        Send(WM_KEYUP, key, 0, 0);
    }
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(WM_RBUTTONUP, 0, 5, 5);
    Send(WM_MBUTTONDOWN, MK_MBUTTON, 5, 5);
    Send(WM_MBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(Commands().Matches({}));

    // The same keys do click a system button: the check above can fail.
    button.SetStyle(0, FALSE);
    SetFocus(button.hwnd);
    Send(WM_KEYDOWN, VK_SPACE, 0, 0);
    Send(WM_KEYUP, VK_SPACE, 0, 0);
    EXPECT_EQ(1, Commands().Count("WM_COMMAND"));
}

TEST_F(ButtonFixture, PaintsTheCellOfEachStateStretched) {
    Make(3);
    EXPECT_TRUE(Shows(normalColour));

    kit::CursorTo(button.hwnd, 15, 8);
    Send(WM_MOUSEMOVE, 0, 15, 8);
    EXPECT_EQ(button.hwnd, GetCapture());
    EXPECT_TRUE(Shows(hoverColour));

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 8);
    EXPECT_TRUE(Shows(pressedColour));
    Send(WM_LBUTTONUP, 0, 15, 8);
    SetCursorPos(1200, 1000);
    EXPECT_TRUE(Shows(normalColour));

    button.SetStyle(5, TRUE);
    button.SetCheck(1);
    EXPECT_TRUE(Shows(pressedColour)) << "a checked toggle looks pressed";
    EnableWindow(button.hwnd, FALSE);
    EXPECT_TRUE(Shows(disabledColour)) << "disabled wins over checked";
}

TEST_F(ButtonFixture, RealMouseHoverTakesAndGivesBackTheCapture) {
    Make(3);
    auto moveTo = [&](int x, int y) {
        POINT p = {x, y};
        ClientToScreen(button.hwnd, &p);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(INPUT));
        kit::Pump();
    };
    auto leftButton = [&](DWORD flag) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        SendInput(1, &input, sizeof(INPUT));
        kit::Pump();
    };
    moveTo(15, 8);
    EXPECT_EQ(button.hwnd, GetCapture());
    EXPECT_TRUE(Shows(hoverColour));
    moveTo(100, 100);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(Shows(normalColour));

    moveTo(15, 8);
    leftButton(MOUSEEVENTF_LEFTDOWN);
    moveTo(100, 100);
    EXPECT_EQ(button.hwnd, GetCapture());
    EXPECT_TRUE(Shows(normalColour)) << "pressed but outside";
    leftButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Commands().Matches({}));

    moveTo(15, 8);
    leftButton(MOUSEEVENTF_LEFTDOWN);
    leftButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Commands().Matches(Clicks(1)));
    moveTo(200, 200);
}

} // namespace
