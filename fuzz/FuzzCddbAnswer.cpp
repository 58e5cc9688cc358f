// A CDDB server's answers: any bytes are read without a fault.
#include "fuzz/FuzzInput.h"
#include "lookup/CddbAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = Bytes(data, size);
    ParseCddbQuery(text);
    ReleaseNames names;
    ParseCddbRead(text, size > 0 ? data[0] % 100 : 0, names);
    return 0;
}
