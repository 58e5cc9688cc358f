#pragma once

#include <windows.h>

#include <string>

// A kernel handle of ours (a file's, a process's), closed when this goes. Files give
// INVALID_HANDLE_VALUE for none and processes null; both read as not valid.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle(handle ? handle : INVALID_HANDLE_VALUE) {}
    ~OwnedHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle& operator=(OwnedHandle&&) = delete;
    HANDLE Get() const { return handle; }
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }

    OwnedHandle(OwnedHandle&& other) noexcept : handle(other.handle) {
        other.handle = INVALID_HANDLE_VALUE;
    }

    // A file to read, shared with anyone who writes or deletes it meanwhile.
    static OwnedHandle OpenForReading(const char* path) {
        return OwnedHandle(CreateFileA(path, GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    // The whole file as it is now, when it holds no more than `limit` bytes; the size comes
    // from the open file, so a file that changes meanwhile is still read whole.
    bool ReadAll(long long limit, std::string& bytes) const {
        LARGE_INTEGER size;
        if (!Valid() || !GetFileSizeEx(handle, &size) || size.QuadPart > limit) return false;
        bytes.resize(size_t(size.QuadPart));
        DWORD read = 0;
        return bytes.empty() || (ReadFile(handle, &bytes[0], DWORD(bytes.size()), &read, nullptr) &&
                                 read == bytes.size());
    }
    static bool ReadWholeFile(const char* path, long long limit, std::string& bytes) {
        return OpenForReading(path).ReadAll(limit, bytes);
    }

private:
    HANDLE handle;
};
