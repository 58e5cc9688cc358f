#include "support/TestProgram.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "res/resource.h"

#include <windows.h>

namespace {

unsigned FixedRandom(unsigned range) {
    return 1000 % range;
}

} // namespace

void TestProgram::Start(const std::string& settingsText, WApp* app) {
    // Tests that do not look names up never ask the servers of the internet.
    const bool lookups = settingsText.find("[lookup]") != std::string::npos;
    folder.Write("lumivoxe.ini", settingsText + (lookups ? "" : "\r\n[lookup]\r\nonline=0\r\n"));
    settings = Settings();
    settingsFile = &settingsIni, discFile = &discIni, mixer = &theMixer, theApp = app;
    LoadSettings();
    form = std::make_unique<MainForm>();
    UnregisterClassA(MainForm::className, Module()); // whatever another suite left
    form->CreatePlayerWindow(Module());
    cd.Open("D:");
    cdAudio = &cd;
    engine = std::make_unique<PlaybackEngine>(cd, discIni, settings, request, FixedRandom);
    playbackEngine = engine.get();
    form->AttachEngine(engine.get());
}

void TestProgram::Stop() {
    if (form && IsWindow(form->hwnd)) DestroyWindow(form->hwnd);
    form.reset();
    UnregisterClassA(MainForm::className, Module());
    playbackEngine = nullptr, cdAudio = nullptr, mixer = nullptr;
    settingsFile = nullptr, discFile = nullptr, theApp = nullptr;
    Pump();
}

void TestProgram::Tick(int count) {
    for (int i = 0; i < count; i++) {
        clock.Advance(200);
        SendMessageA(form->hwnd, WM_TIMER, IDT_STATUS, 0);
    }
}

std::string TestProgram::Shows(MainForm::TextBox box) const {
    const char* text = form->textBoxes[box].text;
    return text ? text : "";
}

void TestProgram::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (theApp && theApp->RouteDialogMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
