#pragma once

#include "player/NameLookup.h"

#include <windows.h>

class PlaybackEngine;
class WMCIAudioCD;
struct Settings;

// Names for the disc in the drive from the name services: asked by itself for a disc that
// has no names, or from the menu for any disc. What is found is stored in the disc database
// as if typed in the editor and shown at once.
class DiscNamer {
public:
    DiscNamer(HWND window, HINSTANCE instance, WMCIAudioCD& cd, PlaybackEngine& engine,
              const Settings& settings);

    // The engine read a disc.
    void DiscLoaded();
    // "Look Up Names Online": asks again even for a named disc, and lets the user choose.
    void LookUpFromMenu();
    // NameLookup::doneMessage.
    void LookupDone();

    // How a failure of the menu's lookup reaches the user: a message box unless a test listens.
    static int(WINAPI* tellUser)(HWND owner, const char* text, const char* caption, UINT type);
    // Which release to take; -1 for none. The chooser dialog unless a test answers.
    static int (*choose)(HINSTANCE instance, HWND owner, const std::vector<std::string>& summaries);

    // The CD-Text of a real drive's disc; tests give their own packs.
    static bool (*readCdText)(char driveLetter, std::string& packs);

private:
    bool NamedByCdText();
    bool Start(bool fromMenu);
    NameServices Services() const;
    int Chosen(const NameLookup::Outcome& outcome) const;
    void Store(const ReleaseNames& names);
    void Tell(const std::string& text) const;

    HWND window;
    HINSTANCE instance;
    WMCIAudioCD& cd;
    PlaybackEngine& engine;
    const Settings& settings;
    NameLookup lookup;
};
