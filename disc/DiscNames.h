#pragma once

#include <string>
#include <vector>

// The names a disc brings with it (a CUE sheet's PERFORMER and TITLE lines, the demo disc's
// own), for when the disc database knows nothing of the disc. Empty texts are unknown.
struct DiscNames {
    std::string artist, album;
    std::vector<std::string> tracks; // by audio index from 0, data tracks left out
    // Made up from folder and file names rather than stated by the disc: a lookup may do better.
    bool fromFileNames = false;
};
