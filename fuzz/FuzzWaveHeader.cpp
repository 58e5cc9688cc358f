// The head of a WAVE file, with a file size the input chooses.
#include "disc/WaveHeader.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint64_t fileSize = size < 4 ? size : size + (std::uint64_t(data[0]) << 24);
    const WaveHeader header("fuzz.wav", data, size, fileSize);
    if (header.Valid()) header.Frames();
    return 0;
}
