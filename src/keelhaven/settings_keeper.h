// Keeps settings.ini in step with the game: read once at the start, its
// problems said once on standard error and a file that had any rewritten
// whole; written again when a setting changes and when the game ends.
#pragma once

#include "keelhaven/settings.h"

#include <string>

class SettingsKeeper {
public:
    // Reads the file in the save folder as it is now. Its path is kept, so
    // the file written later is this one whatever the save folder is by then.
    void load();
    bool loaded() const { return isLoaded; }
    // The file held one: the window goes where it says.
    bool fromFile() const { return hadFile; }
    const Settings& settings() const { return kept; }

    // The settings as the game has them now: written when anything but the
    // window's size and place differs (those move with every drag).
    void changed(const Settings& now);
    // Written when anything at all differs from the file.
    void atExit(const Settings& now);

    const std::string& path() const { return file; }

private:
    void write(const Settings& now);

    std::string file;
    std::string onDisk;  // what the file holds, as far as this game knows
    Settings kept;
    bool isLoaded = false;
    bool hadFile = false;
    bool writeFailureSaid = false;
};

// The full-screen choice of the command line, for this run only: the file's
// own choice is kept for the next.
void chooseFullScreenForThisRun(std::optional<bool> fullScreen);
std::optional<bool> fullScreenForThisRun();
