#include "vdrive/DriveRouter.h"

#include "devices/Clock.h"
#include "vdrive/VirtualCdDrive.h"

#include <gtest/gtest.h>

namespace {

// A "real" drive D: (simulated) beside the virtual drive V:, each with its own disc.
struct Router : ::testing::Test {
    ManualClock clock;
    SimulatedCdDrive real{'D', &clock};
    VirtualCdDrive virtualDrive{'V', &clock};
    DriveRouter router{real, virtualDrive};

    void SetUp() override {
        real.InsertDisc({{75 * 60, false}});
        VirtualDisc disc;
        disc.tracks = {{75 * 30, false}, {75 * 40, false}};
        virtualDrive.Insert(disc);
    }
    MCIERROR Open(const char* drive, MCIDEVICEID* id) {
        MCI_OPEN_PARMSA open = {0, 0, "cdaudio", drive, nullptr};
        MCIERROR result =
            router.SendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, (DWORD_PTR)&open);
        *id = open.wDeviceID;
        return result;
    }
    DWORD Tracks(MCIDEVICEID id, MCIERROR* result) {
        MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_NUMBER_OF_TRACKS, 0};
        *result = router.SendCommand(id, MCI_STATUS, MCI_STATUS_ITEM, (DWORD_PTR)&status);
        return DWORD(status.dwReturn);
    }
};

TEST_F(Router, EachOpenReachesItsDriveUnderAnIdOfItsOwn) {
    MCIDEVICEID d = 0, v = 0, e = 0;
    ASSERT_EQ(0u, Open("D:", &d));
    ASSERT_EQ(0u, Open("v:", &v));
    EXPECT_NE(d, v) << "both drives number their devices from 1";
    MCIERROR result = 0;
    EXPECT_EQ(1u, Tracks(d, &result));
    EXPECT_EQ(2u, Tracks(v, &result));
    EXPECT_EQ(MCIERR_INVALID_FILE, Open("E:", &e)) << "the platform's answer for a non-drive";

    EXPECT_EQ(0u, router.SendCommand(v, MCI_CLOSE, 0, 0));
    Tracks(v, &result);
    EXPECT_EQ(MCIERR_INVALID_DEVICE_ID, result) << "closed";
    EXPECT_EQ(1u, Tracks(d, &result));
    EXPECT_EQ(MCIERR_INVALID_DEVICE_ID, router.SendCommand(77, MCI_STOP, 0, 0));

    DWORD serialD = 0, serialV = 0;
    EXPECT_EQ(1, router.GetVolumeSerial("D:\\", &serialD));
    EXPECT_EQ(1, router.GetVolumeSerial("V:\\", &serialV));
    EXPECT_NE(serialD, serialV);
    virtualDrive.Eject();
    EXPECT_EQ(0, router.GetVolumeSerial("V:\\", &serialV)) << "an empty drive has no volume";
}

TEST(VirtualDriveLetter, IsVOrTheNearestFreeLetterAfterItThenBefore) {
    auto bit = [](char letter) { return DWORD(1) << (letter - 'A'); };
    EXPECT_EQ('V', VirtualCdDrive::FreeLetter(bit('C') | bit('D') | bit('Z')));
    EXPECT_EQ('X', VirtualCdDrive::FreeLetter(bit('V') | bit('W')));
    EXPECT_EQ('U',
              VirtualCdDrive::FreeLetter(bit('V') | bit('W') | bit('X') | bit('Y') | bit('Z')));
    EXPECT_EQ('C', VirtualCdDrive::FreeLetter(0x03FFFFFFu & ~bit('C')));
    EXPECT_EQ(0, VirtualCdDrive::FreeLetter(0x03FFFFFFu & ~bit('A'))) << "never a floppy's letter";
}

} // namespace
