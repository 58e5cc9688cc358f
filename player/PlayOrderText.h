#pragma once

#include <string>
#include <vector>

// The play order as a disc section stores it: 0-based audio indices, each written as
// "%i " so that the text ends in a space. No platform calls, so it builds anywhere.
class PlayOrderText {
public:
    // A signed decimal number from the leading characters of text (blanks skipped, an
    // optional sign, then digits); 0 when there are no digits. Saturates instead of
    // overflowing.
    static int ParseNumber(const char* text);

    // The entries a stored order gives: the first piece, then further pieces while fewer
    // than numplay entries were taken; so at most max(numplay, 1). Pieces are split at
    // runs of spaces; leading spaces are skipped.
    static std::vector<int> Parse(const char* text, int numplay);

    // Every index followed by one space, however many there are.
    static std::string Build(const std::vector<int>& indices);
};
