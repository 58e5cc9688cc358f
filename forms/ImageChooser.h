#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

// Where the user picks a disc image: the standard open dialog for a file, the folder browser
// for a folder of WAVE files, or files dropped on a window. Each gives one full path, empty
// when the user cancelled.
class ImageChooser {
public:
    // The platform's modal dialogs, which a test replaces to answer them.
    static BOOL(WINAPI* getOpenFileName)(OPENFILENAMEW* request);
    static PIDLIST_ABSOLUTE(WINAPI* browseForFolder)(BROWSEINFOW* request);

    static std::string AskFile(HWND owner);
    static std::string AskFolder(HWND owner);
    // The first of the files dropped; the drop's memory is given back.
    static std::string FirstDropped(HDROP drop);
};
