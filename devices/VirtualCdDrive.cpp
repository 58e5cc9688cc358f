#include "devices/VirtualCdDrive.h"

VirtualCdDrive::VirtualCdDrive(char driveLetter, Clock* clock)
    : letter(driveLetter), drive(driveLetter, clock) {
}

MCIERROR VirtualCdDrive::SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags,
                                     DWORD_PTR params) {
    return drive.SendCommand(id, message, flags, params);
}

// No file system on an audio image: the serial is the one a real drive derives from the
// table of contents, so the disc database knows each image as it would know the disc.
int VirtualCdDrive::GetVolumeSerial(const char* root, DWORD* serial) {
    return drive.GetVolumeSerial(root, serial);
}

void VirtualCdDrive::Insert(const Disc& newDisc) {
    disc = newDisc;
    if (disc.tracks.empty())
        drive.EjectDisc();
    else
        drive.InsertDisc(disc.tracks);
}

void VirtualCdDrive::Eject() {
    disc = Disc();
    drive.EjectDisc();
}
