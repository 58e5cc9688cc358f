#include "lookup/CddbAnswer.h"

#include <cstdlib>
#include <map>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

int StatusCode(const std::string& line) {
    if (line.size() < 3) return 0;
    for (int i = 0; i < 3; i++)
        if (line[size_t(i)] < '0' || line[size_t(i)] > '9') return 0;
    return std::atoi(line.substr(0, 3).c_str());
}

// "category discid title", the title holding the rest of the line.
bool Match(const std::string& text, CddbMatch& match) {
    const size_t first = text.find(' ');
    const size_t second = first == std::string::npos ? first : text.find(' ', first + 1);
    if (second == std::string::npos) return false;
    match = {text.substr(0, first), text.substr(first + 1, second - first - 1),
             text.substr(second + 1)};
    return !match.category.empty() && !match.discId.empty();
}

// The lines between the status line and the closing ".", if there is one.
bool Body(const std::vector<std::string>& lines, std::vector<std::string>& body) {
    for (size_t i = 1; i < lines.size(); i++) {
        if (lines[i] == ".") return true;
        body.push_back(lines[i]);
    }
    return false;
}

} // namespace

CddbQueryAnswer ParseCddbQuery(const std::string& answer) {
    CddbQueryAnswer result;
    const std::vector<std::string> lines = Lines(answer);
    if (lines.empty()) return result;
    result.line = lines[0];
    result.code = StatusCode(lines[0]);
    CddbMatch match;
    if (result.code == 200) {
        if (lines[0].size() > 4 && Match(lines[0].substr(4), match))
            result.matches.push_back(match);
        return result;
    }
    if (result.code != 210 && result.code != 211) return result;
    std::vector<std::string> body;
    if (!Body(lines, body)) return result;
    for (const std::string& line : body)
        if (Match(line, match)) result.matches.push_back(match);
    return result;
}

bool ParseCddbRead(const std::string& answer, int trackCount, ReleaseNames& names) {
    const std::vector<std::string> lines = Lines(answer);
    std::vector<std::string> body;
    if (lines.empty() || StatusCode(lines[0]) != 210 || !Body(lines, body)) return false;
    std::map<std::string, std::string> values;
    for (const std::string& line : body) {
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        values[line.substr(0, equals)] += line.substr(equals + 1);
    }
    const std::string title = values["DTITLE"];
    const size_t slash = title.find(" / ");
    names = ReleaseNames();
    names.artist = slash == std::string::npos ? title : title.substr(0, slash);
    names.album = slash == std::string::npos ? title : title.substr(slash + 3);
    names.year = values["DYEAR"];
    for (int track = 0; track < trackCount; track++) {
        const auto found = values.find("TTITLE" + std::to_string(track));
        if (found == values.end()) return false;
        names.tracks.push_back(found->second);
    }
    return values.count("TTITLE" + std::to_string(trackCount)) == 0;
}
