#include "devices/WRegKey.h"

#include <cstring>

WRegKey::WRegKey(HKEY root, const char* path) {
    if (RegCreateKeyExA(root, path, 0, const_cast<char*>(""), 0, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        key = nullptr;
}

WRegKey::~WRegKey() {
    if (key) RegCloseKey(key);
}

int WRegKey::SetString(const char* name, const char* text) {
    if (!key) return 0;
    // The terminating zero is stored too: readers may rely on it.
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) ==
                   ERROR_SUCCESS
               ? 1
               : 0;
}
