#include "wlib/WForm.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the slots the dispatch calls, with their arguments, and then lets the base
// class do its default handling.
class RecordingForm : public WForm {
public:
    MessageLog log;
    LRESULT createResult = 0;
    HWND propertyAtCreate = nullptr;

    LRESULT OnCreate() override {
        log.Add("OnCreate");
        return createResult;
    }
    LRESULT OnButtonDown(WPARAM keys, int x, int y) override {
        log.Add("OnButtonDown", {(INT_PTR)keys, x, y});
        return WForm::OnButtonDown(keys, x, y);
    }
    LRESULT OnButtonUp(WPARAM keys, int x, int y) override {
        log.Add("OnButtonUp", {(INT_PTR)keys, x, y});
        return WForm::OnButtonUp(keys, x, y);
    }
    LRESULT OnDoubleClick(WPARAM keys, int x, int y) override {
        log.Add("OnDoubleClick", {(INT_PTR)keys, x, y});
        return WForm::OnDoubleClick(keys, x, y);
    }
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override {
        log.Add("OnMouseMove", {(INT_PTR)keys, x, y});
        return WForm::OnMouseMove(keys, x, y);
    }
    LRESULT OnContextMenu(int x, int y, HWND window) override {
        log.Add("OnContextMenu", {x, y, (INT_PTR)window});
        return WForm::OnContextMenu(x, y, window);
    }
    LRESULT OnCommand(int notification, int id, HWND control) override {
        log.Add("OnCommand", {notification, id, (INT_PTR)control});
        return 0;
    }
    LRESULT OnHScroll(int id, int request, int position, HWND control) override {
        log.Add("OnHScroll", {id, request, position, (INT_PTR)control});
        return 0;
    }
    LRESULT OnVScroll(int id, int request, int position, HWND control) override {
        log.Add("OnVScroll", {id, request, position, (INT_PTR)control});
        return 0;
    }
    LRESULT OnTrayNotify(LPARAM mouseMessage, WPARAM iconId) override {
        log.Add("OnTrayNotify", {(INT_PTR)mouseMessage, (INT_PTR)iconId});
        return 0;
    }
    LRESULT OnTimer(WPARAM id) override {
        log.Add("OnTimer", {(INT_PTR)id});
        return 0;
    }
    LRESULT OnKeyDown(WPARAM key, LPARAM flags) override {
        log.Add("OnKeyDown", {(INT_PTR)key, flags});
        return 0;
    }
    LRESULT OnDestroy() override {
        log.Add("OnDestroy");
        return 0;
    }
};

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (IsWindow(form.hwnd)) DestroyWindow(form.hwnd);
        UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
    }

    static std::string UniqueClassName() {
        static int serial = 0;
        return "WFormTest" + std::to_string(++serial);
    }

    void CreateForm(DWORD style = WS_POPUP) {
        form.Create(className.c_str(), nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                    (HBRUSH)GetStockObject(WHITE_BRUSH), nullptr, 0, "form", style, 100, 100, 200,
                    150, nullptr);
        form.log.Clear();
    }

    std::string className = UniqueClassName();
    RecordingForm form;
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST_F(FormTest, RightClickRunsContextMenuBetweenDownAndUp) {
    CreateForm();
    SendMessageA(form.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    EXPECT_TRUE(form.log.Matches({{"OnButtonDown", {MK_RBUTTON, 10, 20}},
                                  {"OnContextMenu", {110, 120, (INT_PTR)form.hwnd}},
                                  {"OnButtonUp", {0, 10, 20}}}));
}

} // namespace
