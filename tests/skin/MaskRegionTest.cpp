// Region data files, and the window outlines drawn as bitmaps they are made from.
#include "skin/MaskRegion.h"

#include "gfx/GdiHandles.h"
#include "support/LittleEndian.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Rect = RegionData::Rect;

// Header (size, type, count, rectangle bytes, bound) and two rectangles.
const std::string validRegion = Le32s({32, 1, 2, 32, 0, 0, 10, 10, 0, 0, 10, 5, 2, 5, 8, 10});

// A field of the file at a byte offset.
void Patch(std::string& bytes, size_t at, std::uint32_t value, size_t size = 4) {
    bytes.replace(at, size, Le32(value), 0, size);
}

// Region data is a run of 32-bit words.
void SetWord(std::string& bytes, size_t index, std::int64_t value) {
    Patch(bytes, index * 4, std::uint32_t(value));
}

// What the platform writes, read and written, is the region tool's test.
TEST(RegionData, AcceptsUnknownSizesTrailingBytesAndTheExtremes) {
    ASSERT_TRUE(RegionData(validRegion).Valid());
    // A size of zero means "unknown"; bytes after the rectangles are not looked at.
    std::string unknownSize = validRegion;
    SetWord(unknownSize, 3, 0);
    EXPECT_TRUE(RegionData(unknownSize).Valid());
    EXPECT_TRUE(RegionData(validRegion + "trailing").Valid());

    const std::vector<Rect> extremes = {{-32767, -32767, -32766, 0}, {5, 0, 32767, 32767}};
    const RegionData encoded(RegionData::Encode(extremes));
    ASSERT_TRUE(encoded.Valid()) << encoded.Error();
    EXPECT_EQ(extremes, encoded.Rectangles());
    EXPECT_EQ((Rect{-32767, -32767, 32767, 32767}), encoded.Bound());
}

// A copy of the bytes that ends where a page no one may read begins, so a read past the
// end crashes the test instead of finding some other memory.
class GuardedCopy {
public:
    explicit GuardedCopy(const std::string& bytes) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t pages = (bytes.size() + page - 1) / page + 1;
        base = static_cast<char*>(
            VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous;
        VirtualProtect(base + (pages - 1) * page, page, PAGE_NOACCESS, &previous);
        data = base + (pages - 1) * page - bytes.size();
        bytes.copy(data, bytes.size());
    }
    ~GuardedCopy() { VirtualFree(base, 0, MEM_RELEASE); }
    GuardedCopy(const GuardedCopy&) = delete;
    GuardedCopy& operator=(const GuardedCopy&) = delete;

    const char* Data() const { return data; }

private:
    char* base = nullptr;
    char* data = nullptr;
};

TEST(RegionData, RefusesEveryFaultOfAnOtherwiseValidFile) {
    const struct {
        const char* fault;
        std::function<void(std::string&)> make;
    } cases[] = {
        {"empty file", [](std::string& b) { b.clear(); }},
        {"short header", [](std::string& b) { b.resize(31); }},
        {"header size 40", [](std::string& b) { SetWord(b, 0, 40); }},
        {"type 2", [](std::string& b) { SetWord(b, 1, 2); }},
        {"no rectangles", [](std::string& b) { SetWord(b, 2, 0); }},
        {"count beyond the file", [](std::string& b) { SetWord(b, 2, 3); }},
        {"count times 16 wraps to 32", [](std::string& b) { SetWord(b, 2, 0x10000002); }},
        {"left = right", [](std::string& b) { SetWord(b, 10, 0); }},
        {"bound beyond the limit", [](std::string& b) { SetWord(b, 7, 0x7FFFFFFF); }},
        {"rectangle outside the bound", [](std::string& b) { SetWord(b, 6, 9); }},
        {"absurdly large",
         [](std::string& b) {
             const size_t count = RegionData::maxRectangles + 1;
             SetWord(b, 2, std::int64_t(count));
             const std::string small = Le32s({0, 0, 1, 1});
             for (size_t i = 2; i < count; i++)
                 b += small;
         }},
    };
    for (const auto& test : cases) {
        std::string bytes = validRegion;
        test.make(bytes);
        const GuardedCopy copy(bytes);
        const RegionData region(copy.Data(), bytes.size());
        EXPECT_FALSE(region.Valid()) << test.fault;
        EXPECT_TRUE(region.Rectangles().empty()) << test.fault;
    }
    EXPECT_FALSE(RegionData(nullptr, 32).Valid());
}

struct Image {
    int width, height;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, top row first

    Image(int width, int height, const std::function<std::uint32_t(int, int)>& colour)
        : width(width), height(height) {
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                pixels.push_back(colour(x, y));
    }
    std::uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

struct BmpFormat {
    int bits;
    bool topDown;
    int infoSize; // 40, 52, 56, 108 or 124
    bool bitFields;

    std::string Name() const {
        return std::to_string(bits) + (bitFields ? " bit fields" : " bits") +
               (topDown ? " top-down" : " bottom-up") + " header " + std::to_string(infoSize);
    }
};

// Bit fields with the colours in unusual places: blue on top, the low byte unused.
const std::uint32_t redMask = 0x0000FF00, greenMask = 0x00FF0000, blueMask = 0xFF000000;

// A .bmp file written the way the format's documentation describes it.
std::string Bmp(const Image& image, const BmpFormat& f) {
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, std::uint32_t> indexOf;
    if (f.bits <= 8) {
        for (std::uint32_t c : image.pixels)
            if (indexOf.emplace(c, std::uint32_t(palette.size())).second) palette.push_back(c);
        if (f.bits < 8) palette.resize(size_t(1) << f.bits); // written in full, counted as 0
    }
    const std::uint32_t coloursUsed = f.bits == 8 ? std::uint32_t(palette.size()) : 0;
    const std::uint32_t stride = (std::uint32_t(image.width) * f.bits + 31) / 32 * 4;
    const std::uint32_t masksAfter = f.bitFields && f.infoSize == 40 ? 12 : 0;
    const std::uint32_t offset = 14 + f.infoSize + masksAfter + 4 * std::uint32_t(palette.size());

    std::string out =
        "BM" +
        Le32s({offset + stride * image.height, 0, offset, f.infoSize, image.width,
               f.topDown ? -image.height : image.height}) +
        Le16(1) + Le16(f.bits) +
        Le32s({f.bitFields ? 3 : 0, stride * image.height, 2835, 2835, coloursUsed, 0});
    if (f.infoSize >= 52 || masksAfter)
        out += f.bitFields ? Le32s({redMask, greenMask, blueMask}) : std::string(12, '\0');
    if (f.infoSize >= 56) out += Le32(0);                                   // alpha
    if (f.infoSize >= 108) out += Le32(0x73524742) + std::string(48, '\0'); // sRGB: no end points
    if (f.infoSize >= 124) out += Le32(4) + std::string(12, '\0');          // pictures
    for (std::uint32_t c : palette)
        out += Le32(c);
    for (int row = 0; row < image.height; row++) {
        const int y = f.topDown ? row : image.height - 1 - row;
        std::string bytes(stride, '\0');
        for (int x = 0; x < image.width; x++) {
            const std::uint32_t c = image.At(x, y);
            const std::uint32_t r = c >> 16, g = c >> 8 & 0xFF, b = c & 0xFF;
            if (f.bits <= 8) {
                const int bit = x * f.bits;
                bytes[size_t(bit / 8)] |= char(indexOf[c] << (8 - f.bits - bit % 8));
            } else if (f.bits == 24) {
                bytes.replace(size_t(x) * 3, 3, {char(b), char(g), char(r)});
            } else {
                // The fourth byte is not a colour.
                bytes.replace(
                    size_t(x) * 4, 4,
                    Le32(f.bitFields ? r << 8 | g << 16 | b << 24 | 0x5A : 0x5A000000 | c));
            }
        }
        out += bytes;
    }
    return out;
}

std::vector<std::uint32_t> Decoded(const MaskRegion& mask) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < mask.Height(); y++)
        for (int x = 0; x < mask.Width(); x++)
            pixels.push_back(mask.Pixel(x, y));
    return pixels;
}

const std::uint32_t magenta = 0xFF00FF;

// Inside: an ellipse with a hole, a thin bar and an island; colours vary, one is nearly
// magenta. The top-left pixel is outside.
bool InsideShape(int x, int y) {
    const int dx = x - 22, dy = y - 15;
    const bool ellipse = dx * dx * 4 + dy * dy * 9 <= 1600;
    const bool hole = x >= 18 && x < 24 && y >= 12 && y < 17;
    const bool bar = x == 43 && y >= 3 && y < 28;
    const bool island = x >= 1 && x < 4 && y >= 26 && y < 30;
    return (ellipse && !hole) || bar || island;
}
std::uint32_t ShapeColour(int x, int y) {
    if (!InsideShape(x, y)) return magenta;
    return x == 22 && y == 5 ? 0xFF00FE : std::uint32_t(x * 5) << 16 | std::uint32_t(y * 8) << 8;
}

// The writer above follows the format's documentation; that the platform draws its files as
// written was checked once, and is a property of the test's writer, not of the reader.
TEST(MaskRegion, EveryBitDepthAndRowOrderDecodesToTheWrittenPixels) {
    const Image twoColours(13, 7,
                           [](int x, int y) { return (x * y + x) % 3 ? magenta : 0x123456; });
    const Image many(37, 11, [](int x, int y) {
        const std::uint32_t n = std::uint32_t(x * 11 + y * 37) % 256;
        return (n * 7 % 256) << 16 | (n * 13 % 256) << 8 | n;
    });
    const struct {
        const Image& image;
        std::vector<int> depths; // 33: 32 bits with bit fields
    } images[] = {{twoColours, {1, 4, 8, 24, 32, 33}}, {many, {8, 24, 32, 33}}};
    for (const auto& test : images) {
        for (int depth : test.depths) {
            for (bool topDown : {false, true}) {
                for (int infoSize : {40, 52, 56, 108, 124}) {
                    const BmpFormat format = {depth == 33 ? 32 : depth, topDown, infoSize,
                                              depth == 33};
                    const std::string bytes = Bmp(test.image, format);
                    const MaskRegion mask(bytes);
                    ASSERT_TRUE(mask.Valid()) << format.Name() << ": " << mask.Error();
                    EXPECT_EQ(test.image.pixels, Decoded(mask)) << format.Name();
                }
            }
        }
    }
}

TEST(MaskRegion, TruncatedAndAbsurdFilesAreRefusedWithAReason) {
    const Image image(13, 7, ShapeColour);
    const std::string valid =
        Bmp(Image(9, 6, [](int x, int y) { return 0x202020u * std::uint32_t((x + y) % 6); }),
            {8, false, 40, false});
    // With a palette, with the largest header, and with bit fields.
    for (const std::string& bytes :
         {valid, Bmp(image, {24, true, 124, false}), Bmp(image, {32, false, 40, true})}) {
        ASSERT_TRUE(MaskRegion(bytes).Valid()) << bytes.size() << " bytes";
        for (size_t size = 0; size < bytes.size(); size++)
            EXPECT_FALSE(MaskRegion(bytes.substr(0, size)).Valid())
                << bytes.size() << " bytes cut to " << size;
    }

    const struct {
        const char* fault;
        std::function<void(std::string&)> make;
    } cases[] = {
        {"not BM", [](std::string& b) { b[1] = 'A'; }},
        {"core header", [](std::string& b) { Patch(b, 14, 12); }},
        {"header larger than the file",
         [](std::string& b) {
             Patch(b, 14, 124);
             b.resize(100);
         }},
        {"width 0", [](std::string& b) { Patch(b, 18, 0); }},
        {"most negative height", [](std::string& b) { Patch(b, 22, 0x80000000); }},
        {"width beyond the limit", [](std::string& b) { Patch(b, 18, 40000); }},
        {"too many pixels",
         [](std::string& b) {
             Patch(b, 18, 30000);
             Patch(b, 22, 30000);
         }},
        {"16 bits", [](std::string& b) { Patch(b, 28, 16, 2); }},
        {"run-length compression", [](std::string& b) { Patch(b, 30, 1); }},
        {"bit fields at 8 bits", [](std::string& b) { Patch(b, 30, 3); }},
        {"palette larger than the depth allows", [](std::string& b) { Patch(b, 46, 257); }},
        {"pixel beyond the palette", [](std::string& b) { Patch(b, 46, 2); }},
        {"pixels start beyond the file", [](std::string& b) { Patch(b, 10, 0xFFFFFFF0); }},
        {"pixels start inside the headers", [](std::string& b) { Patch(b, 10, 20); }},
    };
    for (const auto& test : cases) {
        std::string bytes = valid;
        test.make(bytes);
        EXPECT_FALSE(MaskRegion(bytes).Valid()) << test.fault;
    }
    std::string badMasks = Bmp(Image(3, 2, ShapeColour), {32, false, 56, true});
    Patch(badMasks, 58, 0x00FF0F00); // green with a gap
    EXPECT_FALSE(MaskRegion(badMasks).Valid());
    Patch(badMasks, 58, 0);
    EXPECT_FALSE(MaskRegion(badMasks).Valid());
}

// Runs and bands are the region tool's test, against the platform's own rectangles.
TEST(MaskRegion, AnAllOutsideMaskHasNoRegionAndOnlyTheColourCounts) {
    const MaskRegion plain(
        Bmp(Image(4, 3, [](int, int) { return magenta; }), {24, false, 40, false}));
    EXPECT_EQ("", plain.RegionBytes(magenta));
    // Only the colour counts, never the fourth byte of a pixel or of the outside colour.
    EXPECT_EQ((std::vector<Rect>{}), plain.Rectangles(0xAB000000 | magenta));
    EXPECT_EQ((std::vector<Rect>{{0, 0, 4, 3}}), plain.Rectangles(0xFF00FE));
}

// The shipped tool, run on files in a temporary folder.
class Mask2rgn : public ::testing::Test {
protected:
    // The exit code; what the tool wrote to its error output goes to `errors`.
    DWORD Run(const std::string& arguments) {
        ProgramRun tool(arguments, BuiltFile("mask2rgn.exe"), folder.File("errors.txt"));
        const DWORD code = tool.WaitForExit(30000);
        errors = folder.Read("errors.txt");
        return code;
    }
    std::string Quoted(const std::string& name) const { return "\"" + folder.File(name) + "\""; }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(folder.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // "" when the region file makes a platform region that holds exactly the pixels that are
    // not `outside`, and that the platform describes with the very same rectangles.
    std::string Matches(const std::string& regionFile, const Image& image, std::uint32_t outside) {
        const std::string bytes = folder.Read(regionFile);
        RegionHandle region(ExtCreateRegion(nullptr, DWORD(bytes.size()),
                                            reinterpret_cast<const RGNDATA*>(bytes.data())));
        if (!region) return "ExtCreateRegion refused the file";
        long inside = 0;
        for (int y = -1; y <= image.height; y++)
            for (int x = -1; x <= image.width; x++) {
                const bool within = x >= 0 && y >= 0 && x < image.width && y < image.height;
                const bool expected = within && image.At(x, y) != outside;
                inside += expected;
                if (bool(PtInRegion(region.Get(), x, y)) != expected)
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        const DWORD size = GetRegionData(region.Get(), 0, nullptr);
        std::string back(size, '\0');
        if (!size ||
            GetRegionData(region.Get(), size, reinterpret_cast<RGNDATA*>(&back[0])) != size)
            return "GetRegionData failed";
        const RegionData platform(back), ours(bytes);
        long area = 0;
        for (const Rect& r : platform.Rectangles())
            area += long(r.right - r.left) * (r.bottom - r.top);
        if (area != inside)
            return "area " + std::to_string(area) + " for " + std::to_string(inside) + " pixels";
        if (!(platform.Rectangles() == ours.Rectangles()))
            return "the platform orders the rectangles otherwise";
        if (!(platform.Bound() == ours.Bound())) return "the bounds differ";
        return "";
    }

    TempFolder folder;
    std::string errors;
};

TEST_F(Mask2rgn, WritesARegionThatHoldsExactlyTheMasksInsidePixels) {
    const Image shape(45, 31, ShapeColour);
    folder.Write("shape.bmp", Bmp(shape, {24, false, 40, false}));
    ASSERT_EQ(0u, Run(Quoted("shape.bmp") + " " + Quoted("region.rgn"))) << errors;
    EXPECT_EQ("", errors);
    EXPECT_EQ("", Matches("region.rgn", shape, magenta));

    // Given an outside colour, the top-left pixel may be inside; the old file is replaced.
    const Image framed(20, 12, [](int x, int y) {
        return x == 0 || y == 11 || (x > 5 && x < 9) ? 0xFFFFFFu : std::uint32_t(x * y % 3);
    });
    folder.Write("framed.bmp", Bmp(framed, {4, true, 108, false}));
    ASSERT_EQ(0u, Run(Quoted("framed.bmp") + " " + Quoted("region.rgn") + " #000000")) << errors;
    EXPECT_EQ("", Matches("region.rgn", framed, 0x000000));
    ASSERT_EQ(0u, Run(Quoted("framed.bmp") + " " + Quoted("region.rgn") + " #00000a")) << errors;
    EXPECT_EQ("", Matches("region.rgn", framed, 0x00000A));
    EXPECT_FALSE(Exists("region.rgn.tmp"));
}

TEST_F(Mask2rgn, FailsWithAMessageAndLeavesTheOldRegionAlone) {
    const std::string shape = Bmp(Image(45, 31, ShapeColour), {24, false, 40, false});
    folder.Write("shape.bmp", shape);
    folder.Write("cut.bmp", shape.substr(0, shape.size() - 1));
    folder.Write("plain.bmp",
                 Bmp(Image(6, 4, [](int, int) { return magenta; }), {8, false, 40, false}));
    folder.Write("old.rgn", "old");
    const std::string out = " " + Quoted("old.rgn");
    for (const std::string& arguments :
         {std::string(), Quoted("shape.bmp"), Quoted("shape.bmp") + out + " #FF00F",
          Quoted("shape.bmp") + out + " FF00FF", Quoted("shape.bmp") + out + " #FF00FF x",
          Quoted("shape.bmp") + out + " #GG00FF", Quoted("missing.bmp") + out,
          Quoted("cut.bmp") + out, Quoted("plain.bmp") + out,
          Quoted("shape.bmp") + " " + Quoted("missing\\new.rgn")}) {
        EXPECT_EQ(1u, Run(arguments)) << arguments;
        EXPECT_NE(std::string::npos, errors.find("mask2rgn: ")) << arguments;
        EXPECT_EQ("old", folder.Read("old.rgn")) << arguments;
        EXPECT_FALSE(Exists("old.rgn.tmp")) << arguments;
    }
}

} // namespace
