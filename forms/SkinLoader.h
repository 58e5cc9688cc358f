#pragma once

#include <string>

class MainForm;
struct SkinLook;

// Gives both windows a skin: a folder skin\<name> beside the program, or the skin in the
// program's resources. The skin is read whole first; a broken one is shown as the first
// error and changes nothing, after which the caller loads the built-in skin.
class SkinLoader {
public:
    explicit SkinLoader(MainForm& form) : form(form) {}

    // 1 on success; 0 after an error has been shown (both windows then stay hidden).
    int LoadFolder(const char* name);
    // Always 1.
    int LoadBuiltin();

private:
    bool Apply(const SkinLook& look, std::string& error);
    bool ApplyBitmaps(const SkinLook& look, std::string& error);
    void ApplyPlayerControls(const SkinLook& look);
    bool ApplyRegion(const SkinLook& look, std::string& error);
    void HideWindows();
    void Finish(const char* name);

    MainForm& form;
};
