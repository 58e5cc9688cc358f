// A disc's play order ("numplay" and "order"): what is read is written back the same.
#include "fuzz/FuzzInput.h"
#include "player/PlayOrderText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text = Text(data + 1, size - 1);
    PlayOrderText::ParseNumber(text.c_str());
    const int numplay = int(data[0]) - 8; // a few negative counts too
    const std::vector<int> order = PlayOrderText::Parse(text.c_str(), numplay);
    const std::string written = PlayOrderText::Build(order);
    if (PlayOrderText::Parse(written.c_str(), int(order.size())) != order) std::abort();
    return 0;
}
