#include "devices/MixerPanel.h"

#include "devices/VolumeScale.h"

void MixerPanel::FindControls() {
    channelsFound = mixer->GetControlId(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                                        MIXERCONTROL_CONTROLTYPE_VOLUME, &channelsId);
    masterFound = mixer->GetControlId(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                      MIXERCONTROL_CONTROLTYPE_VOLUME, &masterId);
    muteFound = mixer->GetControlId(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                                    MIXERCONTROL_CONTROLTYPE_MUTE, &muteId);
}

int MixerPanel::ReadChannelPositions(int* left, int* right) {
    DWORD leftValue = 0, rightValue = 0;
    if (!channelsFound || !mixer->GetValues(channelsId, 2, &leftValue, &rightValue)) return 0;
    *left = VolumeScale::PositionFromValue(leftValue);
    *right = VolumeScale::PositionFromValue(rightValue);
    return 1;
}

int MixerPanel::ReadMasterPosition(int* position) {
    DWORD value = 0, unused = 0;
    // Channel count 0: the control's value as one, whatever its channels.
    if (!masterFound || !mixer->GetValues(masterId, 0, &value, &unused)) return 0;
    *position = VolumeScale::PositionFromValue(value);
    return 1;
}

int MixerPanel::ReadMute(int* muted) {
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
    mixer->SetValues(masterId, 2, value, value);
}

void MixerPanel::SetMute(int muted) {
    if (muteFound) mixer->SetBool(muteId, muted ? 1 : 0);
}

void MixerPanel::WriteChannels(int leftPosition, int rightPosition) {
    if (!channelsFound) return;
    mixer->SetValues(channelsId, 2, VolumeScale::ValueFromPosition(leftPosition),
                     VolumeScale::ValueFromPosition(rightPosition));
}
