// The real program started from the test: handing a track over to a running player, and
// starting as the player in a folder of its own, saving its settings there on close.
#include "disc/WaveFile.h"
#include "res/resource.h"
#include "support/ProgramRun.h"
#include "support/RenameCounter.h"
#include "support/SoundCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// What the search finds within five seconds: a window, or windows.
template <typename Find> auto WaitFor(Find find) {
    decltype(find()) found{};
    for (int i = 0; i < 200 && found == decltype(found){}; i++, Sleep(25))
        found = find();
    return found;
}

HWND ThePlayer() {
    return FindWindowA("LumivoxenCDPlayer", nullptr);
}

// wParam and lParam of each WM_COMMAND.
std::vector<std::pair<WPARAM, LPARAM>> received;

// The text of each WM_COPYDATA, and the answer it gets.
std::vector<std::string> copied;
LRESULT copyAnswer = TRUE;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) received.push_back({wParam, lParam});
    if (message == WM_COPYDATA) {
        auto data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        copied.push_back(std::to_string(data->dwData) + ":" +
                         std::string(static_cast<const char*>(data->lpData), data->cbData));
        return copyAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(HandOff, SendsOneCommandWithTheTrackInTheHighWordOrNothing) {
    WNDCLASSA windowClass = {0,       RecordingProc, 0,       0,       nullptr,
                             nullptr, nullptr,       nullptr, nullptr, "LumivoxenCDPlayer"};
    RegisterClassA(&windowClass);
    HWND player = CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    // Without arguments the player is asked to come to the front, with no command. A disc
    // image goes over whole, without the track request, its path made absolute for the
    // player's other folder.
    const std::string front = std::to_string(0x4C565846) + ":",
                      image = std::to_string(0x4C565844) + ":C:\\My Discs\\a.cue" + '\0';
    const struct {
        const char* arguments;
        int track; // 0: nothing is sent
        std::string copy;
    } cases[] = {{"/play D:\\Track05.cda", 5, ""},
                 {"", 0, front},
                 {"/play D:\\Track05", 0, ""},
                 {"/disc \"C:\\My Discs\\a.cue\" /play D:\\Track05.cda", 0, image}};
    for (auto& c : cases) {
        received.clear(), copied.clear();
        ProgramRun second(c.arguments);
        EXPECT_EQ(0u, second.WaitForExit(10000)) << c.arguments;
        EXPECT_EQ(0, second.windowsSeen) << c.arguments;
        decltype(received) expected;
        if (c.track) expected.push_back({WPARAM(c.track << 16 | IDC_HANDOFF_PLAY), 0});
        EXPECT_EQ(expected, received) << c.arguments;
        EXPECT_EQ(std::vector<std::string>(c.copy.empty() ? 0 : 1, c.copy), copied) << c.arguments;
    }
    DestroyWindow(player);
}

// The temporary file a process made while saving the file, by the name it gives them.
std::string TemporaryFile(const char* file, DWORD process) {
    char name[100];
    snprintf(name, sizeof name, "%s.%lx-1.tmp", file, process);
    return name;
}

// The program draws its skin at whole scales itself: the system must not stretch its windows.
// The platform reads the program's manifest as it does at a start.
TEST(StartUp, TheProgramAsksForEachMonitorsDpi) {
    const std::wstring program = Utf8::ToWide(BuiltFile("lumivoxen.exe"));
    ACTCTXW manifest = {};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = program.c_str();
    manifest.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&manifest);
    ASSERT_NE(INVALID_HANDLE_VALUE, context);
    const wchar_t* const settings[][2] = {
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"},
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"}};
    std::string read;
    for (const auto& setting : settings) {
        wchar_t value[64] = L"";
        SIZE_T length = 0;
        QueryActCtxSettingsW(0, context, setting[0], setting[1], value, 64, &length);
        read += Utf8::FromWide(value) + "|";
    }
    ReleaseActCtx(context);
    EXPECT_EQ("PerMonitorV2, PerMonitor|true/pm|", read);
}

// The player's own shown windows (message boxes among them) of the given class.
std::vector<HWND> WindowsOf(const ProgramRun& run, const char* className) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == run.info.dwProcessId && IsWindowVisible(w)) found.push_back(w);
    }
    return found;
}

// Everything a message box says, its buttons' captions among it.
std::string TextOf(HWND box) {
    std::string all;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[1000] = "";
        GetWindowTextA(child, text, sizeof text);
        all += std::string(text) + "\n";
    }
    return all;
}

// Started in a folder of its own on a broken image, it names the image in a message and then
// becomes the player; later starts bring it back from the tray and switch its image, and on
// close it saves its settings beside itself.
TEST(StartUp, BecomesThePlayerSwitchesImagesAndSavesSettingsBesideItselfOnClose) {
    TempFolder folder;
    const std::string program = folder.File("lumivoxen.exe");
    ASSERT_TRUE(CopyFileA(BuiltFile("lumivoxen.exe").c_str(), program.c_str(), FALSE));
    // Names are never asked online.
    folder.Write("lumivoxe.ini", "; kept\r\n[position]\r\nx=-271\r\ny=30\r\n[options]\r\n"
                                 "repeattrack=5\r\nminimizetotray=1\r\n[mine]\r\nkey=value\r\n"
                                 "[output]\r\nleft=20000\r\nright=-4\r\nmute=1\r\n"
                                 "[lookup]\r\nonline=0\r\n");
    folder.Write("bad.cue", "FILE \"a.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n  INDEX 01 00:99:00\r\n");
    folder.Write("a.bin", std::string(2352 * 75, '\0'));
    folder.Write("good.cue",
                 "FILE \"a.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    folder.Write("other\\one.wav", std::string("RIFF") + std::string(4, '\0'));
    // The image a second start hands over lies in a folder named in letters no code page has.
    const std::string music = folder.File("\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0");
    CreateDirectoryW(Utf8::ToWide(music).c_str(), nullptr);
    for (const char* name : {"good.cue", "a.bin"})
        CopyFileW(Utf8::ToWide(folder.File(name)).c_str(),
                  Utf8::ToWide(music + "\\" + name).c_str(), FALSE);
    // Saves killed half-way left these; which such files stay is the profile writer's test.
    ProgramRun ended("/c exit", "cmd.exe");
    ASSERT_EQ(0u, ended.WaitForExit(10000));
    const std::string leftovers[] = {TemporaryFile("lumivoxe.ini", ended.info.dwProcessId),
                                     TemporaryFile("cdplayer.ini", ended.info.dwProcessId)};
    for (const std::string& file : leftovers)
        folder.Write(file, "x");

    ProgramRun player("/disc \"" + folder.File("bad.cue") + "\"", program);
    std::vector<HWND> boxes = WaitFor([&] { return WindowsOf(player, "#32770"); });
    ASSERT_EQ(1u, boxes.size());
    std::string text = TextOf(boxes[0]);
    EXPECT_NE(std::string::npos, text.find("bad.cue")) << text;
    EXPECT_NE(std::string::npos, text.find("line 3")) << text;
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    HWND window = WaitFor(ThePlayer);
    ASSERT_TRUE(window) << "the player starts after the message";
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("Lumivoxen CD Player", title);
    // In the tray, a start without arguments brings it back.
    SendMessageA(window, WM_COMMAND, IDC_PLAYER_BUTTON + 10, 0); // the minimize button
    ASSERT_FALSE(IsWindowVisible(window));
    ProgramRun again("");
    EXPECT_EQ(0u, again.WaitForExit(10000));
    EXPECT_TRUE(IsWindowVisible(window));

    ProgramRun second("/disc \"" + music + "\\good.cue\"");
    EXPECT_EQ(0u, second.WaitForExit(10000));
    ProgramRun third("/disc \"" + folder.File("other") + "\""); // a broken WAVE file
    boxes = WaitFor([&] { return WindowsOf(player, "#32770"); });
    ASSERT_EQ(1u, boxes.size()) << "the running player tells why it keeps its disc";
    text = TextOf(boxes[0]);
    EXPECT_NE(std::string::npos, text.find("one.wav")) << text;
    EXPECT_EQ(0u, third.WaitForExit(10000)) << "the second start does not wait for the box";
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);

    RenameCounter replaces(folder.Path());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, player.WaitForExit(10000));
    EXPECT_EQ(1, replaces.Onto("lumivoxe.ini")) << "a kill leaves the old file or the new one";
    for (const std::string& file : leftovers)
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.File(file).c_str())) << file;
    const std::string saved = folder.Read("lumivoxe.ini");
    // An x left of -270 comes back on the screen at 50; the own output's volume went through
    // the virtual drive and back, a negative one as silence.
    for (const char* line : {"; kept", "key=value", "repeattrack=5", "introplaylen=15", "x=50",
                             "name=.", "left=20000", "right=0", "mute=1"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line;
    std::string stored = "discimage=utf8:";
    for (unsigned char c : music + "\\good.cue") {
        char escaped[4];
        snprintf(escaped, sizeof escaped, "%%%02X", c);
        stored += c >= 0x80 ? escaped : std::string(1, char(c));
    }
    EXPECT_NE(std::string::npos, saved.find(stored)) << saved;
}

// ---- Sound: the player on a disc image, heard through the test environment's device ----

// Wine's own sound thread, starved by a busy machine while its file device runs faster than
// real time, writes stretches of silence between samples (the player's side is checked by
// WaveOutput's count of underruns). Those whole silent samples, where the disc has sound, are
// taken out; every sample the player played must still be there, in order. `inserted`
// counts the samples taken out.
std::string WithoutInsertedSilence(const std::string& heard, const std::string& expected,
                                   size_t& inserted) {
    constexpr size_t bytes = 4; // one stereo 16-bit sample
    std::string played;
    for (size_t h = 0; h + bytes <= heard.size(); h += bytes) {
        const size_t e = played.size();
        const bool silent = heard.compare(h, bytes, std::string(bytes, '\0')) == 0;
        if (silent && e + bytes <= expected.size() && expected.compare(e, bytes, heard, h, bytes)) {
            inserted++;
            continue;
        }
        played.append(heard, h, bytes);
    }
    return played;
}

TEST(Sound, ThePlayerPlaysADiscImageThroughEveryTrackSampleForSample) {
    const std::string capture = SoundCaptureFile();
    if (capture.empty()) GTEST_SKIP() << "no capturing sound device here";
    TempFolder folder;
    const std::string program = folder.File("lumivoxen.exe");
    ASSERT_TRUE(CopyFileA(BuiltFile("lumivoxen.exe").c_str(), program.c_str(), FALSE));
    // Each track lasts seconds, far longer than a status tick may come late on a busy
    // machine, even on the test's device, which plays several times faster than real time.
    const std::string bin = Noise(700, 7), wave = Noise(300, 99);
    // Two tracks in one BIN file, the second with a pregap, and a third in a WAVE file.
    folder.Write("My Disc\\a.bin", bin);
    folder.Write("My Disc\\c.wav", CdWave(wave));
    folder.Write("My Disc\\disc.cue",
                 "PERFORMER \"Ana Lux\"\r\nTITLE \"Night Songs\"\r\nFILE \"a.bin\" BINARY\r\n"
                 "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                 "  TRACK 02 AUDIO\r\n    INDEX 00 00:04:00\r\n    INDEX 01 00:04:10\r\n"
                 "FILE c.wav WAVE\r\n  TRACK 03 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    // The disc plays to one frame before its end, as a drive stops. That FLAC files, seeks
    // into them among them, give the samples of their WAVE files is the disc-image test's.
    const std::string image = folder.File("My Disc\\disc.cue");
    const std::string expected = (bin + wave).substr(0, (700 + 300 - 1) * 2352);
    DeleteFileA(capture.c_str());
    ProgramRun player("/disc \"" + image + "\"", program);
    // Until every sample of the disc has been heard: the file's size alone would count the
    // host's inserted silence too.
    size_t inserted = 0;
    auto played = [&] {
        const std::string heard = CapturedSound();
        const size_t start = heard.find(expected.substr(0, 64));
        inserted = 0;
        return start == std::string::npos
                   ? std::string()
                   : WithoutInsertedSilence(heard.substr(start), expected, inserted);
    };
    for (int i = 0; i < 300 && played().size() < expected.size(); i++)
        Sleep(50);
    Sleep(500); // anything more would show as well
    HWND window = ThePlayer();
    ASSERT_TRUE(window);
    RenameCounter replaces(folder.Path());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, player.WaitForExit(10000));
    EXPECT_EQ(1, replaces.Onto("cdplayer.ini")) << "the disc's play order in one replace";
    EXPECT_NE(std::string::npos, folder.Read("lumivoxe.ini").find("discimage=" + image));
    EXPECT_EQ(std::string::npos, folder.Read("cdplayer.ini").find("Ana Lux"))
        << "the sheet's names are not written unasked";

    const std::string heard = CapturedSound();
    const size_t start = heard.find(expected.substr(0, 64));
    ASSERT_NE(std::string::npos, start) << heard.size() << " bytes heard";
    EXPECT_EQ(start, heard.find_first_not_of('\0')) << "nothing before the disc but silence";
    const std::string sound = played();
    EXPECT_TRUE(sound.compare(0, expected.size(), expected) == 0)
        << "heard " << sound.size() << " bytes of " << expected.size();
    EXPECT_EQ(std::string::npos, sound.find_first_not_of('\0', expected.size()))
        << "nothing after its end but the device's silence";
    EXPECT_LT(inserted, 44100u) << "the host's gaps add up to less than a second";
}

} // namespace
