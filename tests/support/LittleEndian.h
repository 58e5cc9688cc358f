#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// Fields as binary file formats store them, low byte first, written without the readers
// under test. Negative values keep their two's complement bits.
inline std::string Le16(std::int64_t value) {
    return {char(value & 0xFF), char(value >> 8 & 0xFF)};
}
inline std::string Le32(std::int64_t value) {
    return Le16(value) + Le16(value >> 16);
}
inline std::string Le32s(std::initializer_list<std::int64_t> values) {
    std::string bytes;
    for (std::int64_t value : values)
        bytes += Le32(value);
    return bytes;
}
