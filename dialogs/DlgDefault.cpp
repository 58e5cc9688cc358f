#include "dialogs/DlgDefault.h"

#include "devices/WRegKey.h"
#include "dialogs/PlayerHost.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>
#include <vector>

HKEY DlgDefault::registryRoot = HKEY_CLASSES_ROOT;
int(WINAPI* DlgDefault::askUser)(HWND, const char*, const char*, UINT) = MessageBoxA;

namespace {

constexpr int oursId = 221, otherId = 223, pathId = 224, setId = 225;
constexpr int pathCapacity = 260;

const char cdCommandKey[] = "AudioCD\\shell\\play\\command";
const char fileCommandKey[] = "LumivoxenFile\\shell\\play\\command";

// The text without blanks or quotes around it: a path the user pasted in quotes stays one path.
std::string Unquoted(std::string text) {
    const char* blanks = " \t\"";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

int DlgDefault::OnInitDialog() {
    PlacePage();
    CheckRadioButton(hwnd, oursId, otherId, oursId);
    EnableItem(pathId, FALSE);
    return 1;
}

int DlgDefault::OnCommand(int notification, int id, HWND) {
    if (notification != BN_CLICKED) return 1;
    if (id == oursId || id == otherId) EnableItem(pathId, id == otherId);
    if (id == setId) Register();
    return 1;
}

std::string DlgDefault::CommandText(const std::string& program, bool ours) {
    return "\"" + program + "\"" + (ours ? " /play" : "") + " \"%1\"";
}

std::string DlgDefault::IconText(const std::string& program) {
    return program + ",1";
}

void DlgDefault::Register() {
    const bool ours = IsButtonChecked(oursId) == BST_CHECKED;
    if (Tell(ours ? IDS_SET_OURS : IDS_SET_OTHER, IDS_QUESTION_CAPTION, MB_YESNOCANCEL) != IDYES)
        return;
    std::string program;
    if (!ReadProgram(&program, ours)) {
        Tell(IDS_NO_PLAYER_PATH, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
        return;
    }
    const std::string failed = WriteAssociations(program, ours);
    if (!failed.empty()) {
        Tell(IDS_REGISTRY_FAILED, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR, failed.c_str());
        return;
    }
    Tell(IDS_ALL_OK, IDS_OK_CAPTION, MB_OK);
}

// This program's own path, or the one typed; false when the typed one is empty.
bool DlgDefault::ReadProgram(std::string* program, bool ours) {
    if (ours) {
        *program = host ? host->ProgramPath() : "lumivoxen.exe";
        return true;
    }
    char typed[pathCapacity] = "";
    GetItemText(pathId, typed, sizeof typed);
    *program = Unquoted(typed);
    return !program->empty();
}

// Every key is written or the first one that failed is named: a half-made association
// must not be reported as done.
std::string DlgDefault::WriteAssociations(const std::string& program, bool ours) {
    const std::string command = CommandText(program, ours);
    char typeName[64] = "";
    LoadStringA(instance, IDS_CDA_TYPE_NAME, typeName, sizeof typeName);
    const struct {
        const char* path;
        std::string value;
    } writes[] = {
        {".cda", "LumivoxenFile"},
        {"LumivoxenFile", typeName},
        {"LumivoxenFile\\DefaultIcon", IconText(program)},
        {cdCommandKey, command},
        {fileCommandKey, command},
        {"AudioCD\\shell", "play"},
        {"LumivoxenFile\\shell", "play"},
    };
    for (const auto& write : writes) {
        WRegKey key(registryRoot, write.path);
        if (!key.SetString("", write.value.c_str()))
            return std::string("HKEY_CLASSES_ROOT\\") + write.path;
    }
    return "";
}

int DlgDefault::Tell(UINT textId, UINT captionId, UINT type, const char* detail) {
    char format[512] = "", caption[64] = "";
    LoadStringA(instance, textId, format, sizeof format);
    LoadStringA(instance, captionId, caption, sizeof caption);
    std::vector<char> text(sizeof format + std::strlen(detail));
    snprintf(text.data(), text.size(), format, detail);
    return askUser(hwnd, text.data(), caption, type);
}

int DlgDefault::OnDestroy() {
    return 0;
}
