// The command line: "/play" with its track file, and "/disc" with its image.
#include "app/CommandLine.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string line = Text(data, size);
    ParseDiscArgument(line.c_str());
    ParsePlayArgument(&line[0]);
    return 0;
}
