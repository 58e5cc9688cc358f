#pragma once

#include "devices/WMixer.h"

class VirtualCdDrive;

// What the player window's volume sliders and mute button do with the mixer: the three
// controls are looked up once, read into slider positions, and written back as the sliders
// move. A control is used only when its lookup succeeded: an id of 0 is not a sign of
// failure (winmm numbers the master volume 0), so a missing CD line must never write to it.
// Without a CD line (modern Windows, Wine), the channel sliders and the mute button work on
// the virtual drive's own output instead, when there is one.
class MixerPanel {
public:
    explicit MixerPanel(WMixer* mixer, VirtualCdDrive* ownOutput = nullptr)
        : mixer(mixer), ownOutput(ownOutput) {}

    // Looks up the left/right volume, the master volume and the mute switch, in that order.
    void FindControls();

    // 1 and the slider positions when the control exists and could be read; 0 leaves the
    // slider or button as the skin made it.
    int ReadChannelPositions(int* left, int* right);
    int ReadMasterPosition(int* position);
    int ReadMute(int* muted);

    // A channel slider dragged to a position. Returns where the other slider goes: to the
    // same position when the channels are locked, else where it was. Both channels are written.
    int DragLeft(int position, int rightPosition, int lock);
    int DragRight(int position, int leftPosition, int lock);
    // The channel lock turned on: both sliders meet half-way (returned) and both channels take
    // that volume.
    int LockChannels(int leftPosition, int rightPosition);
    void DragMaster(int position);
    void SetMute(int muted);

    // Whether a control has something audible behind it: the mixer's own control, or the
    // virtual drive's output while the disc plays there.
    bool ChannelsAudible(bool ownOutputPlays) const {
        return channelsFound || (ownOutput && ownOutputPlays);
    }
    bool MasterAudible() const { return masterFound != 0; }
    bool MuteAudible(bool ownOutputPlays) const {
        return muteFound || (ownOutput && ownOutputPlays);
    }

    DWORD channelsId = 0;
    DWORD channelCount = 2; // the CD volume's: 2, or 1 for a mono (uniform) control
    DWORD masterId = 0;
    DWORD muteId = 0;
    int channelsFound = 0;
    int masterFound = 0;
    int muteFound = 0;

private:
    void WriteChannels(int leftPosition, int rightPosition);

    WMixer* mixer;
    VirtualCdDrive* ownOutput;
};
