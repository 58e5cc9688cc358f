#include "skin/FontIniText.h"

FontIniText::FontIniText(const std::string& bytes) {
    // Both searches look for short fixed texts, so hostile files cost linear time.
    const size_t emptyLine = bytes.find("\r\n\r\n");
    if (emptyLine == std::string::npos) return;
    if (bytes.find("[font]", emptyLine) == std::string::npos) return;
    valid = true;
    map = bytes.substr(0, emptyLine);
}
