#pragma once

#include "devices/CdAudioBackend.h"
#include "lookup/DiscToc.h"

#include <string>
#include <vector>

// The CD drive, driven through MCI cdaudio on one drive letter. Every operation returns
// 1 for success and 0 for failure, never throws and never tells the user.
// Times that leave this class are whole seconds (minutes * 60 + seconds).
class WMCIAudioCD {
public:
    // The back end is not owned; null means the platform's own.
    explicit WMCIAudioCD(CdAudioBackend* backend = nullptr);
    ~WMCIAudioCD();
    WMCIAudioCD(const WMCIAudioCD&) = delete;
    WMCIAudioCD& operator=(const WMCIAudioCD&) = delete;

    int Open(const char* drive);
    int Close();
    int SetTimeFormat(DWORD format);
    int PlayFrom(int track, int minute, int second, int frame);
    int PlayAudioTrack(int index, int minute, int second, int frame);
    int Stop();
    int GetMode(DWORD* mode);
    int IsPlaying();
    int GetTrackCount(DWORD* count);
    int GetTrackType(int track, DWORD* type);
    int IsMediaPresent();
    int ReadDisc();
    int GetPosition(int* track, int* minute, int* second, int* frame);
    int GetTrackSeconds(int* seconds);
    int GetCurrentTrack(int* track);
    int GetTrackLength(int track, int* seconds);
    int GetAudioTrackLength(int index, int* seconds);
    int Pause();
    int Resume();
    int SetDoor(int open);
    int FindAudioIndex(int track) const;
    // The table of contents of the disc in the drive, for the name services.
    int ReadToc(DiscToc* toc);

    // The identifier a disc is filed under in the disc database.
    static std::string DiscIdOf(DWORD serial);

    static constexpr int maxTracks = 255;

    MCIDEVICEID deviceId = 0;
    DWORD trackCount = 0;
    DWORD audioTrackCount = 0;
    DWORD audioTrack[maxTracks] = {}; // from index 1: disc track number of each audio track
    char discId[20] = "";
    char drive[4] = "";
    BYTE savedPosition[4] = {}; // track, minute, second, frame
    int paused = 0;
    int doorOpen = 0;

private:
    MCIERROR Send(UINT message, DWORD flags, void* params);
    int Status(DWORD item, DWORD flags, DWORD track, DWORD_PTR* value);
    int HasAudioIndex(int index) const;
    int DeriveAudioDiscSerial(DWORD* serial);
    int ReadTrackStarts(std::vector<DWORD>& starts, DWORD* leadOut);
    static DWORD MsfFrames(DWORD_PTR msf);

    CdAudioBackend* backend;
};
