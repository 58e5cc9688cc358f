#pragma once

// The player window's displays as the engine writes them: six text boxes and the seek
// slider, each drawn at once. The player window plugs its controls in behind this.
enum class Display { Position, TrackLength, Artist, Album, TrackName, Status };

class EngineDisplays {
public:
    virtual ~EngineDisplays() = default;

    virtual void SetText(Display display, const char* text) = 0;
    // Range 0 .. maximum of the seek slider, redrawn.
    virtual void SetSeekRange(int maximum) = 0;
    virtual void SetSeekPosition(int position) = 0;
    // Asks the player window to close (WM_CLOSE); the displays die with it.
    virtual void CloseWindow() = 0;
    // A disc was read and its names and playlist are shown.
    virtual void DiscLoaded() {}
};
