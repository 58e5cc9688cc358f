#pragma once

#include "skin/RegionData.h"

#include <cstdint>
#include <string>
#include <vector>

// A window outline drawn as a bitmap: every pixel whose colour is not the outside colour is
// inside. Reads Windows .bmp files (the info header or a later one; 1, 4, 8, 24 or 32 bits
// per pixel, uncompressed, 32 bits also with bit fields; bottom-up or top-down) and turns
// the inside into the rectangles of a region. No platform calls: the caller reads the file.
class MaskRegion {
public:
    // Bitmaps beyond these are refused rather than decoded.
    static constexpr std::int32_t maxSide = RegionData::coordinateLimit;
    static constexpr std::int64_t maxPixels = std::int64_t(1) << 24;

    explicit MaskRegion(const std::string& bmpBytes);

    bool Valid() const { return error.empty(); }
    // Why the file was refused; empty when valid.
    const std::string& Error() const { return error; }

    int Width() const { return width; }
    int Height() const { return height; }
    // The colour 0x00RRGGBB of a pixel; y = 0 is the top row.
    std::uint32_t Pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }

    // The inside in the platform's own order: bands of rows from the top, each band's
    // rectangles from the left, and adjacent rows with the same runs merged into one band.
    std::vector<RegionData::Rect> Rectangles(std::uint32_t outside) const;
    // The region data of the inside; empty when no pixel is inside.
    std::string RegionBytes(std::uint32_t outside) const;

private:
    struct Header;
    bool Refuse(const std::string& why);
    bool ReadHeader(const std::string& bytes, Header& header);
    bool ReadFormat(const std::string& bytes, Header& header);
    bool ReadPalette(const std::string& bytes, const Header& header);
    bool ReadPixels(const std::string& bytes, const Header& header);
    bool ReadRow(const unsigned char* row, const Header& header, int y);
    void RowRuns(int y, std::uint32_t outside, std::vector<std::int32_t>& runs) const;

    std::string error;
    int width = 0, height = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> pixels;
};
