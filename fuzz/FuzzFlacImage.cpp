// A FLAC file as a disc image: its metadata (stream info, comments, the CUESHEET block or
// comment and the sheet it makes), then its samples read on, back and past the end.
#include "disc/DiscImage.h"
#include "fuzz/FuzzInput.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The image reader takes a path: the input goes to a file of this process's own.
    static const std::string path = "fuzz-" + std::to_string(getpid()) + ".flac";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const DiscImage image(path);
    if (image.Valid()) {
        std::vector<std::int16_t> samples(8 * DiscImage::samplesPerFrame * 2);
        for (std::int64_t frame :
             {std::int64_t(0), image.LeadOut() / 2, std::int64_t(1), image.LeadOut() - 4})
            image.ReadFrames(frame, 8, samples.data());
    }
    return 0;
}
