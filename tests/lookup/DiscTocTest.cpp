// Disc ids against values computed independently of this code: the six-track disc is the
// example of MusicBrainz's disc id documentation, the four-track disc the example of a CDTOC
// tag library's documentation; the CDDB ids and the one-track disc's id were computed with
// Python's hashlib and base64 from the published definitions.
#include "lookup/DiscToc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DiscToc, IdsAndQueriesOfKnownDiscs) {
    const struct {
        DiscToc toc;
        const char *musicBrainz, *cddbQuery;
    } discs[] = {
        {{1, {150, 15363, 32314, 46592, 63414, 80489}, 95462},
         "49HHV7Eb8UKF3aQiNmu1GR8vKTY-",
         "3404f606+6+150+15363+32314+46592+63414+80489+1272"},
        {{1, {150, 11563, 25174, 45863}, 55370},
         "nljDXdC8B_pDwbdY1vZJvdrAZI4-",
         "1f02e004+4+150+11563+25174+45863+738"},
        {{1, {150}, 2400}, "N3wwl4O8sPNdF4nN9URh0XN7fnM-", "02001e01+1+150+32"},
    };
    for (const auto& disc : discs) {
        EXPECT_EQ(disc.musicBrainz, disc.toc.MusicBrainzId());
        EXPECT_EQ(disc.cddbQuery, disc.toc.CddbQuery());
    }
    EXPECT_EQ("1+4+55370+150+11563+25174+45863", discs[1].toc.MusicBrainzToc());
}

} // namespace
