#include "app/CodePage.h"

#include "app/Utf8.h"

#include <windows.h>

std::string CodePage::ToUtf8(const std::string& ansi) {
    if (ansi.empty()) return ansi;
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), &wide[0], length);
    return Utf8::FromWide(wide);
}

std::string CodePage::FromUtf8(const std::string& utf8) {
    const std::wstring wide = Utf8::ToWide(utf8);
    if (wide.empty()) return std::string();
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &ansi[0], length, nullptr,
                        nullptr);
    return ansi;
}

bool CodePage::Holds(const std::string& utf8) {
    return ToUtf8(FromUtf8(utf8)) == utf8;
}
