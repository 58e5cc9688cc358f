// A skin's region: the region file, and a mask bitmap turned into one.
#include "fuzz/FuzzInput.h"
#include "skin/MaskRegion.h"
#include "skin/RegionData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RegionData region(data, size);
    if (region.Valid() &&
        RegionData(RegionData::Encode(region.Rectangles())).Rectangles() != region.Rectangles())
        std::abort(); // what is read encodes back to the same rectangles
    const MaskRegion mask(Bytes(data, size));
    if (mask.Valid()) RegionData(mask.RegionBytes(0x000000));
    return 0;
}
