#include "forms/ImageChooser.h"

#include "app/CodePage.h"
#include "app/Utf8.h"
#include "player/DiscDatabase.h"
#include "res/resource.h"

#include <algorithm>
#include <memory>

namespace {

// File names come back wide, whatever their language, and go on in UTF-8.
std::wstring TableText(unsigned id) {
    char text[400] = "";
    LoadTableString(id, text, sizeof text);
    return Utf8::ToWide(CodePage::ToUtf8(text));
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

BOOL(WINAPI* ImageChooser::getOpenFileName)(OPENFILENAMEW*) = GetOpenFileNameW;
PIDLIST_ABSOLUTE(WINAPI* ImageChooser::browseForFolder)(BROWSEINFOW*) = SHBrowseForFolderW;

std::string ImageChooser::AskFile(HWND owner) {
    std::wstring filter = TableText(IDS_OPEN_IMAGE_FILTER);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    const std::wstring title = TableText(IDS_OPEN_IMAGE_TITLE);
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title.c_str();
    // The current folder stays: a relative path from the command line means the start folder.
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return getOpenFileName(&request) ? Utf8::FromWide(path) : "";
}

std::string ImageChooser::AskFolder(HWND owner) {
    ComApartment apartment;
    const std::wstring title = TableText(IDS_OPEN_FOLDER_TITLE);
    wchar_t name[MAX_PATH] = L"";
    BROWSEINFOW request = {};
    request.hwndOwner = owner;
    request.pszDisplayName = name;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    std::unique_ptr<ITEMIDLIST, ItemListFree> chosen(browseForFolder(&request));
    wchar_t path[MAX_PATH] = L"";
    if (!chosen || !SHGetPathFromIDListW(chosen.get(), path)) return "";
    return Utf8::FromWide(path);
}

std::string ImageChooser::FirstDropped(HDROP drop) {
    if (!drop) return "";
    std::unique_ptr<HDROP__, DropFinish> owned(drop);
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return "";
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, &path[0], length + 1));
    return Utf8::FromWide(path);
}
