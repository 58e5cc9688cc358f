#include "forms/MainForm.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"

void MainForm::CreatePlayerWindow(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, "LARGE_ICON");
    HICON smallIcon = LoadIconA(instance, "SMALL_ICON");
    Create(className, icon, smallIcon, LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)1, nullptr, 0,
           "Lumevoxen CD Player", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, defaultWidth,
           defaultHeight, instance);
}

LRESULT MainForm::OnCreate() {
    SetWindowPos(hwnd, nullptr, settings.x, settings.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ShowWindow(hwnd, SW_SHOW);
    return 0;
}

LRESULT MainForm::OnTimer(WPARAM id) {
    if (id == IDT_STATUS && playbackEngine) playbackEngine->StatusTick(id);
    return 0;
}

LRESULT MainForm::OnCommand(int notification, int id, HWND) {
    if (id == IDC_HANDOFF_PLAY && playbackEngine) playbackEngine->PlayRequested(notification);
    return 0;
}

LRESULT MainForm::OnDeviceChange(WPARAM event, LPARAM data) {
    return playbackEngine ? playbackEngine->OnDeviceChange(event, data) : 1;
}

LRESULT MainForm::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    ::GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    DrawTextA(dc, "Lumivoxen CD Player", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT MainForm::OnDestroy() {
    SaveSettings(hwnd);
    if (theApp) theApp->Quit();
    return 0;
}
