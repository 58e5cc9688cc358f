#pragma once

#include "devices/SimulatedCdDrive.h"
#include "disc/DiscAudio.h"
#include "disc/DiscNames.h"

#include <memory>
#include <string>
#include <vector>

class DiscImage;

// A disc for the virtual drive: its table of contents, the names it brings (a CUE sheet's
// PERFORMER and TITLE lines, the demo disc's own) and its sound.
struct VirtualDisc {
    std::vector<SimulatedTrack> tracks;
    DWORD firstStart = SimulatedCdDrive::firstTrackStart; // absolute frame of track 1
    DiscNames names;
    std::shared_ptr<const DiscAudio> audio;

    bool Empty() const { return tracks.empty(); }

    static VirtualDisc FromImage(std::shared_ptr<const DiscImage> image);
    static VirtualDisc Demo();
};
