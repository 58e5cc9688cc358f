// The profile reader and writer against the platform's own private-profile functions, on real
// files in a temporary folder.
#include "app/WIniKey.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

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
    "[n]\r\na= 42\r\nb=-7\r\nc=+3\r\nd=abc\r\ne=12abc\r\nf=\"5\"\r\nh=\t-0\r\nj=2147483647\r\n"};
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
};

TEST_F(IniFiles, ReadsWhatThePlatformReadsForEveryBufferSize) {
    for (const std::string& text : trickyFiles) {
        std::string path = Write(text);
        WIniKey ini(path.c_str());
        for (const char* section : sections)
            for (const char* key : keys) {
                SCOPED_TRACE(text + " / [" + section + "] " + key);
                for (int size : {400, 1, 2, 5}) {
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
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    FindClose(search);
}

} // namespace
