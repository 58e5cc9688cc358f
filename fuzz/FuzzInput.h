#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The fuzzer's bytes as the parsers take them: whole, or as a text that ends at its first
// NUL as a C string does.
inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(Bytes(data, size).c_str());
}
