#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// The text of one private-profile file: finds values the way the platform's profile reader
// does, and sets a key by editing only the line concerned, so every other byte of the file
// (comments, blank lines, other sections, line endings) stays as it was.
// No platform calls: the caller reads and writes the file.
class ProfileText {
public:
    explicit ProfileText(std::string bytes = std::string());

    const std::string& Bytes() const { return text; }
    // Grows with every edit that changed the text.
    unsigned Revision() const { return revision; }

    // The raw value of the key: false when the section or the key is absent, or when the
    // key's line has no '='. Only the first section of that name and the first key of that
    // name in it count.
    bool Find(const char* section, const char* key, std::string& value) const;

    // What the platform copies into a caller buffer of `size` characters (end of text
    // included): one pair of matching surrounding quotes removed, cut to size - 1.
    static std::string CopyValue(const std::string& raw, int size);

    // Sets section/key to value. Returns false, text unchanged, for names that could not
    // be read back (line breaks, '=' in the key, an empty key, a key that would read as a
    // section, a name that would turn into a byte-order mark) and for files in a
    // wide-character encoding.
    bool Set(const char* section, const char* key, const char* value);

    // The decimal value of a text: leading white space, an optional sign, the digits up to
    // the first other character; no digits give 0, values beyond the int range saturate.
    static int DecimalValue(const char* text);

    enum class Encoding { ansi, utf8, utf16le, utf16be };
    // What the byte-order mark at the start of the bytes says.
    static Encoding EncodingOf(const std::string& head);

    // The platform's blank characters (tabs, spaces, ^Z and the other controls it skips).
    static bool IsBlank(char c);

    // A saved file is written first to a temporary file beside it: "<name>.<process>-<n>.tmp",
    // both numbers in hexadecimal, so that one left behind tells which process made it.
    static std::string TemporaryName(const std::string& fileName, unsigned long process,
                                     unsigned n);
    // Whether the candidate is such a name of fileName (letter case aside), and whose.
    static bool TemporaryOwner(const std::string& fileName, const std::string& candidate,
                               unsigned long& process);

private:
    struct Line {
        size_t begin = 0;      // first byte of the line
        size_t end = 0;        // end of its content, line break excluded
        size_t breakEnd = 0;   // end of the run of line break characters after it
        size_t trimmedEnd = 0; // end of the content without trailing blanks
        size_t nameBegin = 0;  // key name (or section name) after trimming
        size_t nameEnd = 0;
        size_t valueBegin = 0; // value after trimming; valid when hasValue
        size_t valueEnd = 0;
        bool blank = true;
        bool header = false;
        bool hasValue = false;
    };
    struct Section {
        size_t nameBegin = 0, nameEnd = 0;
        size_t firstLine = 0; // the header line, or the first line of the nameless head
        size_t lastLine = 0;  // one past the section's last line
    };

    static constexpr size_t bomBytes = 3;

    void Parse();
    bool Splice(size_t at, size_t erase, const std::string& insert);
    void ParseLine(Line& line) const;
    const Section* FindSection(const std::string& name) const;
    const Line* FindKey(const Section& section, const std::string& name) const;
    bool SameName(size_t begin, size_t end, const std::string& name) const;
    static std::string LowerName(const char* begin, size_t length);
    size_t InsertionPoint(const Section& section) const;
    std::string LineBreak() const;

    std::string text;
    size_t start = 0; // after a byte-order mark
    bool wide = false;
    unsigned revision = 0;
    std::vector<Line> lines;
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> sectionIndex; // lower-case name -> first section
};
