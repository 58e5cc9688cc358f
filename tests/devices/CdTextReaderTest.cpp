// The platform's CD-Text request fails cleanly where there is nothing to read.
#include "devices/CdTextReader.h"

#include <gtest/gtest.h>

namespace {

TEST(CdTextReader, NoDriveOrNoCdTextGivesNothing) {
    for (char drive : {'D', 'Q'}) { // a test drive without CD-Text support, no drive at all
        std::string packs = "old";
        EXPECT_FALSE(CdTextReader::ReadPacks(drive, packs)) << drive;
        EXPECT_TRUE(packs.empty()) << drive;
    }
}

} // namespace
