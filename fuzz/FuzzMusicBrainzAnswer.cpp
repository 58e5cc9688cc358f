// A name service's JSON answer: any bytes are read without a fault, and a value read is
// read the same again.
#include "fuzz/FuzzInput.h"
#include "lookup/Json.h"
#include "lookup/MusicBrainzAnswer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = Bytes(data, size);
    const auto first = MusicBrainzReleases(text, "abcdefghijklmnopqrstuvwxyz0-", 2);
    const auto again = MusicBrainzReleases(text, "abcdefghijklmnopqrstuvwxyz0-", 2);
    if (first.size() != again.size()) std::abort();
    Json::Parse(text);
    return 0;
}
