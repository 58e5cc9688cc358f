#include "app/ProfileText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string Trimmed(const char* name) {
    std::string s = name;
    size_t first = 0, last = s.size();
    while (first < last && ProfileText::IsBlank(s[first]))
        first++;
    while (last > first && ProfileText::IsBlank(s[last - 1]))
        last--;
    return s.substr(first, last - first);
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// One to eight hexadecimal digits: what "%lx" of a 32-bit number gives.
bool HexNumber(std::string_view digits) {
    return !digits.empty() && digits.size() <= 8 &&
           std::all_of(digits.begin(), digits.end(), [](char c) {
               return (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f');
           });
}

} // namespace

ProfileText::ProfileText(std::string bytes) : text(std::move(bytes)) {
    Parse();
}

bool ProfileText::IsBlank(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

void ProfileText::Parse() {
    lines.clear();
    sections.clear();
    sectionIndex.clear();
    start = 0;
    // A wide-character file would read as garbage and be ruined by a byte-wise edit.
    const Encoding encoding = EncodingOf(text);
    wide = encoding == Encoding::utf16le || encoding == Encoding::utf16be;
    if (wide) return;
    if (encoding == Encoding::utf8) start = bomBytes;

    Section head;
    head.firstLine = 0;
    sections.push_back(head);
    size_t pos = start;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        while (pos < text.size() && !IsLineBreak(text[pos]))
            pos++;
        line.end = pos;
        while (pos < text.size() && IsLineBreak(text[pos]))
            pos++;
        line.breakEnd = pos;
        ParseLine(line);
        if (line.header) {
            sections.back().lastLine = lines.size();
            Section section;
            section.nameBegin = line.nameBegin;
            section.nameEnd = line.nameEnd;
            section.firstLine = lines.size();
            sections.push_back(section);
        }
        lines.push_back(line);
    }
    sections.back().lastLine = lines.size();
    // The first section of a name is the one that counts.
    for (size_t i = 0; i < sections.size(); i++) {
        const Section& section = sections[i];
        sectionIndex.emplace(
            LowerName(text.data() + section.nameBegin, section.nameEnd - section.nameBegin), i);
    }
}

void ProfileText::ParseLine(Line& line) const {
    size_t first = line.begin, last = line.end;
    while (first < last && IsBlank(text[first]))
        first++;
    while (last > first && IsBlank(text[last - 1]))
        last--;
    line.trimmedEnd = last;
    if (first == last) return;
    line.blank = false;
    // Names and values end at a stray zero byte, as the platform's wide strings do. Both
    // searches stay inside the line, so a read costs the file's size, not size times lines.
    auto untilZero = [this](size_t from, size_t to) {
        const void* zero = from < to ? memchr(text.data() + from, '\0', to - from) : nullptr;
        return zero ? size_t(static_cast<const char*>(zero) - text.data()) : to;
    };

    if (text[first] == '[') {
        size_t close = std::string_view(text).substr(first, last - first).rfind(']');
        if (close != std::string::npos && close > 0) {
            close += first;
            size_t nameFirst = first + 1, nameLast = close;
            while (nameFirst < nameLast && IsBlank(text[nameFirst]))
                nameFirst++;
            while (nameLast > nameFirst && IsBlank(text[nameLast - 1]))
                nameLast--;
            line.header = true;
            line.nameBegin = nameFirst;
            line.nameEnd = untilZero(nameFirst, nameLast);
            return;
        }
        // Without a closing bracket the line is an ordinary key line.
    }

    size_t equals = first;
    while (equals < last && text[equals] != '=')
        equals++;
    line.nameBegin = first;
    if (equals == last) {
        line.nameEnd = untilZero(first, last);
        return;
    }
    size_t nameLast = equals;
    while (nameLast > first && IsBlank(text[nameLast - 1]))
        nameLast--;
    line.nameEnd = untilZero(first, nameLast);
    size_t valueFirst = equals + 1;
    while (valueFirst < last && IsBlank(text[valueFirst]))
        valueFirst++;
    line.hasValue = true;
    line.valueBegin = valueFirst;
    line.valueEnd = untilZero(valueFirst, last);
}

bool ProfileText::SameName(size_t begin, size_t end, const std::string& name) const {
    if (end - begin != name.size()) return false;
    for (size_t i = 0; i < name.size(); i++)
        if (LowerAscii(text[begin + i]) != LowerAscii(name[i])) return false;
    return true;
}

std::string ProfileText::LowerName(const char* begin, size_t length) {
    std::string name(begin, length);
    std::transform(name.begin(), name.end(), name.begin(), LowerAscii);
    return name;
}

// Sections are found through an index: a database of thousands of discs is searched on every
// read, and a scan would cost a compare per section.
const ProfileText::Section* ProfileText::FindSection(const std::string& name) const {
    auto found = sectionIndex.find(LowerName(name.data(), name.size()));
    return found == sectionIndex.end() ? nullptr : &sections[found->second];
}

const ProfileText::Line* ProfileText::FindKey(const Section& section,
                                              const std::string& name) const {
    for (size_t i = section.firstLine; i < section.lastLine; i++) {
        const Line& line = lines[i];
        if (line.blank || line.header) continue;
        if (SameName(line.nameBegin, line.nameEnd, name)) return &line;
    }
    return nullptr;
}

bool ProfileText::Find(const char* section, const char* key, std::string& value) const {
    if (!section || !key || wide) return false;
    const Section* found = FindSection(Trimmed(section));
    if (!found) return false;
    const Line* line = FindKey(*found, Trimmed(key));
    if (!line || !line->hasValue) return false;
    value = text.substr(line->valueBegin, line->valueEnd - line->valueBegin);
    return true;
}

std::string ProfileText::CopyValue(const std::string& raw, int size) {
    if (size <= 0) return std::string();
    size_t room = size_t(size) - 1;
    bool quoted = raw.size() >= 2 && (raw[0] == '"' || raw[0] == '\'') && raw.back() == raw[0];
    if (!quoted) return raw.substr(0, room);
    // The closing quote is dropped only when it would have fitted into the buffer with its
    // end of text; the platform then also cuts the last character when it did not quite fit.
    std::string inner = raw.substr(1);
    std::string copy = inner.substr(0, room);
    if (size_t(size) >= inner.size() && !copy.empty()) copy.pop_back();
    return copy;
}

int ProfileText::DecimalValue(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        text++;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') text++;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        value = value * 10 + (*text - '0');
        if (value > 2147483648LL) value = 2147483648LL; // saturate instead of overflowing
    }
    if (negative) value = -value;
    return int(std::clamp(value, -2147483648LL, 2147483647LL));
}

size_t ProfileText::InsertionPoint(const Section& section) const {
    size_t last = section.lastLine;
    while (last > section.firstLine && lines[last - 1].blank)
        last--;
    if (last == section.firstLine && !sections.empty() && &section == &sections.front())
        return start; // an empty head: before the first section
    const Line& line = lines[last - 1];
    if (line.end == line.breakEnd) return line.end; // the last line of a file without a break
    bool crlf =
        text[line.end] == '\r' && line.end + 1 < line.breakEnd && text[line.end + 1] == '\n';
    return line.end + (crlf ? 2 : 1);
}

std::string ProfileText::LineBreak() const {
    size_t at = text.find_first_of("\r\n", start);
    if (at != std::string::npos && text[at] == '\n') return "\n";
    return "\r\n";
}

bool ProfileText::Set(const char* section, const char* key, const char* value) {
    if (!section || !key || !value || wide) return false;
    std::string sectionName = Trimmed(section), keyName = Trimmed(key);
    auto hasBreak = [](const std::string& s) { return s.find_first_of("\r\n") != s.npos; };
    if (keyName.empty() || keyName[0] == '[' || keyName.find('=') != std::string::npos ||
        hasBreak(keyName) || hasBreak(sectionName))
        return false;
    // Leading blanks would be lost on reading anyway; a line break would start a new line.
    std::string newValue = value;
    newValue.erase(newValue.begin(), std::find_if_not(newValue.begin(), newValue.end(), IsBlank));
    std::replace_if(newValue.begin(), newValue.end(), IsLineBreak, ' ');

    const std::string eol = LineBreak();
    const Section* found = FindSection(sectionName);
    if (!found) {
        std::string added;
        if (text.size() > start && !IsLineBreak(text.back())) added = eol;
        added += "[" + sectionName + "]" + eol + keyName + "=" + newValue + eol;
        return Splice(text.size(), 0, added);
    }
    if (const Line* line = FindKey(*found, keyName)) {
        if (!line->hasValue)
            return Splice(line->trimmedEnd, line->end - line->trimmedEnd, "=" + newValue);
        if (text.compare(line->valueBegin, line->valueEnd - line->valueBegin, newValue) == 0 &&
            line->valueEnd == line->trimmedEnd)
            return true;
        return Splice(line->valueBegin, line->end - line->valueBegin, newValue);
    }
    size_t at = InsertionPoint(*found);
    bool atEndWithoutBreak = at == text.size() && at > start && !IsLineBreak(text.back());
    std::string entry = keyName + "=" + newValue;
    return Splice(at, 0, atEndWithoutBreak ? eol + entry : entry + eol);
}

ProfileText::Encoding ProfileText::EncodingOf(const std::string& head) {
    if (head.compare(0, 2, "\xFF\xFE") == 0) return Encoding::utf16le;
    if (head.compare(0, 2, "\xFE\xFF") == 0) return Encoding::utf16be;
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0) return Encoding::utf8;
    return Encoding::ansi;
}

// Replaces `erase` bytes at `at`. An edit near the start that would make the file begin with a
// byte-order mark (a key name starting with its bytes) is refused: every later read would take
// the file for another encoding.
bool ProfileText::Splice(size_t at, size_t erase, const std::string& insert) {
    if (at < bomBytes) {
        std::string head = text.substr(0, at) + insert + text.substr(at + erase, bomBytes);
        if (EncodingOf(head) != EncodingOf(text.substr(0, bomBytes))) return false;
    }
    text.replace(at, erase, insert);
    revision++;
    Parse();
    return true;
}

std::string ProfileText::TemporaryName(const std::string& fileName, unsigned long process,
                                       unsigned n) {
    char numbers[32];
    snprintf(numbers, sizeof numbers, ".%lx-%x.tmp", process, n);
    return fileName + numbers;
}

bool ProfileText::TemporaryOwner(const std::string& fileName, const std::string& candidate,
                                 unsigned long& process) {
    const std::string_view name(candidate), ending(".tmp");
    if (name.size() < fileName.size() + 1 + ending.size() ||
        !SameLetters(name.substr(0, fileName.size()), fileName) || name[fileName.size()] != '.' ||
        !SameLetters(name.substr(name.size() - ending.size()), ending))
        return false;
    const std::string_view numbers =
        name.substr(fileName.size() + 1, name.size() - fileName.size() - 1 - ending.size());
    const size_t dash = numbers.find('-');
    if (dash == std::string_view::npos || !HexNumber(numbers.substr(0, dash)) ||
        !HexNumber(numbers.substr(dash + 1)))
        return false;
    process = strtoul(std::string(numbers.substr(0, dash)).c_str(), nullptr, 16);
    return true;
}
