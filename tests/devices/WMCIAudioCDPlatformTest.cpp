#include "devices/WMCIAudioCD.h"

#include <gtest/gtest.h>

namespace {

// The test prefix has CD-ROM drives D: (serial 4D2) and F: (serial 1A2B3C4D) backed by
// folders: MCI opens them, but there is no disc to read.
TEST(WMCIAudioCDPlatform, OpensTheCdRomLetterAndReadsItsSerialButNoTracks) {
    if (GetDriveTypeA("D:\\") != DRIVE_CDROM || GetDriveTypeA("F:\\") != DRIVE_CDROM)
        GTEST_SKIP() << "no CD-ROM drives D: and F:";
    WMCIAudioCD cd;
    EXPECT_EQ(0, cd.Open("C:"));
    ASSERT_EQ(1, cd.Open("D:"));
    EXPECT_EQ(0, cd.ReadDisc() + cd.PlayFrom(1, 0, 0, 0));
    EXPECT_STREQ("4D2", cd.discId);
    EXPECT_EQ(0u, cd.audioTrackCount);
    EXPECT_EQ(1, cd.Close());
    PlatformCdAudioBackend backend;
    for (const char* root : {"F:", "F:\\"}) {
        DWORD serial = 0;
        EXPECT_EQ(1, backend.GetVolumeSerial(root, &serial));
        EXPECT_EQ(0x1A2B3C4Du, serial) << root;
    }
    DWORD serial = 0;
    EXPECT_EQ(0, backend.GetVolumeSerial("", &serial));
}

} // namespace
