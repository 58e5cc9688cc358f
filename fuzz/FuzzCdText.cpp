// A drive's CD-Text packs: any bytes are read without a fault.
#include "fuzz/FuzzInput.h"
#include "lookup/CdText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DiscNames names;
    CdText::Names(Bytes(data, size), size > 0 ? data[0] % 120 : 0, names);
    return 0;
}
