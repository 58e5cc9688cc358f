#pragma once

#include "lookup/CddbAnswer.h"
#include "lookup/DiscToc.h"
#include "lookup/MusicBrainzAnswer.h"

#include <functional>
#include <string>
#include <vector>

// One HTTP GET's outcome: the status (0 when no answer came) and the body, or why nothing
// usable came (no connection, a time-out, an answer over the size bound).
struct HttpAnswer {
    int status = 0;
    std::string body;
    std::string failure;
};

// Where the names of discs are asked for, from the settings.
struct NameServices {
    std::string musicBrainz; // base URL ending in '/'
    std::string gnudb;       // the cddb.cgi URL; unused without an e-mail address
    std::string email;
    std::string version; // the program's, for gnudb's hello
};

struct NameSearchResult {
    std::vector<ReleaseNames> releases;
    // Empty when names were found; else one line for the user on what went wrong.
    std::string failure;
    // gnudb refused the client (an answer 500): it stays silent for the rest of the run.
    bool gnudbRefused = false;
};

// Asks MusicBrainz, then gnudb, for the names of a disc, and stops at the first that knows
// it. Window-free: the caller brings the HTTP GET and the wait (both return early, the wait
// with false, once the search is cancelled).
class NameSearch {
public:
    using Fetch = std::function<HttpAnswer(const std::string& url)>;
    using Wait = std::function<bool(int milliseconds)>;

    NameSearch(NameServices services, Fetch fetch, Wait wait);

    NameSearchResult Search(const DiscToc& toc, bool askGnudb);

    std::string MusicBrainzUrl(const DiscToc& toc) const;
    std::string CddbUrl(const std::string& command) const;

    static constexpr int maxGnudbReads = 5;
    static constexpr int retryAfter503Ms = 1000;

private:
    bool AskMusicBrainz(const DiscToc& toc, NameSearchResult& result);
    void AskGnudb(const DiscToc& toc, NameSearchResult& result);
    void ReadGnudbMatches(const std::vector<CddbMatch>& matches, int trackCount,
                          NameSearchResult& result);

    NameServices services;
    Fetch fetch;
    Wait wait;
};

// The text with every byte but letters, digits and "-._~" as %XX.
std::string UrlEncoded(const std::string& text);
