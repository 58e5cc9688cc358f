#pragma once

#include "dialogs/DlgMain.h"

#include <string>

// The Default player page: registers this program, or another one the user names, as the
// shell's player for audio CDs and for CD audio track files (".cda").
class DlgDefault final : public DlgMain {
public:
    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnDestroy() override;

    // Where the associations go; tests point it at a key of their own.
    static HKEY registryRoot;
    // How the page talks to the user: a message box unless a test answers.
    static int(WINAPI* askUser)(HWND owner, const char* text, const char* caption, UINT type);

    // The command and icon texts for a program path: the path and the file quoted, so that a
    // program under "C:\Program Files" runs.
    static std::string CommandText(const std::string& program, bool ours);
    static std::string IconText(const std::string& program);

private:
    void Register();
    bool ReadProgram(std::string* program, bool ours);
    // The key path that failed, or empty when every write succeeded.
    std::string WriteAssociations(const std::string& program, bool ours);
    int Tell(UINT textId, UINT captionId, UINT type, const char* detail = "");
};
