// The profile reader and writer against the platform's own private-profile functions, on real
// files in a temporary folder.
#include "app/WIniKey.h"

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// UTF-16 as a text editor saves it. Little-endian bytes of an ASCII-and-Latin-1 text, with
// the byte-order mark; big-endian when asked.
std::string Utf16(const std::wstring& text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        char low = char(c & 0xFF), high = char((c >> 8) & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Texts users' files contain; every file is read at every section and key below, as text
// and as a number.
const std::string trickyFiles[] = {
    "[s]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\nf=\"in\"side\"\r\n"
    "g= \"spaced\" \r\nh=''x''\r\n; top\r\n;k=1\r\nk2=v ; not a comment\r\n#k3=3\r\nk3=4\r\n",
    "k=head\r\n[s]\r\nk=first\r\nK=second\r\n[S]\r\nk=third\r\n[t]\r\nflag\r\n"
    "flag=1\r\nk=a=b\r\nempty=\r\nblank=   \r\n=nameless\r\n",
    "[s]\nk=lf\n[t]\rk=cr\r[u]\r\n\r\n\r\nk=last",
    "[ spaced ]\r\nk=1\r\n[a]b]\r\nk=2\r\n[open\r\nk=3\r\n[x] tail\r\nk=4\r\n[]\r\nk=5\r\n",
    "\xEF\xBB\xBF\t[s]\t\r\n \tk \t=\t v \t\r\n\x1a\r\nz=\x1a\r\n",
    std::string("[s]\r\nk=ab\0cd\r\nn\0x=1\r\n", 22),
    "[n]\r\na= 42\r\nb=-7\r\nc=+3\r\nd=abc\r\ne=12abc\r\nf=\"5\"\r\nh=\t-0\r\nj=2147483647\r\n",
    Utf16(L"[s]\r\nk=Caf\u00e9 Noir\r\na=\u0417\u0438\u043c\u0430\r\n[n]\r\nb=1\r\n")};
const char* const sections[] = {"s",      "S",   " s\t", "",     "t", "u",
                                "spaced", "a]b", "a",    "open", "x", "n"};
const char* const keys[] = {"k",  "K",  " k ", "a",  "b",    "c",     "d",     "e", "f", "g", "h",
                            ";k", "k2", "#k3", "k3", "flag", "empty", "blank", "",  "j", "n", "z"};

class IniFiles : public ::testing::Test {
protected:
    TempFolder folder;
    int fileCount = 0;

    // A fresh name each time: the platform caches profiles by name.
    std::string Write(const std::string& text) {
        std::string name = "f" + std::to_string(++fileCount) + ".ini";
        folder.Write(name, text);
        return folder.File(name);
    }
    std::string LastFile() const { return folder.Read("f" + std::to_string(fileCount) + ".ini"); }
    bool AnyFile(const std::string& pattern) const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folder.File(pattern).c_str(), &found);
        FindClose(search);
        return search != INVALID_HANDLE_VALUE;
    }
};

TEST_F(IniFiles, ReadsWhatThePlatformReadsForEveryBufferSize) {
    for (const std::string& text : trickyFiles) {
        std::string path = Write(text);
        WIniKey ini(path.c_str());
        for (const char* section : sections)
            for (const char* key : keys) {
                SCOPED_TRACE(text + " / [" + section + "] " + key);
                for (int size : {400, 1, 5}) {
                    std::string ours(400, '#'), platform(400, '#');
                    int length = GetPrivateProfileStringA(section, key, "", &platform[0], size,
                                                          path.c_str());
                    ASSERT_EQ(length, ini.ReadString(section, key, &ours[0], size)) << size;
                    ASSERT_STREQ(platform.c_str(), ours.c_str()) << "size " << size;
                    int value = 12345, found = size == 400 && ini.ReadInt(section, key, &value);
                    ASSERT_EQ(size == 400 && length > 0, found);
                    ASSERT_EQ(found ? atoi(platform.c_str()) : 12345, value);
                }
            }
    }
}

// The same writes through both writers must leave files that list the same keys, in the
// same order, with the same values; lines not written keep their bytes.
TEST_F(IniFiles, WritesPlaceKeysWhereThePlatformDoesAndKeepOtherLines) {
    const std::string texts[] = {
        "head=1\r\n; settings\r\n[options]\r\nflag\r\n  Drive = E: ; old\r\n# odd=line\r\n\r\n"
        "[skin]\nname=x\n",
        "[a]\nk=1\n[A]\nk=2"};
    const char* writes[] = {
        "options", "drive",       "D:",      "OPTIONS", "newkey", "  lead", "skin", "name",
        "\"q\"",   "new section", "k",       "v",       "a",      "k",      "3",    "a",
        "j",       "4",           "options", "flag",    "1",      "",       "top",  "t"};
    for (const std::string& text : texts) {
        std::string ourPath = Write(text), platformPath = Write(text);
        WIniKey ini(ourPath.c_str());
        for (const char** w = writes; w < std::end(writes); w += 3)
            EXPECT_EQ(WritePrivateProfileStringA(w[0], w[1], w[2], platformPath.c_str()) ? 1 : 0,
                      ini.WriteString(w[0], w[1], w[2]));
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, platformPath.c_str()); // flush
        for (const char* section : {"", "options", "skin", "new section", "a"}) {
            char ours[1000] = "", platform[1000] = "";
            GetPrivateProfileSectionA(section, ours, sizeof ours, ourPath.c_str());
            GetPrivateProfileSectionA(section, platform, sizeof platform, platformPath.c_str());
            EXPECT_EQ(0, memcmp(ours, platform, sizeof ours)) << text << " / " << section;
        }
    }
    for (const char* line :
         {"; settings\r\n", "  Drive = D:\r\n", "# odd=line\r\n", "\nname=\"q\"\n"})
        EXPECT_NE(std::string::npos, folder.Read("f1.ini").find(line)) << line;
}

TEST_F(IniFiles, FailedWritesLeaveTheFileAsItWasAndNothingBehind) {
    EXPECT_EQ(0, WIniKey(folder.File("missing\\x.ini").c_str()).WriteString("s", "k", "v"));
    const std::string original = "[s]\r\nk=old\r\n", path = Write(original);
    WIniKey ini(path.c_str());
    EXPECT_EQ(0, ini.WriteString("s", "bad\r\nkey", "v")); // would break the file's lines
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, ini.WriteString("s", "k", "new"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(original, folder.Read("f1.ini"));

    EXPECT_EQ(1, ini.WriteString("s", "k", "new\r\nline"));
    EXPECT_EQ("[s]\r\nk=new  line\r\n", folder.Read("f1.ini"));
    EXPECT_FALSE(AnyFile("*.tmp"));
}

// Until the outermost batch ends the file stays as it was, and reads see the batch's values;
// then it is written whole, or not at all when that fails.
TEST_F(IniFiles, ABatchWritesAllItsChangesAtItsEndOrNone) {
    const std::string original = "[s]\r\nk=old\r\n";
    const struct {
        bool readOnlyHalfWay;
        std::string saved, k;
    } cases[] = {{false, "[s]\r\nk=new\r\nj=2\r\n[t]\r\nm=3\r\n", "new"}, {true, original, "old"}};
    for (const auto& c : cases) {
        const std::string path = Write(original);
        WIniKey ini(path.c_str());
        char value[10] = "";
        {
            WIniKey::Batch outer(&ini);
            EXPECT_EQ(1, ini.WriteString("s", "k", "new"));
            {
                WIniKey::Batch inner(&ini);
                EXPECT_EQ(1, ini.WriteInt("s", "j", 2));
            }
            if (c.readOnlyHalfWay) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
            EXPECT_EQ(1, ini.WriteString("t", "m", "3"));
            ini.ReadString("s", "k", value, sizeof value);
            EXPECT_STREQ("new", value);
            EXPECT_EQ(original, LastFile());
        }
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(c.saved, LastFile());
        ini.ReadString("s", "k", value, sizeof value);
        EXPECT_EQ(c.k, value) << "a failed batch's values are dropped";
    }
    EXPECT_FALSE(AnyFile("*.tmp"));
}

// What a killed save leaves goes; a running process's temporary file may still be renamed.
TEST_F(IniFiles, OnlyTemporaryFilesOfTheFileThatEndedProcessesLeftAreRemoved) {
    ProgramRun ended("/c exit", "cmd.exe"); // its handle, held, keeps its id from others
    ended.WaitForExit(10000);
    auto temporary = [](const char* file, DWORD process, unsigned n) {
        char name[100];
        snprintf(name, sizeof name, "%s.%lx-%x.tmp", file, process, n);
        return std::string(name);
    };
    const DWORD gone = ended.info.dwProcessId, running = GetCurrentProcessId();
    const struct {
        std::string name;
        bool stays;
    } files[] = {{temporary("a.ini", gone, 1), false},
                 {temporary("A.INI", gone, 0x1f), false},
                 {temporary("a.ini", running, 2), true},
                 {temporary("b.ini", gone, 1), true},
                 {temporary("a.ini.x", gone, 1), true},
                 {temporary("a.ini", gone, 1) + "~", true},
                 {"a.ini.tmp", true},
                 {"a.ini.1-.tmp", true},
                 {"a.ini", true}};
    for (const auto& file : files)
        folder.Write(file.name, "x");
    ASSERT_NE(0u, gone);
    WIniKey(folder.File("a.ini").c_str()).RemoveStaleTemporaries();
    for (const auto& file : files)
        EXPECT_EQ(file.stays, AnyFile(file.name)) << file.name;
}

// How such files read is the platform comparison's above.
TEST_F(IniFiles, Utf16FilesStayUtf16) {
    // A Cyrillic title that the ANSI code page cannot show must survive other keys' writes.
    const std::wstring text =
        L"[disc]\r\nartist=Caf\u00e9 Noir\r\ntitle=\u0417\u0438\u043c\u0430\r\n"
        L"[options]\r\nplayonstart=1\r\n";
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string path = Write(Utf16(text, bigEndian));
        WIniKey ini(path.c_str());
        char ours[100] = "";
        ini.ReadString("disc", "artist", ours, sizeof ours);
        if (GetACP() == 1252) {
            EXPECT_STREQ("Caf\xE9 Noir", ours);
        }

        ASSERT_EQ(1, ini.WriteString("options", "drive", "E:"));
        ASSERT_EQ(1, ini.WriteString("disc", "artist",
                                     (std::string("Caf") + ours[3] + " Blanc").c_str()));
        const std::wstring expected =
            L"[disc]\r\nartist=Caf\u00e9 Blanc\r\ntitle=\u0417\u0438\u043c\u0430\r\n"
            L"[options]\r\nplayonstart=1\r\ndrive=E:\r\n";
        EXPECT_EQ(Utf16(expected, bigEndian), LastFile());
    }
}

TEST_F(IniFiles, AWriteNeverTurnsTheFileIntoAnotherEncoding) {
    const std::string boms[] = {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    for (const std::string& start : {std::string(), std::string("\r\n[s]\r\nk=1\r\n")}) {
        for (const std::string& bom : boms) {
            const std::string path = Write(start);
            WIniKey ini(path.c_str());
            // A key of the nameless head would go to the very start of the file.
            EXPECT_EQ(0, ini.WriteString("", (bom + "key").c_str(), "v"));
            EXPECT_EQ(start, LastFile());
            char value[10] = "";
            EXPECT_EQ(start.empty() ? 0 : 1, ini.ReadString("s", "k", value, sizeof value));
        }
    }
    // Elsewhere such a name cannot change how the file starts, and is written.
    EXPECT_EQ(1,
              WIniKey(Write("[s]\r\n").c_str()).WriteString("s", (boms[0] + "key").c_str(), "v"));
}

// Reads reuse the parsed file only while it is the same file: a change by anyone is seen.
TEST_F(IniFiles, ReadsSeeEveryChangeMadeBehindTheirBack) {
    const std::string path = Write("[s]\r\nk=one\r\n"),
                      name = "f" + std::to_string(fileCount) + ".ini";
    WIniKey ini(path.c_str());
    char value[20] = "";
    ini.ReadString("s", "k", value, sizeof value);
    EXPECT_STREQ("one", value);
    folder.Write(name, "[s]\r\nk=two\r\n"); // same size, rewritten in place
    ini.ReadString("s", "k", value, sizeof value);
    EXPECT_STREQ("two", value);
    DeleteFileA(path.c_str());
    EXPECT_EQ(0, ini.ReadString("s", "k", value, sizeof value));
    // Its own writes are read back without a stale copy in between.
    EXPECT_EQ(1, ini.WriteString("s", "k", "four"));
    EXPECT_EQ(1, ini.WriteString("s", "j", "five"));
    EXPECT_EQ("[s]\r\nk=four\r\nj=five\r\n", LastFile());
}

// A program folder too long for a path must not lead to a shorter path: another file.
TEST_F(IniFiles, APathThatDoesNotFitReadsAndWritesNothing) {
    const std::string base = folder.File("");
    const std::string longFolder = base + std::string(MAX_PATH - base.size() - 6, 'x');
    const std::string cutPath = (longFolder + "\\lumivoxe.ini").substr(0, MAX_PATH - 1);
    std::unique_ptr<WIniKey> ini(WIniKey::InFolder(longFolder.c_str(), "lumivoxe.ini"));
    EXPECT_FALSE(ini->Usable());
    char value[10] = "";
    EXPECT_EQ(0, ini->WriteString("s", "k", "v") + ini->ReadString("s", "k", value, 10));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(cutPath.c_str()));
    std::unique_ptr<WIniKey> noFolder(WIniKey::InFolder("", "lumivoxe.ini"));
    EXPECT_EQ(0, noFolder->WriteString("s", "k", "v"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("\\lumivoxe.ini"));
    std::unique_ptr<WIniKey> fits(WIniKey::InFolder(folder.Path().c_str(), "a.ini"));
    EXPECT_EQ(1, fits->WriteString("s", "k", "v"));
}

} // namespace
