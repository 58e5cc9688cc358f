#pragma once

#include "app/Globals.h"
#include "app/WIniKey.h"
#include "devices/SimulatedCdDrive.h"
#include "devices/SimulatedMixer.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WMixer.h"
#include "forms/MainForm.h"
#include "player/PlaybackEngine.h"
#include "support/TempFolder.h"
#include "support/ThisProgram.h"

#include <memory>
#include <string>

class WApp;

// The whole program but its message loop, wired the way the entry point wires it: the
// settings and the disc database in a temporary folder, a simulated drive D: under a
// hand-driven clock, a simulated mixer with a CD line, the engine and the player window with
// the built-in skin. Intro play's random start is fixed.
class TestProgram {
public:
    TestProgram() = default;
    ~TestProgram() { Stop(); }
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    // Starts the player on that settings file; with an application object, dialog keys are
    // routed through it as the program's loop does.
    void Start(const std::string& settingsText, WApp* app = nullptr);
    // Destroys the player window if it is still there and forgets every process-wide object,
    // as the entry point does after its loop.
    void Stop();
    // Time passes in status-timer steps; the messages the ticks post stay queued.
    void Tick(int count = 1);
    // Delivers what is queued, dialog keys through the application object when there is one.
    static void Pump();
    // The text a box of the player shows, "" for none.
    std::string Shows(MainForm::TextBox box) const;

    TempFolder folder;
    WIniKey settingsIni{folder.File("lumivoxe.ini").c_str()};
    WIniKey discIni{folder.File("cdplayer.ini").c_str()};
    ManualClock clock;
    SimulatedCdDrive drive{'D', &clock};
    SimulatedMixer mixerDevice{SimulatedMixer::Layout::withCdLine};
    WMixer theMixer{&mixerDevice};
    WMCIAudioCD cd{&drive};
    PlayRequest request;
    std::unique_ptr<PlaybackEngine> engine;
    std::unique_ptr<MainForm> form;
};
