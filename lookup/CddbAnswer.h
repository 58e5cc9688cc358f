#pragma once

#include "lookup/MusicBrainzAnswer.h"

#include <string>
#include <vector>

// What a CDDB server (protocol level 6, over HTTP) answers to "cddb query" and "cddb read".
// Window-free. A list or a record must end with its line "." to count: a cut answer gives
// nothing.
struct CddbMatch {
    std::string category, discId, title;
};

struct CddbQueryAnswer {
    int code = 0;     // 200 one match, 210 or 211 a list, 202 none, else a failure
    std::string line; // the status line, for telling the user what the server said
    std::vector<CddbMatch> matches;
};

CddbQueryAnswer ParseCddbQuery(const std::string& answer);

// The xmcd record of a "cddb read" answer: DTITLE "artist / title", DYEAR, TTITLEn (a key
// written on several lines is one value). False for any answer that is not a whole record
// of that many tracks.
bool ParseCddbRead(const std::string& answer, int trackCount, ReleaseNames& names);
