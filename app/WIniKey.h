#pragma once

// Reader and writer of one private-profile (.ini) file: [sections] of key=value lines.
// Holds only the path; every call opens, reads or writes, and closes the file.
// Results: 1 success, 0 failure; a missing or empty value reads as absent.
class WIniKey {
public:
    explicit WIniKey(const char* path);

    int ReadString(const char* section, const char* key, char* buffer, int size) const;
    int WriteString(const char* section, const char* key, const char* text) const;
    int ReadInt(const char* section, const char* key, int* value) const;
    int WriteInt(const char* section, const char* key, int value) const;

    const char* Path() const { return path; }

private:
    char path[260];
};
