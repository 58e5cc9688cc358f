// A skin.ini value: integer lists, colours, the playlist's and the scrollbar's lines.
#include "fuzz/FuzzInput.h"
#include "skin/SkinValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    SkinValues::Integers(text.c_str());
    int values[6];
    SkinValues::ReadIntegers(text.c_str(), 6, values);
    std::uint32_t colour = 0;
    if (SkinValues::ReadColour(text.c_str(), colour)) SkinValues::PlatformColour(colour);
    SkinValues::ListValues list;
    SkinValues::ReadList(text.c_str(), list);
    SkinValues::ScrollbarValues scrollbar;
    SkinValues::ReadScrollbar(text.c_str(), scrollbar);
    return 0;
}
