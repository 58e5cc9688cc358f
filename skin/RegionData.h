#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes of a region.rgn: the platform's region data, as GetRegionData writes it and
// ExtCreateRegion takes it: a 32-byte header (header size, type "rectangles", rectangle
// count, size of the rectangles, bounding box) and then the rectangles (left, top, right,
// bottom), all little-endian 32-bit integers. Checked here before the platform sees them,
// because some platforms check almost nothing. No platform calls.
class RegionData {
public:
    struct Rect {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Rect& o) const {
            return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
        }
    };

    static constexpr std::size_t headerSize = 32;
    static constexpr std::size_t rectSize = 16;
    static constexpr std::uint32_t rectanglesType = 1;
    // No window gets larger than this, so no outline needs coordinates beyond it.
    static constexpr std::int32_t coordinateLimit = 32767;
    static constexpr std::uint32_t maxRectangles = 1u << 20;

    // Checks the bytes: a header of the right size and type, at least one rectangle, every
    // rectangle in the file, not empty, within the coordinate limit and inside the bounding
    // box. Bytes after the last rectangle are ignored, as the platform ignores them.
    RegionData(const void* bytes, std::size_t size);
    explicit RegionData(const std::string& bytes) : RegionData(bytes.data(), bytes.size()) {}

    bool Valid() const { return error.empty(); }
    // Why the bytes were refused; empty when valid.
    const std::string& Error() const { return error; }
    const std::vector<Rect>& Rectangles() const { return rectangles; }
    const Rect& Bound() const { return bound; }

    // The region data of the rectangles, with their bounding box as the bound.
    static std::string Encode(const std::vector<Rect>& rectangles);

private:
    bool Refuse(const std::string& why);
    bool ReadHeader(const unsigned char* bytes, std::size_t size, std::uint32_t& count);
    bool ReadRectangles(const unsigned char* bytes, std::uint32_t count);

    std::string error;
    Rect bound;
    std::vector<Rect> rectangles;
};
