// Disc ids against values computed independently of this code: the six-track disc is the
// example of MusicBrainz's disc id documentation, the four-track disc the example of a CDTOC
// tag library's documentation; the CDDB ids and the one-track disc's id were computed with
// Python's hashlib and base64 from the published definitions.
#include "lookup/DiscToc.h"
#include "lookup/Sha1.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// FIPS 180's examples, the second one spanning two blocks.
TEST(Sha1, DigestsOfTheStandardsExamples) {
    auto hex = [](const Sha1::Digest& digest) {
        std::string text;
        for (std::uint8_t byte : digest) {
            char two[3];
            std::snprintf(two, sizeof two, "%02x", byte);
            text += two;
        }
        return text;
    };
    EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", hex(Sha1::Of("abc")));
    EXPECT_EQ("84983e441c3bd26ebaae4aa1f95129e5e54670f1",
              hex(Sha1::Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")));
    EXPECT_EQ("da39a3ee5e6b4b0d3255bfef95601890afd80709", hex(Sha1::Of("")));
}

} // namespace
