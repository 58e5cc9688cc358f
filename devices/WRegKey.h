#pragma once

#include <windows.h>

// A registry key, created or opened at construction and closed at destruction.
class WRegKey {
public:
    WRegKey(HKEY root, const char* path);
    ~WRegKey();
    WRegKey(const WRegKey&) = delete;
    WRegKey& operator=(const WRegKey&) = delete;

    // 1 when the key exists (created or opened).
    int IsOpen() const { return key != nullptr; }
    // A string value (REG_SZ); the empty name is the key's default value. 1 on success.
    int SetString(const char* name, const char* text);

    HKEY key = nullptr;
    DWORD disposition = 0; // REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY
};
