#include "disc/CueSheet.h"

// Strict wherever a guess could put a track where its writer did not mean it; lenient, like
// common burning programs, where a form is common and its meaning beyond doubt. Each rule
// below says which. Reading stops at the first fault, so one message names one line.

namespace {

using std::string_view;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

string_view TrimLeft(string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        start++;
    return text.substr(start);
}

string_view TrimRight(string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        end--;
    return text.substr(0, end);
}

// The first word of text; text keeps what follows it.
string_view TakeWord(string_view& text) {
    text = TrimLeft(text);
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        end++;
    const string_view word = text.substr(0, end);
    text = TrimLeft(text.substr(end));
    return word;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Lenient: keywords in any case, as every burning program reads them.
bool SameWord(string_view word, string_view upperKeyword) {
    if (word.size() != upperKeyword.size()) return false;
    for (size_t i = 0; i < word.size(); i++) {
        if (Upper(word[i]) != upperKeyword[i]) return false;
    }
    return true;
}

// Cut short, so that a line of junk does not make a message of a megabyte.
std::string Quoted(string_view text) {
    const size_t longest = 40;
    if (text.size() <= longest) return "\"" + std::string(text) + "\"";
    size_t cut = longest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        cut--;
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

std::string TwoDigits(long long number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

// Lenient: one digit is as clear as two. Nothing but digits, so "1a" or "-1" are refused.
bool ReadNumber(string_view word, size_t maxDigits, int& value) {
    if (word.empty() || word.size() > maxDigits) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

int Utf8TailLength(unsigned char lead) {
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

bool IsUtf8(string_view text) {
    for (size_t i = 0; i < text.size();) {
        const int tail = Utf8TailLength(static_cast<unsigned char>(text[i]));
        if (tail < 0 || text.size() - i - 1 < size_t(tail)) return false;
        for (int k = 1; k <= tail; k++) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += size_t(tail) + 1;
    }
    return true;
}

struct ModeWord {
    const char* word;
    CueSheet::TrackMode mode;
};
const ModeWord modeWords[] = {
    {"AUDIO", CueSheet::TrackMode::audio},
    {"MODE1/2048", CueSheet::TrackMode::mode1_2048},
    {"MODE1/2352", CueSheet::TrackMode::mode1_2352},
    {"MODE2/2336", CueSheet::TrackMode::mode2_2336},
    {"MODE2/2352", CueSheet::TrackMode::mode2_2352},
};

struct TypeWord {
    const char* word;
    CueSheet::FileType type;
};
const TypeWord typeWords[] = {
    {"BINARY", CueSheet::FileType::binary}, {"MOTOROLA", CueSheet::FileType::motorola},
    {"WAVE", CueSheet::FileType::wave},     {"MP3", CueSheet::FileType::mp3},
    {"AIFF", CueSheet::FileType::aiff},     {"FLAC", CueSheet::FileType::flac},
};

// Lenient: these place nothing on the disc, so they are skipped wherever they stand and
// whatever follows them (CD-Text's ARRANGER, COMPOSER and MESSAGE as well).
const char* const skippedCommands[] = {"REM",        "CATALOG",  "ISRC",     "FLAGS",  "SONGWRITER",
                                       "CDTEXTFILE", "ARRANGER", "COMPOSER", "MESSAGE"};

} // namespace

const CueSheet::Index* CueSheet::Track::Find(int indexNumber) const {
    for (const Index& index : indexes) {
        if (index.number == indexNumber) return &index;
    }
    return nullptr;
}

CueSheet::CueSheet(const std::string& text, const std::string& sheetName) : name(sheetName) {
    if (text.size() > maxBytes) {
        Refuse("larger than 1 MiB, so not a CUE sheet", 0);
        return;
    }
    string_view rest(text);
    const bool byteOrderMark = rest.substr(0, 3) == "\xEF\xBB\xBF";
    if (byteOrderMark) rest.remove_prefix(3);
    if (rest.substr(0, 2) == "\xFF\xFE" || rest.substr(0, 2) == "\xFE\xFF") {
        Refuse("UTF-16 text; save the sheet as UTF-8 or ANSI", 0);
        return;
    }
    utf8 = byteOrderMark || IsUtf8(rest);
    Parse(rest);
    if (Valid()) return;
    performer.clear();
    title.clear();
    files.clear();
    tracks.clear();
}

void CueSheet::Parse(string_view text) {
    size_t start = 0;
    while (start < text.size() && Valid()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == string_view::npos) end = text.size();
        line++;
        ReadLine(text.substr(start, end - start));
        // CR LF, LF or CR: each ends one line.
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    FinishTrack();
    FinishFile();
    if (Valid() && tracks.empty()) Refuse("no TRACK in the sheet", 0);
}

void CueSheet::ReadLine(string_view text) {
    if (text.find('\0') != string_view::npos) return Refuse("a NUL byte, so not a text file");
    string_view rest = TrimRight(text);
    const string_view command = TakeWord(rest);
    if (command.empty()) return;
    if (SameWord(command, "FILE")) return ReadFile(rest);
    if (SameWord(command, "TRACK")) return ReadTrack(rest);
    if (SameWord(command, "INDEX")) return ReadIndex(rest);
    if (SameWord(command, "PREGAP")) return ReadPregap(rest);
    if (SameWord(command, "POSTGAP")) return ReadPostgap(rest);
    if (SameWord(command, "TITLE") || SameWord(command, "PERFORMER"))
        return ReadText(command, rest);
    for (const char* skipped : skippedCommands) {
        if (SameWord(command, skipped)) return;
    }
    // Strict: a misspelt INDEX or TRACK skipped would move every track after it.
    Refuse("unknown command " + Quoted(command));
}

void CueSheet::ReadFile(string_view rest) {
    FinishFile();
    if (!Valid()) return;
    File file;
    file.line = line;
    string_view typeWord;
    if (!rest.empty() && rest[0] == '"') {
        string_view after;
        if (!ReadQuoted(rest, file.name, after)) return;
        typeWord = TakeWord(after);
        if (!NothingMore(after)) return;
    } else {
        // Lenient: an unquoted name may hold blanks; the type is the last word.
        const size_t lastBlank = rest.find_last_of(" \t");
        if (lastBlank != string_view::npos) {
            file.name = std::string(TrimRight(rest.substr(0, lastBlank)));
            typeWord = rest.substr(lastBlank + 1);
        }
    }
    if (file.name.empty() || typeWord.empty()) return Refuse("FILE needs a name and a type");
    // Lenient: any type word is kept, so that the caller can say which type it cannot play.
    file.typeName = std::string(typeWord);
    for (const TypeWord& known : typeWords) {
        if (SameWord(typeWord, known.word)) file.type = known.type;
    }
    files.push_back(file);
    fileHoldsIndex = false;
    lastFrameInFile = -1;
    lastNumberInFile = -1;
}

void CueSheet::ReadTrack(string_view rest) {
    FinishTrack();
    if (!Valid()) return;
    const string_view numberWord = TakeWord(rest);
    const string_view modeWord = TakeWord(rest);
    if (modeWord.empty()) return Refuse("TRACK needs a number and a mode");
    if (!NothingMore(rest)) return;
    Track track;
    track.line = line;
    if (!ReadNumber(numberWord, 2, track.number) || track.number < 1)
        return Refuse("bad track number " + Quoted(numberWord) + " (01 to 99)");
    const std::string trackText = "TRACK " + TwoDigits(track.number);
    if (files.empty()) return Refuse(trackText + " comes before any FILE");
    // Strict: the drive numbers tracks from 01 without holes, as on a pressed disc.
    if (tracks.empty() && track.number != 1)
        return Refuse("the first track is " + trackText + "; a disc starts with TRACK 01");
    if (!tracks.empty() && track.number != tracks.back().number + 1)
        return Refuse(trackText + " after TRACK " + TwoDigits(tracks.back().number) +
                      "; tracks go up by one");
    bool knownMode = false;
    for (const ModeWord& known : modeWords) {
        if (SameWord(modeWord, known.word)) {
            track.mode = known.mode;
            knownMode = true;
        }
    }
    if (!knownMode) return Refuse("unsupported track mode " + Quoted(modeWord));
    tracks.push_back(track);
    pregapGiven = false;
    postgapGiven = false;
}

void CueSheet::ReadIndex(string_view rest) {
    const string_view numberWord = TakeWord(rest);
    const string_view timeWord = TakeWord(rest);
    if (timeWord.empty()) return Refuse("INDEX needs a number and a time");
    if (!NothingMore(rest)) return;
    Index index;
    index.line = line;
    if (!ReadNumber(numberWord, 2, index.number))
        return Refuse("bad index number " + Quoted(numberWord) + " (00 to 99)");
    if (!ReadTime(timeWord, index.frame)) return;
    const std::string indexText = "INDEX " + TwoDigits(index.number);
    if (tracks.empty()) return Refuse(indexText + " outside a TRACK");
    // Strict: an index after the postgap would put data inside the silence.
    if (postgapGiven)
        return Refuse(indexText + " after the POSTGAP of track " + TwoDigits(tracks.back().number));
    index.file = int(files.size()) - 1;
    if (AddIndex(tracks.back(), index)) fileHoldsIndex = true;
}

bool CueSheet::AddIndex(Track& track, const Index& index) {
    const std::string indexText = "INDEX " + TwoDigits(index.number);
    const std::string trackText = "track " + TwoDigits(track.number);
    if (track.indexes.empty() && index.number > 1) {
        Refuse(trackText + " starts with " + indexText + "; its first index is 00 or 01");
        return false;
    }
    if (!track.indexes.empty()) {
        const Index& last = track.indexes.back();
        if (index.number == last.number) {
            Refuse("a second " + indexText + " in " + trackText);
            return false;
        }
        // Strict: indexes out of order or with holes are too garbled to trust their times.
        if (index.number != last.number + 1) {
            Refuse(indexText + " follows INDEX " + TwoDigits(last.number) + " in " + trackText +
                   "; indexes go up by one");
            return false;
        }
        // Lenient: INDEX 00 at INDEX 01's place is an empty pregap, as burning programs read it.
        if (index.number == 1 && last.file == index.file && last.frame == index.frame) {
            track.indexes.back() = index;
            return true;
        }
    }
    // Strict: indexes that go back in a file would make tracks overlap.
    if (index.frame < lastFrameInFile) {
        Refuse(indexText + " at " + TimeText(index.frame) + " comes before the previous index (" +
               TimeText(lastFrameInFile) + ") in " + Quoted(files.back().name));
        return false;
    }
    // Lenient: an index at the place of the one before it is an empty index, unless it would
    // leave the track before it without a frame.
    if (index.frame == lastFrameInFile && track.indexes.empty() && lastNumberInFile == 1) {
        Refuse(indexText + " at " + TimeText(index.frame) + " leaves track " +
               TwoDigits(track.number - 1) + " without a frame");
        return false;
    }
    track.indexes.push_back(index);
    lastFrameInFile = index.frame;
    lastNumberInFile = index.number;
    return true;
}

void CueSheet::ReadPregap(string_view rest) {
    std::int64_t frames = 0;
    if (!ReadGapTime("PREGAP", rest, frames)) return;
    Track& track = tracks.back();
    const std::string trackText = "track " + TwoDigits(track.number);
    // Strict: a PREGAP between indexes could belong to either side of them.
    if (!track.indexes.empty())
        return Refuse("PREGAP after an INDEX of " + trackText + "; it comes before the first");
    if (pregapGiven) return Refuse("a second PREGAP in " + trackText);
    track.pregap = frames;
    pregapGiven = true;
}

void CueSheet::ReadPostgap(string_view rest) {
    std::int64_t frames = 0;
    if (!ReadGapTime("POSTGAP", rest, frames)) return;
    Track& track = tracks.back();
    const std::string trackText = "track " + TwoDigits(track.number);
    // Strict: before INDEX 01 the writer may have meant a PREGAP.
    if (!track.Find(1)) return Refuse("POSTGAP before INDEX 01 of " + trackText);
    if (postgapGiven) return Refuse("a second POSTGAP in " + trackText);
    track.postgap = frames;
    postgapGiven = true;
}

bool CueSheet::ReadGapTime(string_view command, string_view rest, std::int64_t& frames) {
    const string_view timeWord = TakeWord(rest);
    if (timeWord.empty()) {
        Refuse(std::string(command) + " needs a time");
        return false;
    }
    if (!NothingMore(rest) || !ReadTime(timeWord, frames)) return false;
    if (tracks.empty()) {
        Refuse(std::string(command) + " outside a TRACK");
        return false;
    }
    return true;
}

void CueSheet::ReadText(string_view command, string_view rest) {
    std::string value;
    if (!rest.empty() && rest[0] == '"') {
        string_view after;
        if (!ReadQuoted(rest, value, after) || !NothingMore(after)) return;
    } else {
        // Lenient: an unquoted text runs to the end of the line.
        value = std::string(rest);
    }
    const bool isTitle = SameWord(command, "TITLE");
    // Lenient: a text given twice keeps the later one; it places nothing.
    if (tracks.empty())
        (isTitle ? title : performer) = value;
    else
        (isTitle ? tracks.back().title : tracks.back().performer) = value;
}

// The text between the first quote and the last one, so that quotes inside a title survive.
bool CueSheet::ReadQuoted(string_view rest, std::string& value, string_view& after) {
    const size_t close = rest.rfind('"');
    if (close == 0) {
        Refuse("missing closing quote");
        return false;
    }
    value = std::string(rest.substr(1, close - 1));
    after = TrimLeft(rest.substr(close + 1));
    return true;
}

// Strict: words left over on a command mean the line was not what it seems.
bool CueSheet::NothingMore(string_view rest) {
    if (rest.empty()) return true;
    Refuse("unexpected " + Quoted(rest) + " at the end of the line");
    return false;
}

// Lenient: minutes may have three digits, for files longer than 99 minutes.
bool CueSheet::ReadTime(string_view word, std::int64_t& frames) {
    const size_t first = word.find(':');
    const size_t second = first == string_view::npos ? first : word.find(':', first + 1);
    int minutes = 0, seconds = 0, frame = 0;
    const bool read =
        second != string_view::npos && ReadNumber(word.substr(0, first), 3, minutes) &&
        ReadNumber(word.substr(first + 1, second - first - 1), 2, seconds) &&
        ReadNumber(word.substr(second + 1), 2, frame) && seconds < 60 && frame < framesPerSecond;
    if (!read) {
        Refuse("bad time " + Quoted(word) + " (mm:ss:ff, seconds 0 to 59, frames 0 to 74)");
        return false;
    }
    frames = (std::int64_t(minutes) * 60 + seconds) * framesPerSecond + frame;
    return true;
}

// Strict: a track without INDEX 01 has no start.
void CueSheet::FinishTrack() {
    if (!Valid() || tracks.empty() || tracks.back().Find(1)) return;
    Refuse("track " + TwoDigits(tracks.back().number) + " has no INDEX 01", tracks.back().line);
}

// Strict: a file without an index would only lengthen the track before it by accident.
void CueSheet::FinishFile() {
    if (!Valid() || files.empty() || fileHoldsIndex) return;
    Refuse("FILE " + Quoted(files.back().name) + " holds no INDEX", files.back().line);
}

void CueSheet::Refuse(const std::string& what, int atLine) {
    if (!error.empty()) return;
    errorLine = atLine;
    const std::string where = atLine > 0 ? ", line " + std::to_string(atLine) : std::string();
    error = name + where + ": " + what;
}

bool CueSheet::Supported(FileType type) {
    return type == FileType::binary || type == FileType::motorola || type == FileType::wave ||
           type == FileType::flac;
}

bool CueSheet::IsData(TrackMode mode) {
    return mode != TrackMode::audio;
}

int CueSheet::SectorBytes(TrackMode mode) {
    switch (mode) {
    case TrackMode::mode1_2048: return 2048;
    case TrackMode::mode2_2336: return 2336;
    default: return 2352;
    }
}

const char* CueSheet::ModeName(TrackMode mode) {
    for (const ModeWord& known : modeWords) {
        if (known.mode == mode) return known.word;
    }
    return "AUDIO";
}

std::string CueSheet::TimeText(std::int64_t frames) {
    const std::int64_t seconds = frames / framesPerSecond;
    return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60) + ":" +
           TwoDigits(frames % framesPerSecond);
}
