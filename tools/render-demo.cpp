// render-demo [FOLDER]: writes every track of the built-in demo disc to FOLDER/trackNN.wav
// (44.1 kHz, 16-bit stereo) and prints each track's length and checksum.
// render-demo --score: prints the scores bar by bar, chords and notes by name.
// A host program:
//   g++ -std=c++17 -O2 -I. tools/render-demo.cpp demo/DemoDisc.cpp demo/DemoScore.cpp
#include "demo/DemoDisc.h"
#include "demo/DemoScore.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const char* InstrumentName(DemoInstrument instrument) {
    static const char* const names[] = {
        "lead",       "flute", "vibes", "saw lead", "piano",      "pad",      "pluck",  "bass",
        "round bass", "kick",  "snare", "clap",     "closed hat", "open hat", "shaker", "ride"};
    return names[size_t(instrument)];
}

bool IsDrum(DemoInstrument instrument) {
    return instrument >= DemoInstrument::Kick;
}

void PrintScore(const DemoScore& score) {
    std::printf("%s: %s, %d beats a minute, %d beats a bar, %d bars\n", score.Title(), score.Key(),
                score.Tempo(), score.BeatsPerBar(), score.Bars());
    const uint32_t ticksPerBar = uint32_t(score.BeatsPerBar() * DemoScore::ticksPerBeat);
    for (int bar = 1; bar <= score.Bars(); bar++) {
        std::printf("%3d  %s\n", bar, score.ChordText(bar).c_str());
        std::map<DemoInstrument, std::string> lines;
        for (const DemoNote& note : score.Notes()) {
            if (note.start / ticksPerBar != uint32_t(bar - 1)) continue;
            std::string& line = lines[note.instrument];
            if (IsDrum(note.instrument)) {
                line += std::to_string(note.start % ticksPerBar) + " ";
            } else {
                line += DemoScore::NoteName(note.pitch) + "@" +
                        std::to_string(note.start % ticksPerBar) + " ";
            }
        }
        for (const auto& line : lines)
            std::printf("       %-10s %s\n", InstrumentName(line.first), line.second.c_str());
    }
    std::printf("faults: %d\n\n", score.Faults());
}

void PutLittleEndian(std::FILE* file, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++)
        std::fputc(int((value >> (8 * i)) & 0xFF), file);
}

void WriteWaveHeader(std::FILE* file, uint32_t dataBytes) {
    std::fwrite("RIFF", 1, 4, file);
    PutLittleEndian(file, 36 + dataBytes, 4);
    std::fwrite("WAVEfmt ", 1, 8, file);
    PutLittleEndian(file, 16, 4);
    PutLittleEndian(file, 1, 2); // PCM
    PutLittleEndian(file, 2, 2);
    PutLittleEndian(file, DemoDisc::sampleRate, 4);
    PutLittleEndian(file, DemoDisc::sampleRate * 4, 4);
    PutLittleEndian(file, 4, 2);
    PutLittleEndian(file, 16, 2);
    std::fwrite("data", 1, 4, file);
    PutLittleEndian(file, dataBytes, 4);
}

// FNV-1a over the samples' little-endian bytes: the figure the tests hold for each track.
uint64_t AddToChecksum(uint64_t hash, const std::vector<int16_t>& samples) {
    for (int16_t sample : samples) {
        for (int shift : {0, 8}) {
            hash ^= (uint16_t(sample) >> shift) & 0xFF;
            hash *= 1099511628211u;
        }
    }
    return hash;
}

int RenderTracks(const std::string& folder) {
    DemoDisc disc;
    std::printf("%s - %s\n", disc.Artist(), disc.Album());
    for (int track = 1; track <= disc.TrackCount(); track++) {
        const uint64_t total = uint64_t(disc.TrackFrames(track)) * DemoDisc::samplesPerFrame;
        const std::string path =
            folder + "/track" + (track < 10 ? "0" : "") + std::to_string(track) + ".wav";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::fprintf(stderr, "render-demo: cannot write %s\n", path.c_str());
            return 1;
        }
        WriteWaveHeader(file, uint32_t(total * 4));
        uint64_t hash = 14695981039346656037u;
        std::vector<int16_t> buffer;
        for (uint64_t at = 0; at < total; at += DemoDisc::sampleRate) {
            size_t count = size_t(std::min<uint64_t>(DemoDisc::sampleRate, total - at));
            buffer.assign(2 * count, 0);
            disc.Render(track, at, buffer.data(), count);
            hash = AddToChecksum(hash, buffer);
            for (int16_t sample : buffer)
                PutLittleEndian(file, uint16_t(sample), 2);
        }
        std::fclose(file);
        std::printf("%d  %-16s %u frames (%u:%02u)  checksum 0x%016llx  %s\n", track,
                    disc.TrackName(track), disc.TrackFrames(track),
                    disc.TrackFrames(track) / 75 / 60, disc.TrackFrames(track) / 75 % 60,
                    static_cast<unsigned long long>(hash), path.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--score") == 0) {
        for (int track = 1; track <= DemoScore::TrackCount(); track++)
            PrintScore(DemoScore::Compose(track));
        return 0;
    }
    return RenderTracks(argc > 1 ? argv[1] : ".");
}
