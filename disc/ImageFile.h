#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One file of a disc image, open for reading, closed with the object. Paths are UTF-8 (wide
// on their way to the platform). Only the C library: the image readers stay free of the
// platform's headers.
class ImageFile {
public:
    explicit ImageFile(const std::string& path);
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    // Up to `count` bytes from `offset`; fewer at the end of the file. Returns how many.
    std::size_t ReadAt(std::uint64_t offset, void* bytes, std::size_t count);

    static bool Size(const std::string& path, std::uint64_t* size);
    static bool IsFolder(const std::string& path);
    // The first `limit` bytes, or the whole file when it is shorter.
    static std::string Head(const std::string& path, std::size_t limit);
    // The names of the plain files in a folder, in no particular order.
    static std::vector<std::string> FilesIn(const std::string& folder);

private:
    std::FILE* file;
};
