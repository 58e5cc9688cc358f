#include "forms/MixerPanel.h"

#include "devices/VolumeScale.h"
#include "vdrive/VirtualCdDrive.h"

void MixerPanel::FindControls() {
    channelsFound =
        mixer->GetControlId(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                            MIXERCONTROL_CONTROLTYPE_VOLUME, &channelsId, &channelCount);
    masterFound = mixer->GetControlId(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                      MIXERCONTROL_CONTROLTYPE_VOLUME, &masterId);
    muteFound = mixer->GetControlId(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                                    MIXERCONTROL_CONTROLTYPE_MUTE, &muteId);
}

int MixerPanel::ReadChannelPositions(int* left, int* right) {
    if (!channelsFound && ownOutput) {
        *left = VolumeScale::PositionFromValue(ownOutput->LeftVolume());
        *right = VolumeScale::PositionFromValue(ownOutput->RightVolume());
        return 1;
    }
    DWORD leftValue = 0, rightValue = 0;
    if (!channelsFound || !mixer->GetValues(channelsId, channelCount, &leftValue, &rightValue))
        return 0;
    if (channelCount == 1) rightValue = leftValue;
    *left = VolumeScale::PositionFromValue(leftValue);
    *right = VolumeScale::PositionFromValue(rightValue);
    return 1;
}

int MixerPanel::ReadMasterPosition(int* position) {
    DWORD value = 0, unused = 0;
    // One channel reads and writes any volume control as one value, stereo or uniform.
    if (!masterFound || !mixer->GetValues(masterId, 1, &value, &unused)) return 0;
    *position = VolumeScale::PositionFromValue(value);
    return 1;
}

int MixerPanel::ReadMute(int* muted) {
    if (!muteFound && ownOutput) {
        *muted = ownOutput->Muted() ? 1 : 0;
        return 1;
    }
    if (!muteFound) return 0;
    *muted = mixer->GetBool(muteId) ? 1 : 0;
    return 1;
}

int MixerPanel::DragLeft(int position, int rightPosition, int lock) {
    if (lock) rightPosition = position;
    WriteChannels(position, rightPosition);
    return rightPosition;
}

int MixerPanel::DragRight(int position, int leftPosition, int lock) {
    if (lock) leftPosition = position;
    WriteChannels(leftPosition, position);
    return leftPosition;
}

int MixerPanel::LockChannels(int leftPosition, int rightPosition) {
    const int position = VolumeScale::LockedPosition(leftPosition, rightPosition);
    WriteChannels(position, position);
    return position;
}

void MixerPanel::DragMaster(int position) {
    if (!masterFound) return;
    const DWORD value = VolumeScale::ValueFromPosition(position);
    mixer->SetValues(masterId, 1, value, value);
}

void MixerPanel::SetMute(int muted) {
    if (muteFound)
        mixer->SetBool(muteId, muted ? 1 : 0);
    else if (ownOutput)
        ownOutput->SetMute(muted != 0);
}

void MixerPanel::WriteChannels(int leftPosition, int rightPosition) {
    const DWORD left = VolumeScale::ValueFromPosition(leftPosition);
    const DWORD right = VolumeScale::ValueFromPosition(rightPosition);
    if (!channelsFound) {
        if (ownOutput) ownOutput->SetVolume(left, right);
        return;
    }
    // A mono CD line takes the louder of the two sliders.
    if (channelCount == 1)
        mixer->SetValues(channelsId, 1, left > right ? left : right, 0);
    else
        mixer->SetValues(channelsId, 2, left, right);
}
