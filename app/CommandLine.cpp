#include "app/CommandLine.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char playSwitch[] = "/play";

// The file name starts after the last folder separator that follows the switch; a point in a
// folder name must not be taken for the file name's point.
char* FileNameStart(char* afterSwitch) {
    char* start = afterSwitch;
    for (char* c = afterSwitch; *c; c++)
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
    char* name = FileNameStart(found + sizeof playSwitch - 1);
    char* point = strchr(name, '.');
    if (!point) return result;
    *point = '\0';
    result.hasPoint = 1;
    char* digits = point - 2 < name ? name : point - 2;
    result.track = atoi(digits);
    return result;
}
