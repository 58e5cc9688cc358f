#pragma once

#include "disc/DiscNames.h"
#include "lookup/NameSearch.h"

#include <windows.h>

#include <memory>
#include <string>

// Asks the name services for the names of one disc at a time, on a worker thread of its
// own, and tells the window by a posted message when it is done. Nothing waits for the
// worker: a new lookup or the end of this object cancels the old one, whose outcome is
// dropped, and a worker still blocked in the network at exit dies with the process.
class NameLookup {
public:
    static constexpr UINT doneMessage = WM_APP + 21;
    // Largest answer taken from a server; a MusicBrainz answer for a much-released disc
    // runs to a few hundred kilobytes.
    static constexpr size_t maxAnswerBytes = 4 << 20;

    struct Outcome {
        std::string discId;
        bool fromMenu = false;
        NameSearchResult result;
    };

    explicit NameLookup(HWND window) : window(window) {}
    ~NameLookup() { Cancel(); }
    NameLookup(const NameLookup&) = delete;
    NameLookup& operator=(const NameLookup&) = delete;

    void Start(const std::string& discId, const DiscToc& toc, const NameServices& services,
               bool fromMenu);
    void Cancel();
    // On doneMessage: the outcome of the lookup last started, once; false for any other.
    bool TakeOutcome(Outcome& outcome);
    // gnudb refused this client once: not asked again until the next start.
    bool GnudbSilenced() const { return gnudbSilenced; }

    // UTF-8 names in the ANSI code page, as the disc database keeps every name; letters the
    // code page lacks become its default character.
    static DiscNames AnsiNames(const ReleaseNames& names);
    static std::string UserAgent();

private:
    struct Job;
    static void Run(std::shared_ptr<Job> job, DiscToc toc, NameServices services, bool askGnudb);

    HWND window;
    std::shared_ptr<Job> current;
    bool gnudbSilenced = false;
};
