#include "app/WApp.h"

#include <string.h>

WApp::WApp(HINSTANCE instance, const char* commandLine, int showCommand)
    : instance(instance), commandLine(commandLine), showCommand(showCommand) {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    // A path cut to fit would name another folder: then the program has no folder, and its
    // data files are neither read nor written.
    if (length == 0 || length >= sizeof path) return;
    char* slash = strrchr(path, '\\');
    if (!slash) { // the platform always gives a full path; keep going if it does not
        strcpy(fileName, path);
        return;
    }
    *slash = '\0';
    strcpy(folder, path);
    strcpy(fileName, slash + 1);
}

// A full table refuses the handle (returns 0) rather than writing past its end.
int WApp::AddDialog(HWND dialog) {
    if (dialogCount >= maxDialogs) return 0;
    dialogs[dialogCount++] = dialog;
    return 1;
}

void WApp::RemoveDialog(HWND dialog) {
    for (int i = 0; i < dialogCount; i++) {
        if (dialogs[i] != dialog) continue;
        memmove(&dialogs[i], &dialogs[i + 1], (dialogCount - i - 1) * sizeof dialogs[0]);
        dialogs[--dialogCount] = nullptr;
        return;
    }
}

int WApp::RouteDialogMessage(MSG* msg) {
    for (loopIndex = 0; loopIndex < dialogCount; loopIndex++) {
        HWND dialog = dialogs[loopIndex];
        if (IsWindow(dialog) && IsDialogMessageA(dialog, msg)) return 1;
    }
    return 0;
}

void WApp::Run() {
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (RouteDialogMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void WApp::Quit() {
    PostQuitMessage(0);
}

unsigned Random(unsigned n) {
    return GetTickCount() % n;
}
