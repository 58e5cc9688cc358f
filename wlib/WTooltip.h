#pragma once

#include <windows.h>

// The platform tooltip window that gives the skinned controls their tips. A thread message
// hook relays the mouse messages of every window that carries "TOOLTIP_CLASS_POINTER", so
// the controls need no tooltip code of their own.
class WTooltip {
public:
    explicit WTooltip(HWND parent);
    ~WTooltip();
    WTooltip(const WTooltip&) = delete;
    WTooltip& operator=(const WTooltip&) = delete;

    LRESULT Enable(int flag);
    // Registers an area tool on the parent and a tool keyed by the control; returns the
    // area tool's id.
    int AddTool(HWND control, const char* text);
    void RemoveTool(HWND control, int id);
    void MoveTool(HWND control, int id);

    HWND window = nullptr;
    HWND toolWindow = nullptr;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
};
