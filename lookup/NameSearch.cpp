#include "lookup/NameSearch.h"

#include "lookup/CddbAnswer.h"

#include <cstdio>
#include <utility>

namespace {

const char noNames[] = "No names found for this disc";

bool Unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// A server's line, fit for a message box: no control characters, not endless.
std::string Printable(const std::string& line) {
    std::string text = line.substr(0, 200);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string WhyNot(const HttpAnswer& answer) {
    if (answer.status == 0) return answer.failure;
    return "the server answered HTTP " + std::to_string(answer.status);
}

} // namespace

std::string UrlEncoded(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        if (Unreserved(c)) {
            encoded += char(c);
            continue;
        }
        char escape[4];
        snprintf(escape, sizeof escape, "%%%02X", c);
        encoded += escape;
    }
    return encoded;
}

NameSearch::NameSearch(NameServices services, Fetch fetch, Wait wait)
    : services(std::move(services)), fetch(std::move(fetch)), wait(std::move(wait)) {
}

std::string NameSearch::MusicBrainzUrl(const DiscToc& toc) const {
    return services.musicBrainz + "discid/" + toc.MusicBrainzId() + "?toc=" + toc.MusicBrainzToc() +
           "&inc=recordings+artist-credits&fmt=json";
}

// gnudb wants its user's e-mail address in the hello: the user part, then the host.
std::string NameSearch::CddbUrl(const std::string& command) const {
    std::string user = services.email, host = "localhost";
    size_t at = user.find('@');
    if (at != std::string::npos) {
        host = user.substr(at + 1);
        user.erase(at);
    }
    return services.gnudb + "?cmd=" + command + "&hello=" + UrlEncoded(user) + "+" +
           UrlEncoded(host) + "+Lumivoxen+" + UrlEncoded(services.version) + "&proto=6";
}

NameSearchResult NameSearch::Search(const DiscToc& toc, bool askGnudb) {
    NameSearchResult result;
    if (toc.offsets.empty()) {
        result.failure = noNames;
        return result;
    }
    if (AskMusicBrainz(toc, result)) return result;
    if (askGnudb && !services.email.empty()) AskGnudb(toc, result);
    if (!result.releases.empty())
        result.failure.clear();
    else if (result.failure.empty())
        result.failure = noNames;
    return result;
}

// True when MusicBrainz named the disc; a service that failed leaves its reason.
bool NameSearch::AskMusicBrainz(const DiscToc& toc, NameSearchResult& result) {
    std::string url = MusicBrainzUrl(toc);
    HttpAnswer answer = fetch(url);
    // Busy: MusicBrainz asks clients to slow down, and a second try a moment later works.
    if (answer.status == 503 && wait(retryAfter503Ms)) answer = fetch(url);
    if (answer.status == 200) {
        result.releases =
            MusicBrainzReleases(answer.body, toc.MusicBrainzId(), int(toc.offsets.size()));
        return !result.releases.empty();
    }
    if (answer.status != 404)
        result.failure = "MusicBrainz could not be reached: " + WhyNot(answer);
    return false;
}

void NameSearch::AskGnudb(const DiscToc& toc, NameSearchResult& result) {
    HttpAnswer answer = fetch(CddbUrl("cddb+query+" + toc.CddbQuery()));
    if (answer.status != 200) {
        if (result.failure.empty())
            result.failure = "gnudb could not be reached: " + WhyNot(answer);
        return;
    }
    CddbQueryAnswer query = ParseCddbQuery(answer.body);
    if (query.code >= 500) {
        // gnudb's own words, for instance an unregistered client.
        result.gnudbRefused = query.code == 500;
        result.failure = "gnudb: " + Printable(query.line);
        return;
    }
    ReadGnudbMatches(query.matches, int(toc.offsets.size()), result);
}

void NameSearch::ReadGnudbMatches(const std::vector<CddbMatch>& matches, int trackCount,
                                  NameSearchResult& result) {
    int reads = 0;
    for (const CddbMatch& match : matches) {
        if (reads++ == maxGnudbReads) break;
        HttpAnswer answer = fetch(
            CddbUrl("cddb+read+" + UrlEncoded(match.category) + "+" + UrlEncoded(match.discId)));
        ReleaseNames names;
        if (answer.status == 200 && ParseCddbRead(answer.body, trackCount, names))
            result.releases.push_back(std::move(names));
    }
}
