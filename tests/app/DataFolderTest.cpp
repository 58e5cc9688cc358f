#include "app/DataFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A program folder that refuses writes, as "Program Files" does to a user.
bool OnlyTheOwnFolder(const std::string& folder) {
    return folder.find("\\Lumivoxen") != std::string::npos;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(DataFolder, BesideTheProgramWhenItMayWriteThere) {
    TempFolder program, appData;
    EXPECT_TRUE(DataFolder::CanWriteIn(program.Path()));
    EXPECT_EQ(program.Path(), DataFolder::Choose(program.Path(), appData.Path()));
    EXPECT_FALSE(Exists(appData.File("Lumivoxen"))) << "nothing made where it is not used";
    EXPECT_FALSE(Exists(program.File("lumivoxen-write-test.tmp"))) << "the probe is gone";
    EXPECT_FALSE(DataFolder::CanWriteIn("C:\\no such folder\\below"));
}

// A read-only program folder ("Program Files"): the user's own folder, with the files that
// stood beside the program carried over once and never over newer ones.
TEST(DataFolder, UnderTheUsersApplicationDataWhenTheProgramFolderIsReadOnly) {
    TempFolder program, appData;
    program.Write("lumivoxe.ini", "[options]\r\nrepeattrack=1\r\n");
    program.Write("cdplayer.ini", "[4D2]\r\nartist=Old\r\n");
    CreateDirectoryA(appData.File("Lumivoxen").c_str(), nullptr);
    appData.Write("Lumivoxen\\cdplayer.ini", "[4D2]\r\nartist=Newer\r\n");

    EXPECT_EQ(appData.File("Lumivoxen"),
              DataFolder::Choose(program.Path(), appData.Path(), OnlyTheOwnFolder));
    EXPECT_EQ("[options]\r\nrepeattrack=1\r\n", appData.Read("Lumivoxen\\lumivoxe.ini"));
    EXPECT_EQ("[4D2]\r\nartist=Newer\r\n", appData.Read("Lumivoxen\\cdplayer.ini"));
    EXPECT_EQ(program.Path(), DataFolder::Choose(program.Path(), "", OnlyTheOwnFolder))
        << "no better place";
}

} // namespace
