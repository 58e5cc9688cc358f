#include "support/SoundCapture.h"

#include <windows.h>

#include <fstream>
#include <iterator>

std::string SoundCaptureFile() {
    char dir[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("LVX_SOUND_DIR", dir, sizeof dir)) return "";
    std::string path = std::string("Z:") + dir + "/out.raw"; // Wine's drive for the root
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string CapturedSound() {
    std::ifstream file(SoundCaptureFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
