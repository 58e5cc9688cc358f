#include "lookup/Sha1.h"

namespace {

std::uint32_t Rotate(std::uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

void Compress(std::uint32_t state[5], const std::uint8_t* block) {
    std::uint32_t w[80];
    for (int i = 0; i < 16; i++)
        w[i] = std::uint32_t(block[4 * i]) << 24 | std::uint32_t(block[4 * i + 1]) << 16 |
               std::uint32_t(block[4 * i + 2]) << 8 | block[4 * i + 3];
    for (int i = 16; i < 80; i++)
        w[i] = Rotate(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; i++) {
        std::uint32_t f, k;
        if (i < 20)
            f = (b & c) | (~b & d), k = 0x5A827999;
        else if (i < 40)
            f = b ^ c ^ d, k = 0x6ED9EBA1;
        else if (i < 60)
            f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
        else
            f = b ^ c ^ d, k = 0xCA62C1D6;
        const std::uint32_t next = Rotate(a, 5) + f + e + k + w[i];
        e = d, d = c, c = Rotate(b, 30), b = a, a = next;
    }
    state[0] += a, state[1] += b, state[2] += c, state[3] += d, state[4] += e;
}

} // namespace

// The message, a one bit, zeros to 56 bytes of the last block, and the length in bits.
Sha1::Digest Sha1::Of(const std::string& bytes) {
    std::uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    std::string padded = bytes + '\x80';
    while (padded.size() % 64 != 56)
        padded += '\0';
    const std::uint64_t bits = std::uint64_t(bytes.size()) * 8;
    for (int shift = 56; shift >= 0; shift -= 8)
        padded += char(bits >> shift);
    for (size_t at = 0; at < padded.size(); at += 64)
        Compress(state, reinterpret_cast<const std::uint8_t*>(padded.data() + at));
    Digest digest;
    for (int i = 0; i < 20; i++)
        digest[size_t(i)] = std::uint8_t(state[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}
