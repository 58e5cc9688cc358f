#include "lookup/Json.h"

#include <cstdlib>

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : text(text) {}

    bool Document(Json& value) {
        if (!Value(value, 0)) return false;
        SkipBlanks();
        return at == text.size();
    }

private:
    void SkipBlanks() {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
            at++;
    }
    bool Take(char c) {
        SkipBlanks();
        if (at >= text.size() || text[at] != c) return false;
        at++;
        return true;
    }
    bool Word(const char* word) {
        for (const char* c = word; *c; c++, at++)
            if (at >= text.size() || text[at] != *c) return false;
        return true;
    }

    bool Value(Json& value, int depth) {
        if (depth > Json::maxDepth) return false;
        SkipBlanks();
        if (at >= text.size()) return false;
        switch (text[at]) {
        case '{': return Object(value, depth);
        case '[': return Array(value, depth);
        case '"': value.kind = Json::Kind::string; return String(value.text);
        case 't': value.kind = Json::Kind::boolean, value.boolean = true; return Word("true");
        case 'f': value.kind = Json::Kind::boolean; return Word("false");
        case 'n': return Word("null");
        default: return Number(value);
        }
    }

    bool Object(Json& value, int depth) {
        value.kind = Json::Kind::object;
        at++;
        if (Take('}')) return true;
        do {
            std::string name;
            Json member;
            SkipBlanks();
            if (at >= text.size() || text[at] != '"' || !String(name) || !Take(':') ||
                !Value(member, depth + 1))
                return false;
            value.members.emplace_back(std::move(name), std::move(member));
        } while (Take(','));
        return Take('}');
    }

    bool Array(Json& value, int depth) {
        value.kind = Json::Kind::array;
        at++;
        if (Take(']')) return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    bool Digits() {
        const size_t first = at;
        while (at < text.size() && IsDigit(text[at]))
            at++;
        return at > first;
    }

    bool Number(Json& value) {
        const size_t first = at;
        if (text[at] == '-') at++;
        if (at < text.size() && text[at] == '0')
            at++;
        else if (!Digits())
            return false;
        if (at < text.size() && text[at] == '.' && (++at, !Digits())) return false;
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            at++;
            if (at < text.size() && (text[at] == '+' || text[at] == '-')) at++;
            if (!Digits()) return false;
        }
        value.kind = Json::Kind::number;
        value.text = text.substr(first, at - first);
        return true;
    }

    bool Hex4(unsigned& code) {
        if (text.size() - at < 4) return false;
        code = 0;
        for (int i = 0; i < 4; i++, at++) {
            const char c = text[at];
            const int digit = IsDigit(c)              ? c - '0'
                              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
            if (digit < 0) return false;
            code = code * 16 + unsigned(digit);
        }
        return true;
    }

    static void PutUtf8(unsigned code, std::string& out) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6)), out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12)), out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18)), out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F)), out += char(0x80 | (code & 0x3F));
        }
    }

    // \\u escapes of UTF-16: a pair of surrogates is one character; a lone one is refused.
    bool Escape(std::string& out) {
        if (at >= text.size()) return false;
        const char c = text[at++];
        const char* simple = "\"\"\\\\//b\bf\fn\nr\rt\t";
        for (const char* s = simple; *s; s += 2)
            if (c == s[0]) return out += s[1], true;
        unsigned code = 0;
        if (c != 'u' || !Hex4(code)) return false;
        if (code >= 0xDC00 && code <= 0xDFFF) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        PutUtf8(code, out);
        return true;
    }

    bool String(std::string& out) {
        at++; // the opening quote
        while (at < text.size()) {
            const char c = text[at++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\')
                out += c;
            else if (!Escape(out))
                return false;
        }
        return false;
    }

    const std::string& text;
    size_t at = 0;
};

const Json& Missing() {
    static const Json none;
    return none;
}

} // namespace

std::unique_ptr<Json> Json::Parse(const std::string& text) {
    auto value = std::make_unique<Json>();
    if (!Reader(text).Document(*value)) return nullptr;
    return value;
}

const Json& Json::operator[](const std::string& name) const {
    for (const auto& [key, member] : members)
        if (key == name) return member;
    return Missing();
}

std::string Json::String(const std::string& name) const {
    const Json& member = (*this)[name];
    return member.kind == Kind::string ? member.text : std::string();
}

long long Json::Integer(const std::string& name) const {
    const Json& member = (*this)[name];
    return member.kind == Kind::number ? std::strtoll(member.text.c_str(), nullptr, 10) : 0;
}
