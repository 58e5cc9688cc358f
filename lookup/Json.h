#pragma once

#include <cstddef>
#include <utility>
#include <memory>
#include <string>
#include <vector>

// A JSON text read whole into values (RFC 8259), for the answers of the name services.
// Window-free. Strings come out as UTF-8; numbers keep their text. Nesting deeper than
// maxDepth, or any fault of syntax, gives no value at all: a broken answer stores nothing.
class Json {
public:
    enum class Kind { null, boolean, number, string, array, object };
    static constexpr int maxDepth = 64;

    static std::unique_ptr<Json> Parse(const std::string& text);

    Kind kind = Kind::null;
    bool boolean = false;
    std::string text; // a string's value, or a number as written
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members; // a repeated name: the first counts

    // The member of that name, or a null value for a missing one or a non-object.
    const Json& operator[](const std::string& name) const;
    // A string member's text; empty for anything else.
    std::string String(const std::string& name) const;
    long long Integer(const std::string& name) const;
};
