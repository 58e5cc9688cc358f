#include "skin/BuiltinRecords.h"

#include <cstring>

std::string BuiltinRecords::Bytes(HINSTANCE instance, int id) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::string();
    return std::string(static_cast<const char*>(data), SizeofResource(instance, found));
}

std::vector<std::int32_t> BuiltinRecords::Integers(HINSTANCE instance, int id) {
    std::string bytes = Bytes(instance, id);
    bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
    std::vector<std::int32_t> values(bytes.size() / 4);
    if (!values.empty()) memcpy(values.data(), bytes.data(), bytes.size());
    return values;
}

std::string BuiltinRecords::Text(HINSTANCE instance, int id) {
    std::string bytes = Bytes(instance, id);
    return bytes.substr(0, bytes.find('\0'));
}
