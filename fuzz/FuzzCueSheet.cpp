// A CUE sheet, and the layout of its tracks over files of sizes the input chooses.
#include "disc/CueLayout.h"
#include "disc/CueSheet.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CueSheet sheet(Bytes(data, size), "fuzz.cue");
    if (!sheet.Valid()) return 0;
    std::vector<CueLayout::FileExtent> files(sheet.Files().size());
    for (size_t i = 0; i < files.size(); i++) {
        files[i].frames = std::int64_t(data[i % size]) * 75 + std::int64_t(i);
        files[i].dataOffset = i % 2 ? 44 : 0;
    }
    const CueLayout layout(sheet, files);
    if (!layout.Valid()) return 0;
    for (std::int64_t frame = -2; frame < layout.LeadOut() + 2; frame += 37)
        layout.Locate(frame);
    CueSheet::TimeText(layout.LeadOut());
    return 0;
}
