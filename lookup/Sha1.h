#pragma once

#include <array>
#include <cstdint>
#include <string>

// SHA-1 of a byte string, as the MusicBrainz disc id needs it. Window-free.
class Sha1 {
public:
    using Digest = std::array<std::uint8_t, 20>;
    static Digest Of(const std::string& bytes);
};
