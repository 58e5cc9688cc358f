#include "disc/ImageFile.h"

#include "app/Utf8.h"

#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#endif

namespace {

#ifdef _WIN32
// File names in UTF-8 reach the platform as wide text: every name opens, in any language.
using FileStatus = struct _stati64;
int StatusOf(const std::string& path, FileStatus* status) {
    return _wstati64(Utf8::ToWide(path).c_str(), status);
}
std::FILE* OpenForReading(const std::string& path) {
    return _wfopen(Utf8::ToWide(path).c_str(), L"rb");
}
int Seek(std::FILE* file, std::uint64_t offset) {
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET);
}
#else
using FileStatus = struct stat;
int StatusOf(const std::string& path, FileStatus* status) {
    return stat(path.c_str(), status);
}
int Seek(std::FILE* file, std::uint64_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET);
}
std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}
#endif

} // namespace

ImageFile::ImageFile(const std::string& path) : file(OpenForReading(path)) {
}

ImageFile::~ImageFile() {
    if (file) std::fclose(file);
}

std::size_t ImageFile::ReadAt(std::uint64_t offset, void* bytes, std::size_t count) {
    if (!file || Seek(file, offset) != 0) return 0;
    return std::fread(bytes, 1, count, file);
}

bool ImageFile::Size(const std::string& path, std::uint64_t* size) {
    FileStatus status;
    if (StatusOf(path, &status) != 0 || (status.st_mode & S_IFMT) != S_IFREG) return false;
    *size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool ImageFile::IsFolder(const std::string& path) {
    FileStatus status;
    return StatusOf(path, &status) == 0 && (status.st_mode & S_IFMT) == S_IFDIR;
}

std::string ImageFile::Head(const std::string& path, std::size_t limit) {
    ImageFile file(path);
    std::string head(limit, '\0');
    head.resize(file.ReadAt(0, &head[0], limit));
    return head;
}

std::vector<std::string> ImageFile::FilesIn(const std::string& folder) {
    std::vector<std::string> names;
#ifdef _WIN32
    _wfinddata64i32_t found;
    const intptr_t search = _wfindfirst64i32(Utf8::ToWide(folder + "\\*").c_str(), &found);
    if (search == -1) return names;
    do {
        if (!(found.attrib & _A_SUBDIR)) names.push_back(Utf8::FromWide(found.name));
    } while (_wfindnext64i32(search, &found) == 0);
    _findclose(search);
#else
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        FileStatus status;
        const std::string path = folder + "/" + entry->d_name;
        if (StatusOf(path, &status) == 0 && (status.st_mode & S_IFMT) == S_IFREG)
            names.push_back(entry->d_name);
    }
    closedir(dir);
#endif
    return names;
}
