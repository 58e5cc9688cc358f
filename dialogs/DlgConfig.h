#pragma once

#include "dialogs/DlgMain.h"

#include <string>

// The Config page: a check box for each option, the snap distance, the intro length and the
// CD drive. Every change is an option at once.
class DlgConfig final : public DlgMain {
public:
    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnDestroy() override;

    // How the drive question reaches the user: a message box unless a test answers.
    static int(WINAPI* askUser)(HWND owner, const char* text, const char* caption, UINT type);
    // The machine's CD drive letters; tests give other machines.
    static void (*listDrives)(char* letters);

private:
    void FillIntroLengths();
    void FillDrives();
    void OnCheckBox(int id);
    void OnIntroLength();
    void OnDriveChosen();
    void SelectCurrentDrive();
    std::string SelectedText(int listId) const;
};
