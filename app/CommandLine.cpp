#include "app/CommandLine.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char playSwitch[] = "/play";
const char discSwitch[] = "/disc";

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

// The one argument after the switch, as the shell passes it: up to the next blank, or
// between quotes. Returns its first character and sets its end.
const char* ArgumentAfter(const char* afterSwitch, const char** end) {
    const char* start = afterSwitch;
    while (IsSpace(*start))
        start++;
    const char* stop = start;
    if (*start == '"') {
        start++;
        stop = strchr(start, '"');
        if (!stop) stop = start + strlen(start);
    } else {
        while (*stop && !IsSpace(*stop))
            stop++;
    }
    *end = stop;
    return start;
}

// A point in a folder name must not be taken for the file name's point.
char* FileNameStart(char* argument, char* end) {
    char* start = argument;
    for (char* c = argument; c < end; c++)
        if (*c == '\\' || *c == '/') start = c + 1;
    return start;
}

} // namespace

PlayArgument ParsePlayArgument(char* commandLine) {
    PlayArgument result;
    if (!commandLine) return result;
    char* found = strstr(commandLine, playSwitch);
    if (!found) return result;
    result.requested = 1;
    char* afterSwitch = found + sizeof playSwitch - 1;
    // A quoted switch ("/play") ends at its closing quote.
    if (found > commandLine && found[-1] == '"' && *afterSwitch == '"') afterSwitch++;
    const char* argumentEnd = nullptr;
    char* argument = afterSwitch + (ArgumentAfter(afterSwitch, &argumentEnd) - afterSwitch);
    char* end = afterSwitch + (argumentEnd - afterSwitch);
    char* name = FileNameStart(argument, end);
    char* point = static_cast<char*>(memchr(name, '.', size_t(end - name)));
    if (!point) return result;
    *point = '\0';
    result.hasPoint = 1;
    char* digits = point - 2 < name ? name : point - 2;
    result.track = atoi(digits);
    return result;
}

std::string ParseDiscArgument(const char* commandLine) {
    if (!commandLine) return std::string();
    for (const char* found = strstr(commandLine, discSwitch); found;
         found = strstr(found + 1, discSwitch)) {
        const char* afterSwitch = found + sizeof discSwitch - 1;
        // "/discs" or "/disc-x" is another word; a quoted "/disc" ends at its quote.
        if (found > commandLine && found[-1] == '"' && *afterSwitch == '"') afterSwitch++;
        if (*afterSwitch && !IsSpace(*afterSwitch)) continue;
        const char* end = nullptr;
        const char* argument = ArgumentAfter(afterSwitch, &end);
        return std::string(argument, size_t(end - argument));
    }
    return std::string();
}
