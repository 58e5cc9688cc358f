// The profile reader and writer against the platform's own private-profile functions, on real
// files in a temporary folder.
#include "app/WIniKey.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Lookup {
    const char* section;
    const char* key;
};

// Texts users' files contain, and the lookups whose answers could differ between readers.
struct Case {
    std::string text;
    std::vector<Lookup> lookups;
};

const std::vector<Case> trickyFiles = {
    {"[Options]\r\nDrive=E:\r\nSnapPixel = 12 \r\n",
     {{"options", "drive"}, {"OPTIONS", "DRIVE"}, {" options\t", " snappixel "}, {"x", "drive"}}},
    {"[q]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\n",
     {{"q", "a"}, {"q", "b"}, {"q", "c"}, {"q", "d"}, {"q", "e"}}},
    {"[q]\r\nf=\"in\"side\"\r\ng= \"spaced\" \r\nh=''x''\r\ni=x\"\r\n",
     {{"q", "f"}, {"q", "g"}, {"q", "h"}, {"q", "i"}}},
    {"; top\r\n[s]\r\n;k=1\r\nk2=v ; not a comment\r\n#k3=3\r\nk3=4\r\n",
     {{"s", ";k"}, {"s", "k"}, {"s", "k2"}, {"s", "#k3"}, {"s", "k3"}, {"", "; top"}}},
    {"[s]\r\nk=first\r\nK=second\r\n[S]\r\nk=third\r\nother=x\r\n[t]\r\nflag\r\nflag=1\r\n",
     {{"s", "k"}, {"s", "other"}, {"t", "flag"}}},
    {"[s]\nk=lf\n[t]\rk=cr\r[u]\r\n\r\n\r\nk=last", {{"s", "k"}, {"t", "k"}, {"u", "k"}}},
    {"[ spaced ]\r\nk=1\r\n[a]b]\r\nk=2\r\n[open\r\nk=3\r\n[x] tail\r\nk=4\r\n[]\r\nk=5\r\n",
     {{"spaced", "k"}, {"a]b", "k"}, {"a", "k"}, {"open", "k"}, {"x", "k"}, {"", "k"}}},
    {"k=head\r\n[s]\r\nk=v\r\n", {{"", "k"}, {"s", "k"}}},
    {"\t[s]\t\r\n \tk \t=\t v \t\r\n\x1a\r\nz=\x1a\r\n", {{"s", "k"}, {"s", "z"}}},
    {"[s]\r\nempty=\r\nblank=   \r\n=nameless\r\nk=a=b\r\n",
     {{"s", "empty"}, {"s", "blank"}, {"s", ""}, {"s", " "}, {"s", "k"}}},
    {"", {{"s", "k"}, {"", ""}}},
    {"\xEF\xBB\xBF[s]\r\nk=bom\r\n", {{"s", "k"}}},
    {"[s]\r\nk=" + std::string(300, 'v') + "\r\n", {{"s", "k"}}},
    {std::string("[s]\r\nk=ab\0cd\r\nn\0x=1\r\n", 22), {{"s", "k"}, {"s", "n"}}},
};

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
};

TEST_F(IniFiles, ReadsWhatThePlatformReadsForEveryBufferSize) {
    for (const Case& c : trickyFiles) {
        std::string path = Write(c.text);
        WIniKey ini(path.c_str());
        for (const Lookup& look : c.lookups) {
            for (int size : {1, 2, 3, 4, 5, 6, 8, 12, 100, 400}) {
                char ours[400], platform[400];
                memset(ours, '#', sizeof ours);
                memset(platform, '#', sizeof platform);
                int ourLength = ini.ReadString(look.section, look.key, ours, size);
                int platformLength = GetPrivateProfileStringA(look.section, look.key, "", platform,
                                                              size, path.c_str());
                SCOPED_TRACE(c.text + " / [" + look.section + "] " + look.key + " size " +
                             std::to_string(size));
                EXPECT_EQ(platformLength, ourLength);
                EXPECT_STREQ(platform, ours);
            }
        }
    }
}

TEST_F(IniFiles, ReadIntParsesLikeTheRuntime) {
    std::string path = Write("[n]\r\na= 42\r\nb=-7\r\nc=+3\r\nd=abc\r\ne=12abc\r\nf=\"5\"\r\n"
                             "g=0x10\r\nh=\t-0\r\ni=- 4\r\nj=2147483647\r\nk=-2147483648\r\n");
    WIniKey ini(path.c_str());
    for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}) {
        char text[100];
        GetPrivateProfileStringA("n", key, "", text, sizeof text, path.c_str());
        int value = 12345;
        EXPECT_EQ(1, ini.ReadInt("n", key, &value)) << key;
        EXPECT_EQ(atoi(text), value) << key;
    }
    // Absent, empty or unnamed values leave the caller's value alone.
    int value = 12345;
    char buffer[10] = "junk";
    EXPECT_EQ(0, WIniKey(Write("[n]\r\ne=\r\n").c_str()).ReadInt("n", "e", &value));
    EXPECT_EQ(0, ini.ReadInt("n", nullptr, &value));
    EXPECT_EQ(0, WIniKey(folder.File("none.ini").c_str()).ReadInt("n", "a", &value));
    EXPECT_EQ(12345, value);
    EXPECT_EQ(0, ini.ReadString(nullptr, "a", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

// The same writes through both writers must leave files that list the same keys, in the
// same order, with the same values.
TEST_F(IniFiles, WritesPlaceKeysWhereThePlatformDoes) {
    const std::string texts[] = {
        "; settings\r\n[options]\r\nDrive = E:\r\nsnap=1\r\n\r\n[skin]\r\nname=x\r\n",
        "[a]\nk=1\n[A]\nk=2",
        "head=1\r\n\r\n[options]\r\nflag\r\n",
        "",
    };
    const char* writes[][3] = {{"options", "drive", "D:"},
                               {"OPTIONS", "newkey", "  lead"},
                               {"skin", "name", "\"q\""},
                               {"new section", "k", "v"},
                               {"a", "k", "3"},
                               {"a", "j", "4"},
                               {"options", "flag", "1"},
                               {"", "top", "t"}};
    for (const std::string& text : texts) {
        std::string ourPath = Write(text), platformPath = Write(text);
        WIniKey ini(ourPath.c_str());
        for (auto& w : writes) {
            EXPECT_EQ(WritePrivateProfileStringA(w[0], w[1], w[2], platformPath.c_str()) ? 1 : 0,
                      ini.WriteString(w[0], w[1], w[2]));
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, platformPath.c_str()); // flush
        for (const char* section : {"", "options", "skin", "new section", "a"}) {
            char ours[1000] = "", platform[1000] = "";
            GetPrivateProfileSectionA(section, ours, sizeof ours, ourPath.c_str());
            GetPrivateProfileSectionA(section, platform, sizeof platform, platformPath.c_str());
            SCOPED_TRACE(text + " / section " + section);
            EXPECT_EQ(0, memcmp(ours, platform, sizeof ours));
        }
    }
}

TEST_F(IniFiles, WritingChangesOnlyTheLineOfTheKey) {
    const std::string original = "; keep me\r\n[options]\r\n  Drive = E: ; old\r\n"
                                 "# odd=line\r\n\r\n[skin]\n\tname=x\n[other]\r\nz=1";
    std::string path = Write(original);
    WIniKey ini(path.c_str());
    EXPECT_EQ(1, ini.WriteString("options", "drive", "D:"));
    std::string expected = original;
    expected.replace(expected.find("E: ; old"), 8, "D:");
    EXPECT_EQ(expected, folder.Read("f1.ini"));
    EXPECT_EQ(1, ini.WriteInt("other", "y", -5));
    EXPECT_EQ(expected + "\r\ny=-5", folder.Read("f1.ini"));
    EXPECT_EQ(1, ini.WriteString("skin", "name", "x")); // unchanged value
    EXPECT_EQ(expected + "\r\ny=-5", folder.Read("f1.ini"));
    EXPECT_EQ(0, ini.WriteString("options", "bad\r\nkey", "v"));
    EXPECT_EQ(0, ini.WriteString("options", "a=b", "v"));
    EXPECT_EQ(1, ini.WriteString("options", "multi", "line1\r\nline2"));
    char value[40];
    ini.ReadString("options", "multi", value, sizeof value);
    EXPECT_STREQ("line1  line2", value);
}

TEST_F(IniFiles, FailedWritesLeaveTheFileAsItWas) {
    const std::string original = "[s]\r\nk=old\r\n";
    EXPECT_EQ(0, WIniKey(folder.File("missing\\x.ini").c_str()).WriteString("s", "k", "v"));
    EXPECT_FALSE(folder.Exists("missing"));

    std::string path = Write(original);
    WIniKey ini(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, ini.WriteString("s", "k", "new"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(original, folder.Read("f1.ini"));

    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    EXPECT_EQ(0, ini.WriteString("s", "k", "new"));
    CloseHandle(locked);
    EXPECT_EQ(original, folder.Read("f1.ini"));

    // Nothing is left behind, and a write that can go ahead still does.
    EXPECT_EQ(1, ini.WriteString("s", "k", "new"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ("[s]\r\nk=new\r\n", folder.Read("f1.ini"));
}

} // namespace
