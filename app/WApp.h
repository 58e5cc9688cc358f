#pragma once

#include <windows.h>

// The application object: the program's folder, the modeless dialogs whose keyboard
// messages the loop routes, and the message loop.
class WApp {
public:
    WApp(HINSTANCE instance, const char* commandLine, int showCommand);

    int AddDialog(HWND dialog);
    void RemoveDialog(HWND dialog);
    int RouteDialogMessage(MSG* msg);
    void Run();
    void Quit();

    static constexpr int maxDialogs = 50;

    HINSTANCE instance;
    const char* commandLine;
    int showCommand;
    char folder[MAX_PATH] = ""; // without a trailing backslash; empty when it did not fit
    char fileName[MAX_PATH] = "";
    HWND dialogs[maxDialogs] = {};
    int dialogCount = 0;

private:
    int loopIndex = 0;
    MSG message = {};
};

// The tick count modulo n (n > 0).
unsigned Random(unsigned n);
