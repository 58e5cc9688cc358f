#include "forms/ImageChooser.h"

#include "player/DiscDatabase.h"
#include "res/resource.h"

#include <algorithm>
#include <memory>

namespace {

std::string TableText(unsigned id) {
    char text[400] = "";
    LoadTableString(id, text, sizeof text);
    return text;
}

// The folder browser's own dialog needs a single-threaded apartment while it is open.
class ComApartment {
public:
    ComApartment() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result;
};

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

struct DropFinish {
    void operator()(HDROP__* drop) const { DragFinish(drop); }
};

} // namespace

BOOL(WINAPI* ImageChooser::getOpenFileName)(OPENFILENAMEA*) = GetOpenFileNameA;
PIDLIST_ABSOLUTE(WINAPI* ImageChooser::browseForFolder)(BROWSEINFOA*) = SHBrowseForFolderA;

std::string ImageChooser::AskFile(HWND owner) {
    std::string filter = TableText(IDS_OPEN_IMAGE_FILTER);
    std::replace(filter.begin(), filter.end(), '|', '\0');
    const std::string title = TableText(IDS_OPEN_IMAGE_TITLE);
    char path[MAX_PATH] = "";
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.lpstrTitle = title.c_str();
    // The current folder stays: a relative path from the command line means the start folder.
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return getOpenFileName(&request) ? path : "";
}

std::string ImageChooser::AskFolder(HWND owner) {
    ComApartment apartment;
    const std::string title = TableText(IDS_OPEN_FOLDER_TITLE);
    char name[MAX_PATH] = "";
    BROWSEINFOA request = {};
    request.hwndOwner = owner;
    request.pszDisplayName = name;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    std::unique_ptr<ITEMIDLIST, ItemListFree> chosen(browseForFolder(&request));
    char path[MAX_PATH] = "";
    if (!chosen || !SHGetPathFromIDListA(chosen.get(), path)) return "";
    return path;
}

std::string ImageChooser::FirstDropped(HDROP drop) {
    if (!drop) return "";
    std::unique_ptr<HDROP__, DropFinish> owned(drop);
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 0) return "";
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(drop, 0, &path[0], length + 1));
    return path;
}
