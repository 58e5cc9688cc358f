#pragma once

#include "support/LittleEndian.h"

#include <string>

// RIFF/WAVE files written chunk by chunk, without the reader under test.

// A chunk: its tag, the size of its body, the body, and a pad byte after an odd size.
inline std::string Chunk(const char* tag, const std::string& body) {
    return tag + Le32(body.size()) + body + std::string(body.size() % 2, '\0');
}

// The sixteen bytes of a format: format, channels, rate, bits, with the byte rate and block
// size they make.
inline std::string FormatBody(int format, int channels, int rate, int bits) {
    return Le16(format) + Le16(channels) + Le32(rate) + Le32(rate * channels * bits / 8) +
           Le16(channels * bits / 8) + Le16(bits);
}

inline std::string Wave(const std::string& chunks) {
    return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks;
}

// A file of CD audio: 44.1 kHz, 16 bits, stereo (unless another rate is given).
inline std::string CdWave(const std::string& samples, int rate = 44100) {
    return Wave(Chunk("fmt ", FormatBody(1, 2, rate, 16)) + Chunk("data", samples));
}

// Frames of noise-like CD audio: a sample lost, doubled or out of place shows.
inline std::string Noise(int frames, unsigned seed) {
    std::string bytes(std::size_t(frames) * 2352, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = char(seed >> 16);
    }
    return bytes;
}
