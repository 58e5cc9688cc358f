#include "vdrive/VirtualDisc.h"

#include "demo/DemoDisc.h"
#include "disc/DiscImage.h"

VirtualDisc VirtualDisc::FromImage(std::shared_ptr<const DiscImage> image) {
    VirtualDisc disc;
    if (!image || !image->Valid() || image->Tracks().empty()) return disc;
    // A first track that starts late (a hidden pregap) starts as late on the disc.
    disc.firstStart = SimulatedCdDrive::firstTrackStart + DWORD(image->Tracks().front().start);
    for (const DiscImage::Track& track : image->Tracks()) {
        disc.tracks.push_back({DWORD(track.frames), track.data});
        if (!track.data) disc.names.tracks.push_back(track.title);
    }
    disc.names.artist = image->Performer();
    disc.names.album = image->Title();
    disc.names.fromFileNames = image->IsFolder();
    disc.audio = image;
    return disc;
}

VirtualDisc VirtualDisc::Demo() {
    auto demo = std::make_shared<const DemoDisc>();
    VirtualDisc disc;
    for (int track = 1; track <= demo->TrackCount(); track++) {
        disc.tracks.push_back({demo->TrackFrames(track), false});
        disc.names.tracks.push_back(demo->TrackName(track));
    }
    disc.names.artist = demo->Artist();
    disc.names.album = demo->Album();
    disc.audio = demo;
    return disc;
}
