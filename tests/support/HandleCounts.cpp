#include "support/HandleCounts.h"

#include <windows.h>

#include <vector>

int HandleCounts::GdiRoom() {
    std::vector<HBRUSH> brushes;
    for (HBRUSH brush; brushes.size() < 200000 && (brush = CreateSolidBrush(RGB(1, 2, 3)));)
        brushes.push_back(brush);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

int HandleCounts::ThreadWindowCount() {
    int count = 0;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        count += GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
    return count;
}
