// Each person's own settings, tolvano.conf, and where each person's own folders are.
#pragma once

// A teacher on a school computer cannot write into the program's folders, and should not need to:
// the settings window writes tolvano.conf in the user's own configuration folder, and pictures and
// recordings of their own go into their own data folder. Both are found by Qt's standard locations
// (XDG_CONFIG_HOME and XDG_DATA_HOME, ~/.config and ~/.local/share by default).
//
// The file is INI, one group:
//   [general]              (Qt writes it [General]; either is read)
//   language=en            a set's folder name under idiomas/
//   voice=on               on, recordings or off
//   lowercase=false        true or false
//   secondsPerWord=80      120, 80, 40 or 0 (no clock)
//   pictures=all           all, or mine: the user's own pictures alone
//   theme=animales         a theme's folder name inside imagenes/; empty: all pictures
//   themes=shown           shown or hidden: the menu's row of themes, where a child picks one
//   letters=plain          as-written or plain: the board's letters with their accents, or as
//                          printed word searches show them (the set's language decides which
//                          marks stay); missing: as written in Spanish and English, else plain
// A key it lacks leaves that setting to the program's text files; an unknown key or a bad value
// changes nothing, and the folder check reports it.

#include "board_letters.h"
#include "voice_switch.h"

#include <QList>
#include <QString>
#include <optional>

namespace assets {

struct UserFolders {
    QString data;   // holds idiomas/<set>/imagenes and voces; empty when there is none
    QString config; // holds tolvano.conf; empty when there is none
    // Why there are none: the home folder's name is not text that Qt can name a file with.
    QString problem;
};

// The user's folders from the standard locations, or none with the reason.
UserFolders userFolders();

// The settings file in the user's configuration folder.
QString settingsFile(const UserFolders& folders);

} // namespace assets

// The times a word may be given, in seconds; 0 means no clock. Normal is the speed file's 300 ms a
// step; the others scale it.
inline constexpr int SecondsSlow = 120, SecondsNormal = 80, SecondsFast = 40, SecondsNoClock = 0;
// The runner's interval that gives a word `seconds` (one of the four above).
int runnerIntervalFor(int seconds);

struct SettingsProblem {
    enum class Kind {
        Unreadable, // the file is there but is no regular file, too large, or cannot be read
        UnknownKey,
        BadValue,
    };
    Kind kind;
    QString key;   // as written (with its group), for UnknownKey and BadValue
    QString value; // as written, for BadValue
};

struct UserSettings {
    std::optional<QString> language;
    std::optional<Speaking> voice;
    std::optional<bool> lowerCase;
    std::optional<int> secondsPerWord;
    std::optional<bool> onlyMine; // pictures=mine
    std::optional<QString> theme; // empty: all pictures
    std::optional<bool> themeRowShown;
    std::optional<LetterStyle> letters;
    // What was read but not followed, for the folder check; empty when the file is missing.
    QList<SettingsProblem> problems;
    bool exists = false; // a file was there (followed or not)
};

// The settings the file holds; a missing file gives none and no problem.
UserSettings readUserSettings(const QString& file);

// Writes every setting given into the file (creating its folder), keeping the keys it holds that
// are not given here; the file is written whole beside itself and renamed. The reason it could not
// be, or nullopt.
std::optional<QString> writeUserSettings(const QString& file, const UserSettings& settings);

// The texts of the file's values, for the settings window and the check.
QString voiceValue(Speaking speaking);
