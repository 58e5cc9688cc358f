#include "skin/MaskRegion.h"

namespace {

const std::size_t fileHeaderSize = 14;
const std::uint32_t rgbCompression = 0;
const std::uint32_t bitFieldsCompression = 3;

std::uint32_t ReadUint32(const std::string& bytes, std::size_t at) {
    auto byte = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(bytes[i])); };
    return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
}

std::uint32_t ReadUint16(const std::string& bytes, std::size_t at) {
    return std::uint32_t(static_cast<unsigned char>(bytes[at])) |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

bool KnownInfoSize(std::uint32_t size) {
    // The info header and its versions 2 to 5; the older core header has other fields.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

int LowestBit(std::uint32_t mask) {
    int shift = 0;
    while (!(mask >> shift & 1))
        shift++;
    return shift;
}

bool ContiguousMask(std::uint32_t mask) {
    if (mask == 0) return false;
    const std::uint32_t bits = mask >> LowestBit(mask);
    return (bits & (bits + 1)) == 0;
}

// A channel of a bit-field pixel scaled to 0..255, whatever its width.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = LowestBit(mask);
    const std::uint64_t top = std::uint64_t(mask >> shift);
    return std::uint32_t(std::uint64_t((pixel & mask) >> shift) * 255 / top);
}

std::uint32_t Rgb(unsigned char red, unsigned char green, unsigned char blue) {
    return std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
}

} // namespace

struct MaskRegion::Header {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t masks[3] = {}; // red, green, blue of a bit-field bitmap
    std::size_t paletteOffset = 0;
    std::uint64_t stride = 0; // bytes per row, padded to 4
};

MaskRegion::MaskRegion(const std::string& bytes) {
    Header header;
    if (ReadHeader(bytes, header) && ReadFormat(bytes, header) && ReadPalette(bytes, header))
        ReadPixels(bytes, header);
}

bool MaskRegion::Refuse(const std::string& why) {
    error = why;
    width = height = 0;
    pixels.clear();
    return false;
}

bool MaskRegion::ReadHeader(const std::string& bytes, Header& header) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return Refuse("not a Windows bitmap (no \"BM\" at the start)");
    if (bytes.size() < fileHeaderSize + 4) return Refuse("truncated in the file header");
    header.pixelOffset = ReadUint32(bytes, 10);
    header.infoSize = ReadUint32(bytes, 14);
    if (header.infoSize == 12) return Refuse("the old core bitmap header is not supported");
    if (!KnownInfoSize(header.infoSize))
        return Refuse("unknown bitmap header size " + std::to_string(header.infoSize));
    if (bytes.size() < fileHeaderSize + header.infoSize)
        return Refuse("truncated in the bitmap header");
    const std::int32_t w = std::int32_t(ReadUint32(bytes, 18));
    const std::int32_t h = std::int32_t(ReadUint32(bytes, 22));
    if (w <= 0 || h == 0 || h == INT32_MIN)
        return Refuse("no pixels: " + std::to_string(w) + " x " + std::to_string(h));
    header.topDown = h < 0;
    width = w;
    height = h < 0 ? -h : h;
    if (width > maxSide || height > maxSide || std::int64_t(width) * height > maxPixels)
        return Refuse("too large for a window outline: " + std::to_string(width) + " x " +
                      std::to_string(height));
    header.bitsPerPixel = int(ReadUint16(bytes, 28));
    header.compression = ReadUint32(bytes, 30);
    header.coloursUsed = ReadUint32(bytes, 46);
    header.paletteOffset = fileHeaderSize + header.infoSize;
    return true;
}

bool MaskRegion::ReadFormat(const std::string& bytes, Header& header) {
    const int bits = header.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return Refuse(std::to_string(bits) + " bits per pixel are not supported (1, 4, 8, 24, 32)");
    if (header.compression == bitFieldsCompression && bits == 32) {
        // A plain info header is followed by the masks; later headers hold them.
        const std::size_t at = fileHeaderSize + 40;
        if (header.infoSize == 40) header.paletteOffset += 12;
        if (bytes.size() < at + 12) return Refuse("truncated in the colour masks");
        for (int i = 0; i < 3; i++) {
            header.masks[i] = ReadUint32(bytes, at + 4 * std::size_t(i));
            if (!ContiguousMask(header.masks[i])) return Refuse("unusable colour masks");
        }
    } else if (header.compression != rgbCompression) {
        return Refuse("compressed bitmaps are not supported (compression " +
                      std::to_string(header.compression) + ")");
    }
    header.stride = (std::uint64_t(width) * std::uint64_t(bits) + 31) / 32 * 4;
    return true;
}

bool MaskRegion::ReadPalette(const std::string& bytes, const Header& header) {
    if (header.bitsPerPixel > 8) return true;
    const std::uint32_t most = 1u << header.bitsPerPixel;
    if (header.coloursUsed > most)
        return Refuse("a palette of " + std::to_string(header.coloursUsed) + " colours for " +
                      std::to_string(header.bitsPerPixel) + " bits per pixel");
    const std::uint32_t count = header.coloursUsed ? header.coloursUsed : most;
    if (bytes.size() < header.paletteOffset + std::size_t(count) * 4)
        return Refuse("truncated in the palette");
    palette.resize(count);
    for (std::uint32_t i = 0; i < count; i++) {
        const std::size_t at = header.paletteOffset + std::size_t(i) * 4;
        palette[i] = ReadUint32(bytes, at) & 0xFFFFFF; // blue, green, red, unused
    }
    return true;
}

bool MaskRegion::ReadPixels(const std::string& bytes, const Header& header) {
    if (header.pixelOffset < header.paletteOffset)
        return Refuse("the pixels start inside the headers");
    const std::uint64_t needed = header.stride * std::uint64_t(height);
    if (header.pixelOffset > bytes.size() || bytes.size() - header.pixelOffset < needed)
        return Refuse("truncated: the pixels need " + std::to_string(needed) +
                      " bytes from offset " + std::to_string(header.pixelOffset) +
                      ", the file has " + std::to_string(bytes.size()) + " bytes");
    pixels.resize(std::size_t(width) * std::size_t(height));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data()) + header.pixelOffset;
    for (int y = 0; y < height; y++) {
        const int stored = header.topDown ? y : height - 1 - y;
        if (!ReadRow(data + header.stride * std::uint64_t(stored), header, y)) return false;
    }
    return true;
}

bool MaskRegion::ReadRow(const unsigned char* row, const Header& header, int y) {
    const int bits = header.bitsPerPixel;
    std::uint32_t* out = &pixels[std::size_t(y) * width];
    for (int x = 0; x < width; x++) {
        if (bits <= 8) {
            const int bit = x * bits;
            const int index = row[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
            if (std::size_t(index) >= palette.size())
                return Refuse("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                              ") uses colour " + std::to_string(index) + " of a palette of " +
                              std::to_string(palette.size()));
            out[x] = palette[std::size_t(index)];
        } else if (bits == 24) {
            const unsigned char* p = row + 3 * x;
            out[x] = Rgb(p[2], p[1], p[0]);
        } else if (header.compression == bitFieldsCompression) {
            const unsigned char* p = row + 4 * x;
            const std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                    std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
            out[x] = Channel(v, header.masks[0]) << 16 | Channel(v, header.masks[1]) << 8 |
                     Channel(v, header.masks[2]);
        } else {
            const unsigned char* p = row + 4 * x;
            out[x] = Rgb(p[2], p[1], p[0]);
        }
    }
    return true;
}

void MaskRegion::RowRuns(int y, std::uint32_t outside, std::vector<std::int32_t>& runs) const {
    runs.clear();
    const std::uint32_t* row = &pixels[std::size_t(y) * width];
    for (int x = 0; x < width;) {
        if (row[x] == outside) {
            x++;
            continue;
        }
        const int start = x;
        while (x < width && row[x] != outside)
            x++;
        runs.push_back(start);
        runs.push_back(x);
    }
}

std::vector<RegionData::Rect> MaskRegion::Rectangles(std::uint32_t outside) const {
    outside &= 0xFFFFFF;
    std::vector<RegionData::Rect> rects;
    std::vector<std::int32_t> runs, bandRuns;
    std::size_t bandStart = 0;
    for (int y = 0; y < height; y++) {
        RowRuns(y, outside, runs);
        if (!runs.empty() && runs == bandRuns) {
            for (std::size_t i = bandStart; i < rects.size(); i++)
                rects[i].bottom = y + 1;
            continue;
        }
        bandStart = rects.size();
        for (std::size_t i = 0; i < runs.size(); i += 2)
            rects.push_back({runs[i], y, runs[i + 1], y + 1});
        bandRuns.swap(runs);
    }
    return rects;
}

std::string MaskRegion::RegionBytes(std::uint32_t outside) const {
    const std::vector<RegionData::Rect> rects = Rectangles(outside);
    return rects.empty() ? std::string() : RegionData::Encode(rects);
}
