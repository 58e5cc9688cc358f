#include "app/RecentImages.h"

#include <algorithm>

namespace {

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Folded(x) == Folded(y);
           });
}

} // namespace

RecentImages::RecentImages(const std::vector<std::string>& stored) {
    // Added oldest first, so the first key stays the newest.
    for (auto value = stored.rbegin(); value != stored.rend(); ++value)
        if (!value->empty()) Add(*value);
}

void RecentImages::Add(const std::string& path) {
    Remove(path);
    paths.insert(paths.begin(), path);
    if (paths.size() > capacity) paths.resize(capacity);
}

void RecentImages::Remove(const std::string& path) {
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [&](const std::string& listed) { return SamePath(listed, path); }),
                paths.end());
}
