#include "player/PlayOrderText.h"

#include <climits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One piece: from text up to the next space or the end; returns where the next one may begin.
const char* NextPiece(const char* text, std::string& piece) {
    while (*text == ' ')
        text++;
    const char* end = text;
    while (*end && *end != ' ')
        end++;
    piece.assign(text, end);
    return end;
}

} // namespace

int PlayOrderText::ParseNumber(const char* text) {
    while (IsBlank(*text))
        text++;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        if (value <= INT_MAX) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::vector<int> PlayOrderText::Parse(const char* text, int numplay) {
    std::vector<int> indices;
    std::string piece;
    text = NextPiece(text, piece);
    if (piece.empty()) return indices;
    indices.push_back(ParseNumber(piece.c_str()));
    for (int k = 1; k < numplay; k++) {
        text = NextPiece(text, piece);
        if (piece.empty()) break;
        indices.push_back(ParseNumber(piece.c_str()));
    }
    return indices;
}

std::string PlayOrderText::Build(const std::vector<int>& indices) {
    std::string text;
    text.reserve(indices.size() * 4);
    for (int index : indices) {
        text += std::to_string(index);
        text += ' ';
    }
    return text;
}
