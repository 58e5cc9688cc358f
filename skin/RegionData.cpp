#include "skin/RegionData.h"

#include <algorithm>

namespace {

std::uint32_t ReadUint32(const unsigned char* at) {
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

std::int32_t ReadInt32(const unsigned char* at) {
    return std::int32_t(ReadUint32(at));
}

RegionData::Rect ReadRect(const unsigned char* at) {
    return {ReadInt32(at), ReadInt32(at + 4), ReadInt32(at + 8), ReadInt32(at + 12)};
}

void WriteUint32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += char(value >> shift & 0xFF);
}

void WriteRect(std::string& out, const RegionData::Rect& rect) {
    for (std::int32_t v : {rect.left, rect.top, rect.right, rect.bottom})
        WriteUint32(out, std::uint32_t(v));
}

bool WithinLimit(std::int32_t v) {
    return v >= -RegionData::coordinateLimit && v <= RegionData::coordinateLimit;
}

bool WithinLimit(const RegionData::Rect& r) {
    return WithinLimit(r.left) && WithinLimit(r.top) && WithinLimit(r.right) &&
           WithinLimit(r.bottom);
}

bool Inside(const RegionData::Rect& r, const RegionData::Rect& bound) {
    return r.left >= bound.left && r.top >= bound.top && r.right <= bound.right &&
           r.bottom <= bound.bottom;
}

std::string RectText(const RegionData::Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

} // namespace

RegionData::RegionData(const void* bytes, std::size_t size) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    std::uint32_t count = 0;
    if (ReadHeader(data, size, count)) ReadRectangles(data + headerSize, count);
}

bool RegionData::Refuse(const std::string& why) {
    error = why;
    rectangles.clear();
    return false;
}

bool RegionData::ReadHeader(const unsigned char* bytes, std::size_t size, std::uint32_t& count) {
    if (!bytes || size < headerSize)
        return Refuse("the file is smaller than a region header (" + std::to_string(size) +
                      " of 32 bytes)");
    if (size > headerSize + std::size_t(maxRectangles) * rectSize)
        return Refuse("the file is too large for a window outline");
    if (ReadUint32(bytes) != headerSize) return Refuse("the header size is not 32");
    if (ReadUint32(bytes + 4) != rectanglesType)
        return Refuse("the region type is not rectangles (1)");
    count = ReadUint32(bytes + 8);
    if (count == 0) return Refuse("the region has no rectangles");
    // The count is compared before it is multiplied, so no count can wrap the size around.
    if (count > (size - headerSize) / rectSize)
        return Refuse("the header counts " + std::to_string(count) +
                      " rectangles, the file holds " +
                      std::to_string((size - headerSize) / rectSize));
    bound = ReadRect(bytes + 16);
    if (!WithinLimit(bound)) return Refuse("the bounding box lies beyond +-32767");
    return true;
}

bool RegionData::ReadRectangles(const unsigned char* bytes, std::uint32_t count) {
    rectangles.reserve(count);
    for (std::uint32_t i = 0; i < count; i++) {
        const Rect r = ReadRect(bytes + std::size_t(i) * rectSize);
        // Inside a bound within the limit is within the limit too.
        const char* fault = r.left >= r.right || r.top >= r.bottom ? " is empty or inverted"
                            : !Inside(r, bound) ? " lies outside the bounding box"
                                                : nullptr;
        if (fault) return Refuse("rectangle " + std::to_string(i) + " " + RectText(r) + fault);
        rectangles.push_back(r);
    }
    return true;
}

std::string RegionData::Encode(const std::vector<Rect>& rects) {
    Rect box;
    if (!rects.empty()) box = rects.front();
    for (const Rect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    std::string out;
    out.reserve(headerSize + rects.size() * rectSize);
    WriteUint32(out, headerSize);
    WriteUint32(out, rectanglesType);
    WriteUint32(out, std::uint32_t(rects.size()));
    WriteUint32(out, std::uint32_t(rects.size() * rectSize));
    WriteRect(out, box);
    for (const Rect& r : rects)
        WriteRect(out, r);
    return out;
}
