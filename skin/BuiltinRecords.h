#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The built-in skin's records in the program's resources (RCDATA): arrays of 32-bit
// little-endian integers, and the text map.
class BuiltinRecords {
public:
    // The record's integers. A record whose size is not a multiple of four ends in an integer
    // whose missing high-order bytes are zero. Empty when the resource is missing.
    static std::vector<std::int32_t> Integers(HINSTANCE instance, int id);
    // The record as text, up to its first zero byte.
    static std::string Text(HINSTANCE instance, int id);
    // The record's bytes as they are stored.
    static std::string Bytes(HINSTANCE instance, int id);
};
