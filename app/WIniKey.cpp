#include "app/WIniKey.h"

#include "app/ProfileText.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Larger files are not profiles of ours; refusing them keeps a stray path from eating memory.
constexpr LONGLONG maxFileSize = 64LL << 20;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle; }
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

// The whole file; a missing file reads as empty. False when it exists but cannot be read.
bool ReadWholeFile(const char* path, std::string& bytes) {
    bytes.clear();
    FileHandle file(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > maxFileSize) return false;
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), &bytes[0], DWORD(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return false;
    return true;
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        return false;
    return FlushFileBuffers(file.Get()) != 0;
}

// The new content goes to a fresh file beside the old one, which is then swapped in by one
// rename: a crash or a full disk leaves either the old file or the new one, never a part.
bool ReplaceFileContents(const char* path, const std::string& bytes) {
    std::string folder = path;
    size_t separator = folder.find_last_of("\\/");
    folder = separator == std::string::npos ? "." : folder.substr(0, separator + 1);
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "lvx", 0, temporary)) return false;
    if (WriteWholeFile(temporary, bytes) &&
        MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}

} // namespace

WIniKey::WIniKey(const char* path) {
    lstrcpynA(this->path, path ? path : "", sizeof this->path);
}

int WIniKey::ReadString(const char* section, const char* key, char* buffer, int size) const {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!section || !key) return 0;
    std::string bytes, raw;
    if (!ReadWholeFile(path, bytes) || !ProfileText(bytes).Find(section, key, raw)) return 0;
    std::string value = ProfileText::CopyValue(raw, size);
    memcpy(buffer, value.c_str(), value.size() + 1);
    return int(value.size());
}

int WIniKey::WriteString(const char* section, const char* key, const char* text) const {
    if (!section || !key || !text) return 0;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return 0; // never replace what could not be read
    ProfileText profile(bytes);
    if (!profile.Set(section, key, text)) return 0;
    DWORD attributes = GetFileAttributesA(path);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && profile.Bytes() == bytes) return 1;
    // A rename would replace a read-only file, which the user meant to keep as it is.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return 0;
    return ReplaceFileContents(path, profile.Bytes()) ? 1 : 0;
}

int WIniKey::ReadInt(const char* section, const char* key, int* value) const {
    char text[100];
    if (!value || !ReadString(section, key, text, sizeof text)) return 0;
    *value = ProfileText::DecimalValue(text);
    return 1;
}

int WIniKey::WriteInt(const char* section, const char* key, int value) const {
    if (!section || !key) return 0;
    char text[16];
    snprintf(text, sizeof text, "%i", value);
    return WriteString(section, key, text);
}
