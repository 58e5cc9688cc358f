#pragma once

#include <string>

// What the option pages may ask of the player window, which hands itself to them as this.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    virtual void KeepOnTop(int on) = 0;
    virtual void EnableTips(int on) = 0;
    // The skin folder skin\<name>; 0 after an error, which has been shown.
    virtual int LoadSkin(const char* name) = 0;
    // The skin in the program's resources; always 1.
    virtual int LoadBuiltinSkin() = 0;
    // The folder that holds the skin folders.
    virtual std::string SkinsRoot() const = 0;
    // This program's own file, for the shell's commands.
    virtual std::string ProgramPath() const = 0;
    // The drive that plays disc images and the demo disc; 0 before it exists.
    virtual char VirtualDriveLetter() const = 0;
    // Plays the discs of that drive ("D:") from now on.
    virtual void ChangeDrive(const char* drive) = 0;
    // The options dialog has closed: the options button goes back up.
    virtual void OptionsClosed() = 0;
};
