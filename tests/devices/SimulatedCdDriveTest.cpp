#include "devices/SimulatedCdDrive.h"

#include <gtest/gtest.h>

namespace {

DWORD Frames(DWORD minutes, DWORD seconds, DWORD frames) {
    return (minutes * 60 + seconds) * 75 + frames;
}

class SimulatedCdDriveTest : public ::testing::Test {
protected:
    MCIERROR Status(DWORD item, DWORD track = 0, DWORD flags = MCI_STATUS_ITEM) {
        MCI_STATUS_PARMS params = {0, 0, item, track};
        MCIERROR error = Send(MCI_STATUS, flags | (track ? MCI_TRACK : 0), &params);
        value = (DWORD)params.dwReturn;
        return error;
    }
    // The answer, or -1 when the query failed.
    DWORD Read(DWORD item, DWORD track = 0) { return Status(item, track) ? DWORD(-1) : value; }
    MCIERROR SetFormat(DWORD format) {
        MCI_SET_PARMS params = {0, format, 0};
        return Send(MCI_SET, MCI_SET_TIME_FORMAT, &params);
    }
    MCIERROR Play(DWORD from) {
        MCI_PLAY_PARMS params = {0, from, 0};
        return Send(MCI_PLAY, MCI_FROM, &params);
    }
    MCIERROR Send(UINT message, DWORD flags, void* params) {
        return drive.SendCommand(message == MCI_OPEN ? 0 : id, message, flags, (DWORD_PTR)params);
    }
    void SetUp() override {
        // A mixed-mode disc: data, audio 3:00:00, data, audio 2:00:00.
        drive.InsertDisc({{Frames(10, 0, 0), true},
                          {Frames(3, 0, 0), false},
                          {Frames(1, 0, 0), true},
                          {Frames(2, 0, 0), false}});
        MCI_OPEN_PARMSA params = {0, 0, (LPCSTR)(DWORD_PTR)MCI_DEVTYPE_CD_AUDIO, "D:", nullptr};
        ASSERT_EQ(0u, Send(MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT, &params));
        id = params.wDeviceID;
    }

    ManualClock clock;
    SimulatedCdDrive drive{'D', &clock};
    MCIDEVICEID id = 0;
    DWORD value = 0;
};

TEST_F(SimulatedCdDriveTest, AnswersAndRefusesQueriesLikeTheDriver) {
    EXPECT_EQ((DWORD)MCI_FORMAT_MSF, Read(MCI_STATUS_TIME_FORMAT)); // after open, as winmm
    EXPECT_EQ((MCIERROR)MCIERR_BAD_TIME_FORMAT, SetFormat(7));
    ASSERT_EQ(0u, SetFormat(MCI_FORMAT_TMSF));
    EXPECT_EQ(MCI_MAKE_MSF(15, 59, 74), Read(MCI_STATUS_LENGTH)); // MSF, one frame short
    EXPECT_EQ(MCI_MAKE_TMSF(4, 0, 0, 0), Read(MCI_STATUS_POSITION, 4));
    const DWORD item = MCI_STATUS_ITEM;
    const DWORD queries[][4] = {
        // item, track, flags, error
        {MCI_STATUS_LENGTH, 5, item, MCIERR_OUTOFRANGE},
        {MCI_STATUS_POSITION, 5, item, MCIERR_OUTOFRANGE},
        {MCI_CDA_STATUS_TYPE_TRACK, 5, item, MCIERR_OUTOFRANGE},
        {MCI_CDA_STATUS_TYPE_TRACK, 0, item, MCIERR_MISSING_PARAMETER},
        {MCI_STATUS_MODE, 0, 0, MCIERR_MISSING_PARAMETER},
        {0x4321, 0, item, MCIERR_UNSUPPORTED_FUNCTION},
        {MCI_STATUS_POSITION, 1, item | MCI_STATUS_START, MCIERR_FLAGS_NOT_COMPATIBLE}};
    for (auto& q : queries)
        EXPECT_EQ(q[3], Status(q[0], q[1], q[2])) << q[0] << " " << q[1];
    ASSERT_EQ(0u, SetFormat(MCI_FORMAT_MSF));
    EXPECT_EQ((MCIERROR)MCIERR_OUTOFRANGE, Play(MCI_MAKE_MSF(0, 1, 0)));
    EXPECT_EQ((MCIERROR)MCIERR_OUTOFRANGE, Play(MCI_MAKE_MSF(16, 2, 0)));
    EXPECT_EQ((MCIERROR)MCIERR_HARDWARE, Send(MCI_RESUME, 0, nullptr));

    drive.EjectDisc();
    EXPECT_EQ((DWORD)MCI_MODE_OPEN, Read(MCI_STATUS_MODE));
    EXPECT_EQ((MCIERROR)MCIERR_DEVICE_NOT_READY, Status(MCI_STATUS_CURRENT_TRACK));
    EXPECT_EQ((MCIERROR)MCIERR_DEVICE_NOT_READY, Play(MCI_MAKE_MSF(10, 2, 0)));
    DWORD serial = 0;
    EXPECT_EQ(0, drive.GetVolumeSerial("D:", &serial));
}

TEST_F(SimulatedCdDriveTest, PlaySkipsDataTracksAndRunsToTheEnd) {
    ASSERT_EQ(0u, SetFormat(MCI_FORMAT_TMSF));
    ASSERT_EQ(0u, Play(MCI_MAKE_TMSF(1, 0, 0, 0)));
    EXPECT_EQ(MCI_MAKE_TMSF(2, 0, 0, 0), Read(MCI_STATUS_POSITION));
    clock.Advance(Frames(3, 0, 30) * 1000 / 75); // through track 3 (data: the head just runs)
    EXPECT_EQ(3u, Read(MCI_STATUS_CURRENT_TRACK));
    clock.Advance(Frames(4, 0, 0) * 1000 / 75);
    EXPECT_EQ((DWORD)MCI_MODE_STOP, Read(MCI_STATUS_MODE));
    EXPECT_EQ(MCI_MAKE_TMSF(4, 1, 59, 74), Read(MCI_STATUS_POSITION));

    // Only data after the start: nothing plays, and that is no error.
    drive.InsertDisc({{Frames(5, 0, 0), true}});
    EXPECT_EQ(0u, Play(MCI_MAKE_TMSF(1, 0, 0, 0)));
    EXPECT_EQ((DWORD)MCI_MODE_STOP, Read(MCI_STATUS_MODE));
}

} // namespace
