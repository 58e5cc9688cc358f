#include "app/WIniKey.h"

#include "app/OwnedHandle.h"
#include "app/ProfileText.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Larger files are not profiles of ours; refusing them keeps a stray path from eating memory.
constexpr LONGLONG maxFileSize = 64LL << 20;

// Which version of the file is on disk under the path: one query, no open, for the check
// that runs before every read.
struct FileIdentity {
    bool exists = false;
    WIN32_FILE_ATTRIBUTE_DATA info = {};

    bool operator==(const FileIdentity& other) const {
        const WIN32_FILE_ATTRIBUTE_DATA &a = info, &b = other.info;
        return exists == other.exists &&
               (!exists ||
                (a.dwFileAttributes == b.dwFileAttributes && a.nFileSizeHigh == b.nFileSizeHigh &&
                 a.nFileSizeLow == b.nFileSizeLow &&
                 CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0));
    }
};

// False when the file exists but cannot be examined; a missing file has an identity too.
bool IdentityOf(const char* path, FileIdentity& identity) {
    identity = FileIdentity();
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &identity.info)) {
        identity.exists = (identity.info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        return identity.exists;
    }
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The whole file as it is now; a missing file is an empty one.
bool ReadAll(const char* path, bool exists, std::string& bytes) {
    bytes.clear();
    return !exists || OwnedHandle::ReadWholeFile(path, maxFileSize, bytes);
}

// Writes the bytes to a new file and forces them to the disk.
bool WriteNewFile(const char* path, const std::string& bytes) {
    OwnedHandle file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        return false;
    return FlushFileBuffers(file.Get()) != 0;
}

const char* NameIn(const char* path) {
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

// The new content goes to a fresh file beside the old one, which is then swapped in by one
// rename: a crash or a full disk leaves either the old file or the new one, never a part.
bool ReplaceFileContents(const char* path, const std::string& bytes) {
    static unsigned counter = 0;
    const std::string temporary =
        ProfileText::TemporaryName(path, GetCurrentProcessId(), ++counter);
    if (WriteNewFile(temporary.c_str(), bytes) &&
        MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

// A process that cannot be opened for lack of rights still runs.
bool HasEnded(unsigned long process) {
    OwnedHandle handle(OpenProcess(SYNCHRONIZE, FALSE, DWORD(process)));
    if (!handle.Valid()) return GetLastError() == ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(handle.Get(), 0) == WAIT_OBJECT_0;
}

// ---- Text encodings ----
// A UTF-16 file is kept as UTF-8 in memory: no character is lost, and the profile syntax
// ('[', '=', line breaks) reads the same. Callers speak the ANSI code page.

bool IsUtf16(ProfileText::Encoding encoding) {
    return encoding == ProfileText::Encoding::utf16le || encoding == ProfileText::Encoding::utf16be;
}

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return std::string();
    int length = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), &text[0], length, nullptr,
                        nullptr);
    return text;
}

void SwapByteOrder(std::string& bytes) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
}

std::string Utf16FileToUtf8(std::string bytes, ProfileText::Encoding encoding) {
    if (encoding == ProfileText::Encoding::utf16be) SwapByteOrder(bytes);
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    if (!wide.empty()) memcpy(&wide[0], bytes.data() + 2, wide.size() * 2);
    return Narrow(wide, CP_UTF8);
}

std::string Utf8ToUtf16File(const std::string& text, ProfileText::Encoding encoding) {
    std::wstring wide = Widen(text, CP_UTF8);
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    if (encoding == ProfileText::Encoding::utf16be) SwapByteOrder(bytes);
    return bytes;
}

} // namespace

struct WIniKey::Snapshot {
    FileIdentity identity;
    ProfileText::Encoding encoding = ProfileText::Encoding::ansi;
    ProfileText profile;
    bool unsaved = false; // changed in memory by a batch, not yet on disk

    // Names and values as the file holds them, and back.
    std::string FromCaller(const char* text) const {
        return IsUtf16(encoding) ? Narrow(Widen(text, CP_ACP), CP_UTF8) : text;
    }
    std::string ToCaller(const std::string& text) const {
        return IsUtf16(encoding) ? Narrow(Widen(text, CP_UTF8), CP_ACP) : text;
    }
    std::string FileBytes() const {
        return IsUtf16(encoding) ? Utf8ToUtf16File(profile.Bytes(), encoding) : profile.Bytes();
    }
};

WIniKey::WIniKey(const char* path) {
    this->path[0] = '\0';
    if (path && strlen(path) < sizeof this->path) strcpy(this->path, path);
}

WIniKey::~WIniKey() = default;

std::unique_ptr<WIniKey> WIniKey::InFolder(const char* folder, const char* name) {
    char path[MAX_PATH] = "";
    if (!folder || !*folder || !name) return std::make_unique<WIniKey>(nullptr);
    int length = snprintf(path, sizeof path, "%s\\%s", folder, name);
    return std::make_unique<WIniKey>(length > 0 && length < int(sizeof path) ? path : nullptr);
}

// The file's parsed text, read again only when the file changed; null when it exists but
// cannot be read (then nothing may be written over it either).
WIniKey::Snapshot* WIniKey::Load() const {
    if (!Usable()) return nullptr;
    if (cache && cache->unsaved) return cache.get(); // a batch's changes are the newer text
    FileIdentity identity;
    if (!IdentityOf(path, identity)) return nullptr;
    if (cache && cache->identity == identity) return cache.get();
    cache.reset();
    std::string bytes;
    if (!ReadAll(path, identity.exists, bytes)) return nullptr;
    auto snapshot = std::make_unique<Snapshot>();
    snapshot->identity = identity;
    snapshot->encoding = ProfileText::EncodingOf(bytes.substr(0, 3));
    if (IsUtf16(snapshot->encoding)) bytes = Utf16FileToUtf8(std::move(bytes), snapshot->encoding);
    snapshot->profile = ProfileText(std::move(bytes));
    cache = std::move(snapshot);
    return cache.get();
}

int WIniKey::ReadString(const char* section, const char* key, char* buffer, int size) const {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!section || !key) return 0;
    const Snapshot* file = Load();
    std::string raw;
    if (!file ||
        !file->profile.Find(file->FromCaller(section).c_str(), file->FromCaller(key).c_str(), raw))
        return 0;
    std::string value = ProfileText::CopyValue(file->ToCaller(raw), size);
    memcpy(buffer, value.c_str(), value.size() + 1);
    return int(value.size());
}

int WIniKey::WriteString(const char* section, const char* key, const char* text) const {
    if (!section || !key || !text) return 0;
    Snapshot* file = Load();
    if (!file) return 0; // never replace what could not be read
    const unsigned revision = file->profile.Revision();
    if (!file->profile.Set(file->FromCaller(section).c_str(), file->FromCaller(key).c_str(),
                           file->FromCaller(text).c_str()))
        return 0;
    if (file->identity.exists && file->profile.Revision() == revision) return 1;
    file->unsaved = true;
    return openBatches > 0 ? 1 : Save();
}

// Puts the changes made in memory into the file; when that fails they are dropped, since the
// text in memory no longer matches the file.
int WIniKey::Save() const {
    Snapshot* file = cache.get();
    if (!file || !file->unsaved) return 1;
    // A rename would replace a read-only file, which the user meant to keep as it is.
    FileIdentity now;
    const bool written = IdentityOf(path, now) &&
                         !(now.exists && (now.info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) &&
                         ReplaceFileContents(path, file->FileBytes());
    if (written && IdentityOf(path, now) && now.exists) {
        file->identity = now;
        file->unsaved = false;
    } else {
        cache.reset();
    }
    return written ? 1 : 0;
}

WIniKey::Batch::Batch(const WIniKey* key) : key(key) {
    if (key) key->openBatches++;
}

WIniKey::Batch::~Batch() {
    if (key && --key->openBatches == 0) key->Save();
}

void WIniKey::RemoveStaleTemporaries() const {
    if (!Usable()) return;
    struct SearchEnd {
        void operator()(HANDLE search) const { FindClose(search); }
    };
    WIN32_FIND_DATAA found;
    HANDLE first = FindFirstFileA((std::string(path) + ".*.tmp").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return;
    std::unique_ptr<void, SearchEnd> search(first);
    const std::string folder(path, size_t(NameIn(path) - path));
    do {
        unsigned long process = 0;
        if (ProfileText::TemporaryOwner(NameIn(path), found.cFileName, process) &&
            HasEnded(process))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search.get(), &found));
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
