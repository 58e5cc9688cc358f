#include "forms/DiscImageMount.h"

#include "app/CodePage.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/Utf8.h"
#include "disc/DiscImage.h"
#include "forms/ImageChooser.h"
#include "player/DiscDatabase.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "vdrive/VirtualCdDrive.h"

#include <vector>

namespace {

// Relative paths and "." come from a command line in some folder: the settings keep the
// whole path so the next start finds the image from anywhere.
std::string FullPath(const std::string& path) {
    const std::wstring wide = Utf8::ToWide(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, &full[0], nullptr));
    std::string result = Utf8::FromWide(full);
    while (result.size() > 3 && (result.back() == '\\' || result.back() == '/'))
        result.pop_back();
    return result;
}

// The reasons name files in UTF-8: shown in wide text, every name reads as it is.
int ShowMessageBox(HWND owner, const char* text, const char* caption) {
    return MessageBoxW(owner, Utf8::ToWide(text).c_str(), Utf8::ToWide(caption).c_str(),
                       MB_OK | MB_ICONWARNING);
}

// A garbage sheet's bytes are shown, never obeyed: no control characters, no endless line.
std::string Printable(std::string text) {
    const size_t longest = 1000;
    if (text.size() > longest) text = text.substr(0, longest) + "...";
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

void TellCannotPlay(HWND owner, unsigned textId, const std::string& why) {
    const std::string reason = Printable(why);
    char format[300], caption[100];
    LoadTableString(textId, format, sizeof format);
    LoadTableString(IDS_IMAGE_CAPTION, caption, sizeof caption);
    std::vector<char> text(sizeof format + reason.size());
    snprintf(text.data(), text.size(), CodePage::ToUtf8(format).c_str(), reason.c_str());
    DiscImageMount::showMessage(owner, text.data(), CodePage::ToUtf8(caption).c_str());
}

// The displays and the disc database hold names in the code page.
DiscNames InCodePage(const DiscNames& names) {
    DiscNames ansi = names;
    ansi.artist = CodePage::FromUtf8(names.artist);
    ansi.album = CodePage::FromUtf8(names.album);
    for (std::string& track : ansi.tracks)
        track = CodePage::FromUtf8(track);
    return ansi;
}

} // namespace

int (*DiscImageMount::showMessage)(HWND, const char*, const char*) = ShowMessageBox;
std::deque<std::string> DiscImageMount::handedOver;

std::shared_ptr<const DiscImage> DiscImageMount::Load(HWND owner, const std::string& path) {
    auto image = std::make_shared<const DiscImage>(FullPath(path));
    if (image->Valid()) return image;
    settings.recentImages.Remove(FullPath(path)); // an image that cannot play is not offered again
    TellCannotPlay(owner, IDS_IMAGE_FAILED, image->Error());
    return nullptr;
}

bool DiscImageMount::Insert(const std::shared_ptr<const DiscImage>& image,
                            const std::string& path) {
    if (!virtualDrive || !image) return false;
    const VirtualDisc disc = VirtualDisc::FromImage(image);
    virtualDrive->Insert(disc);
    if (playbackEngine)
        playbackEngine->SetFallbackNames(virtualDrive->DiscId(), InCodePage(disc.names));
    lstrcpynA(settings.discImage, FullPath(path).c_str(), sizeof settings.discImage);
    settings.recentImages.Add(FullPath(path));
    return true;
}

void DiscImageMount::InsertAtStart(const std::string& commandLineImage, bool machineHasCdDrive) {
    if (!virtualDrive) return;
    if (!commandLineImage.empty()) {
        if (Insert(Load(nullptr, commandLineImage), commandLineImage)) {
            snprintf(settings.drive, sizeof settings.drive, "%c:", virtualDrive->Letter());
            playRequest.flag = 1;
            return;
        }
    }
    if (settings.discImage[0]) {
        const std::string remembered = settings.discImage;
        auto image = std::make_shared<const DiscImage>(remembered);
        if (image->Valid()) {
            Insert(image, remembered);
            return;
        }
        // Moved or deleted since: said once, then forgotten.
        settings.recentImages.Remove(remembered);
        TellCannotPlay(nullptr, machineHasCdDrive ? IDS_IMAGE_GONE : IDS_IMAGE_GONE_DEMO,
                       image->Error());
        settings.discImage[0] = '\0';
    }
    if (!machineHasCdDrive) virtualDrive->Insert(VirtualDisc::Demo());
}

bool DiscImageMount::MountAndPlay(HWND owner, const std::string& path) {
    std::shared_ptr<const DiscImage> image = Load(owner, path);
    if (!image || !virtualDrive) return false;
    const char drive[3] = {virtualDrive->Letter(), ':', '\0'};
    Insert(image, path);
    playRequest.flag = 1;
    playRequest.track = 0;
    if (playbackEngine) playbackEngine->ChangeDisc(drive);
    return true;
}

void DiscImageMount::MountDropped(HWND owner, HDROP drop) {
    const std::string path = ImageChooser::FirstDropped(drop);
    if (!path.empty()) MountAndPlay(owner, path);
}

bool DiscImageMount::HandOff(HWND player, const std::string& path) {
    const std::string full = FullPath(path); // the running player has another folder
    COPYDATASTRUCT data = {};
    data.dwData = handOffTag;
    data.cbData = DWORD(full.size() + 1);
    data.lpData = const_cast<char*>(full.c_str());
    return SendMessageA(player, WM_COPYDATA, 0, LPARAM(&data)) == TRUE;
}

LRESULT DiscImageMount::OnCopyData(HWND owner, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != handOffTag || !data->lpData || data->cbData == 0 ||
        data->cbData > maxHandOffBytes)
        return FALSE;
    const char* text = static_cast<const char*>(data->lpData);
    handedOver.emplace_back(text, strnlen(text, data->cbData));
    PostMessageA(owner, mountMessage, 0, 0);
    return TRUE;
}

void DiscImageMount::MountHandedOver(HWND owner) {
    if (handedOver.empty()) return;
    const std::string path = handedOver.front();
    handedOver.pop_front();
    MountAndPlay(owner, path);
}
