#include "player/NameLookup.h"

#include "app/CodePage.h"
#include "devices/WHttpClient.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

struct NameLookup::Job {
    HWND window = nullptr;
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    bool done = false;
    Outcome outcome;
};

namespace {

// MusicBrainz serves a client at most one request a second, across all lookups of the run.
class MusicBrainzPace {
public:
    static void WaitTurn(const std::atomic<bool>& cancelled) {
        static std::mutex mutex;
        static std::chrono::steady_clock::time_point next;
        std::unique_lock<std::mutex> lock(mutex);
        while (!cancelled && std::chrono::steady_clock::now() < next)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        next = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    }
};

bool WaitUnlessCancelled(int milliseconds, const std::atomic<bool>& cancelled) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!cancelled && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !cancelled;
}

} // namespace

std::string NameLookup::UserAgent() {
    return "Lumivoxen/" LUMIVOXEN_VERSION " ( https://lumivoxen.example/ )";
}

DiscNames NameLookup::AnsiNames(const ReleaseNames& names) {
    DiscNames ansi;
    ansi.artist = CodePage::FromUtf8(names.artist);
    ansi.album = CodePage::FromUtf8(names.album);
    for (const std::string& track : names.tracks)
        ansi.tracks.push_back(CodePage::FromUtf8(track));
    return ansi;
}

void NameLookup::Start(const std::string& discId, const DiscToc& toc, const NameServices& services,
                       bool fromMenu) {
    Cancel();
    current = std::make_shared<Job>();
    current->window = window;
    current->outcome.discId = discId;
    current->outcome.fromMenu = fromMenu;
    std::thread(Run, current, toc, services, !gnudbSilenced).detach();
}

void NameLookup::Cancel() {
    if (current) current->cancelled = true;
    current.reset();
}

bool NameLookup::TakeOutcome(Outcome& outcome) {
    if (!current) return false;
    {
        std::lock_guard<std::mutex> lock(current->mutex);
        if (!current->done) return false;
        outcome = std::move(current->outcome);
    }
    current.reset();
    if (outcome.result.gnudbRefused) gnudbSilenced = true;
    return true;
}

void NameLookup::Run(std::shared_ptr<Job> job, DiscToc toc, NameServices services, bool askGnudb) {
    WHttpClient client(UserAgent(), maxAnswerBytes);
    const std::string musicBrainz = services.musicBrainz;
    NameSearch search(
        std::move(services),
        [&](const std::string& url) {
            if (url.compare(0, musicBrainz.size(), musicBrainz) == 0)
                MusicBrainzPace::WaitTurn(job->cancelled);
            return job->cancelled ? HttpAnswer{0, "", "cancelled"}
                                  : client.Get(url, job->cancelled);
        },
        [&](int milliseconds) { return WaitUnlessCancelled(milliseconds, job->cancelled); });
    NameSearchResult result = search.Search(toc, askGnudb);
    if (job->cancelled) return;
    {
        std::lock_guard<std::mutex> lock(job->mutex);
        job->outcome.result = std::move(result);
        job->done = true;
    }
    PostMessageA(job->window, doneMessage, 0, 0);
}
