// mask2rgn MASK.bmp OUT.rgn [#RRGGBB]: turns a skin's outline mask into its region.rgn.
// Every pixel whose colour is not the outside colour (by default the top-left pixel's) is
// inside the window.
#include "skin/MaskRegion.h"
#include "skin/RegionData.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace {

// Far beyond the largest mask that can be decoded, so no such file is read into memory.
const std::streamoff maxMaskFileSize = std::streamoff(256) << 20;

int Fail(const std::string& message) {
    std::fprintf(stderr, "mask2rgn: %s\n", message.c_str());
    return 1;
}

bool IsColourArgument(const char* text) {
    if (std::strlen(text) != 7 || text[0] != '#') return false;
    return std::strspn(text + 1, "0123456789abcdefABCDEF") == 6;
}

std::string ColourText(std::uint32_t rrggbb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(rrggbb & 0xFFFFFF));
    return text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& why) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        why = "cannot open " + path;
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > maxMaskFileSize) {
        why = path + " is too large for a mask";
        return false;
    }
    bytes.resize(std::size_t(size));
    in.seekg(0);
    if (!in.read(&bytes[0], size)) {
        why = "cannot read " + path;
        return false;
    }
    return true;
}

// Written beside the target and renamed over it, so a failed run never leaves half a file.
bool WriteByRename(const std::string& path, const std::string& bytes, std::string& why) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            why = "cannot write " + temporary;
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        std::remove(temporary.c_str());
        why = "cannot replace " + path + ": " + failure.message();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && !IsColourArgument(argv[3])))
        return Fail("usage: mask2rgn MASK.bmp OUT.rgn [#RRGGBB]\n"
                    "  every pixel not of the outside colour (default: the top-left pixel's)\n"
                    "  is inside the region");
    const std::string maskPath = argv[1], outPath = argv[2];
    std::string bytes, why;
    if (!ReadWholeFile(maskPath, bytes, why)) return Fail(why);
    const MaskRegion mask(bytes);
    if (!mask.Valid()) return Fail(maskPath + ": " + mask.Error());

    std::uint32_t outside = mask.Pixel(0, 0);
    if (argc == 4) outside = std::uint32_t(std::strtoul(argv[3] + 1, nullptr, 16));
    const std::string region = mask.RegionBytes(outside);
    if (region.empty())
        return Fail(maskPath + ": every pixel has the outside colour " + ColourText(outside));
    const RegionData check(region);
    if (!check.Valid()) return Fail(maskPath + ": the outline is unusable: " + check.Error());
    if (!WriteByRename(outPath, region, why)) return Fail(why);
    return 0;
}
