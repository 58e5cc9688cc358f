#include "app/Utf8.h"

namespace {

constexpr char32_t replacement = 0xFFFD;

// The code point at text[i], moving i past it.
char32_t Decode(const std::string& text, size_t& i) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    const int tail = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (tail < 0 || lead >= 0xF5) return replacement;
    char32_t point = lead & (0x3F >> tail);
    for (int n = 0; n < tail; n++, i++) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return replacement;
        point = point << 6 | (byte(i) & 0x3F);
    }
    const char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (point < least[tail] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
        return replacement;
    return point;
}

void Encode(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | point >> 6);
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | point >> 12);
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | point >> 18);
        out += char(0x80 | (point >> 12 & 0x3F));
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

} // namespace

std::wstring Utf8::ToWide(const std::string& text) {
    std::wstring wide;
    for (size_t i = 0; i < text.size();) {
        char32_t point = Decode(text, i);
        if (point >= 0x10000) {
            point -= 0x10000;
            wide += wchar_t(0xD800 + (point >> 10));
            wide += wchar_t(0xDC00 + (point & 0x3FF));
        } else {
            wide += wchar_t(point);
        }
    }
    return wide;
}

std::string Utf8::FromWide(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        char32_t point = char32_t(text[i]) & 0xFFFF;
        const bool high = point >= 0xD800 && point < 0xDC00;
        if (high && i + 1 < text.size() && (text[i + 1] & 0xFC00) == 0xDC00)
            point = 0x10000 + ((point - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
        else if (point >= 0xD800 && point < 0xE000)
            point = replacement;
        Encode(point, out);
    }
    return out;
}

std::string Utf8::FromLatin1(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        Encode(c, out);
    return out;
}
