#pragma once

#include <string>
#include <vector>

// The disc images opened last, newest first: at most five, each once. Paths are compared
// without regard to letter case, as the file system names them. No platform calls: the
// settings read and write the values (section "recent", keys 1 .. 5).
class RecentImages {
public:
    static constexpr int capacity = 5;

    RecentImages() = default;
    // The stored values in key order; empty ones and repeats are left out.
    explicit RecentImages(const std::vector<std::string>& stored);

    // To the front; a path listed already moves there, and the oldest beyond five goes.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths; }

private:
    std::vector<std::string> paths;
};
