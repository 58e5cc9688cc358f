// File names of any bytes: to wide text and back without a fault, and the second round trip
// changes nothing.
#include "app/Utf8.h"
#include "fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring wide = Utf8::ToWide(Bytes(data, size));
    const std::string text = Utf8::FromWide(wide);
    if (Utf8::ToWide(text) != wide || Utf8::FromWide(Utf8::ToWide(text)) != text) std::abort();
    Utf8::FromLatin1(Bytes(data, size));
    return 0;
}
