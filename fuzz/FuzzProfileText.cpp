// Profile files (lumivoxe.ini, cdplayer.ini, skin.ini): reading, values, and edits that
// must read back as written; the names of their temporary files.
#include "app/ProfileText.h"
#include "fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProfileText profile(Bytes(data, size));
    std::string value;
    for (const char* section : {"options", "skin", "4D2", ""})
        for (const char* key : {"drive", "name", "order", "1"})
            if (profile.Find(section, key, value)) ProfileText::CopyValue(value, 40);
    ProfileText::DecimalValue(Text(data, size).c_str());
    if (profile.Set("options", "drive", "D:") && !profile.Find("options", "drive", value))
        std::abort(); // a value that was set must be found again
    if (profile.Set("new section", "key", "a value") &&
        (!profile.Find("new section", "key", value) || value != "a value"))
        std::abort();
    // Names found in the files' folder: a name of ours must be told as ours again.
    unsigned long process = 0, again = 0;
    if (ProfileText::TemporaryOwner("lumivoxe.ini", Text(data, size), process) &&
        (!ProfileText::TemporaryOwner(
             "lumivoxe.ini", ProfileText::TemporaryName("lumivoxe.ini", process, 1), again) ||
         again != process))
        std::abort();
    return 0;
}
