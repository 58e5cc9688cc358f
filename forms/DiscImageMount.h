#pragma once

#include <windows.h>

#include <shellapi.h>

#include <deque>
#include <memory>
#include <string>

class DiscImage;

// Putting a disc image into the virtual drive: from "/disc PATH" at start, from a second
// start's hand-off, and from the image remembered in the settings. A disc that cannot be
// played is refused with a message naming the file (and the sheet's line), never half-used.
class DiscImageMount {
public:
    // WM_COPYDATA's dwData for a hand-off of "/disc PATH" to the running player.
    static constexpr ULONG_PTR handOffTag = 0x4C565844; // "LVXD"
    // Posted by the player to itself: the images handed over are mounted from the loop.
    static constexpr UINT mountMessage = WM_APP + 0x44;
    // A handed-over path is UTF-8: up to three bytes a letter of the longest path.
    static constexpr DWORD maxHandOffBytes = 3 * MAX_PATH + 1;

    // How a message reaches the user: a message box unless a test listens.
    static int (*showMessage)(HWND owner, const char* text, const char* caption);

    // The image at `path`, or null after telling the user why it cannot be played.
    static std::shared_ptr<const DiscImage> Load(HWND owner, const std::string& path);

    // At start, before the player reads a disc: the image named on the command line, else
    // the one remembered, else (on a machine without a CD drive) the demo disc.
    static void InsertAtStart(const std::string& commandLineImage, bool machineHasCdDrive);

    // While the player runs: the image goes in as a new disc, the player switches to the
    // virtual drive and plays it. False (and nothing changed) when it cannot be played.
    static bool MountAndPlay(HWND owner, const std::string& path);
    // Files dropped on a player window: the first one goes in as MountAndPlay puts it.
    static void MountDropped(HWND owner, HDROP drop);

    // Sends "/disc PATH" to a running player; its answer is whether it took the request.
    static bool HandOff(HWND player, const std::string& path);
    // The running player's side of it: the request is taken and answered at once, and the
    // image mounted after (mountMessage), so a second start never waits on a message box.
    static LRESULT OnCopyData(HWND owner, const COPYDATASTRUCT* data);
    static void MountHandedOver(HWND owner);

private:
    static std::deque<std::string> handedOver;
    static bool Insert(const std::shared_ptr<const DiscImage>& image, const std::string& path);
};
