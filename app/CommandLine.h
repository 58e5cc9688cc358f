#pragma once

#include <string>

// The "/play" request of a command line such as  /play D:\Track05.cda  : the track number is
// the two characters before the first point of the file name. Windows-free.
struct PlayArgument {
    int requested = 0; // "/play" stands in the command line
    int hasPoint = 0;  // the file name has a point, so a track number was read
    int track = 0;
};

// Reads the request; cuts the command line at the file name's point, as the player keeps it.
PlayArgument ParsePlayArgument(char* commandLine);

// The disc image of "/disc PATH" (a CUE sheet or a folder, quoted when it has blanks); empty
// when the switch is missing or names nothing.
std::string ParseDiscArgument(const char* commandLine);
