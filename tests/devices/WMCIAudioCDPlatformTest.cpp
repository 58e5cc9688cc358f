#include "devices/WMCIAudioCD.h"

#include <gtest/gtest.h>

namespace {

bool IsCdRom(const char* root) {
    return GetDriveTypeA(root) == DRIVE_CDROM;
}

// The test prefix has CD-ROM drives D: (serial 4D2) and F: (serial 1A2B3C4D) backed by
// folders: MCI opens them, but there is no disc to read.
TEST(WMCIAudioCDPlatform, OpensTheCdRomLetterAndReadsItsSerialButNoTracks) {
    if (!IsCdRom("D:\\")) GTEST_SKIP() << "no CD-ROM drive D:";
    WMCIAudioCD cd;
    EXPECT_EQ(0, cd.Open("C:"));
    EXPECT_EQ(0u, cd.deviceId);
    ASSERT_EQ(1, cd.Open("D:"));
    EXPECT_NE(0u, cd.deviceId);
    EXPECT_EQ(0, cd.ReadDisc());
    EXPECT_STREQ("4D2", cd.discId);
    EXPECT_EQ(0u, cd.audioTrackCount);
    EXPECT_EQ(0, cd.PlayFrom(1, 0, 0, 0));
    EXPECT_EQ(1, cd.Close());
    EXPECT_EQ(0u, cd.deviceId);
}

TEST(PlatformCdAudioBackend, ReadsTheVolumeSerialFromTheDriveText) {
    if (!IsCdRom("F:\\")) GTEST_SKIP() << "no CD-ROM drive F:";
    PlatformCdAudioBackend backend;
    DWORD serial = 0;
    ASSERT_EQ(1, backend.GetVolumeSerial("F:", &serial));
    EXPECT_EQ(0x1A2B3C4Du, serial);
    serial = 0;
    ASSERT_EQ(1, backend.GetVolumeSerial("F:\\", &serial));
    EXPECT_EQ(0x1A2B3C4Du, serial);
    EXPECT_EQ(0, backend.GetVolumeSerial("", &serial));
}

} // namespace
