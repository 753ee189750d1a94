// Finds the settings window's library and its entry point, once.
#pragma once

#include "settings_host.h"

#include <QString>
#include <QStringList>

// Where the library may be: beside the program (the build, an installed copy of its folder), then
// where a system package installs it.
QStringList settingsLibraryPaths(const QString& programFolder);

// The entry point, loaded at the first call and kept to the end; nullptr, with one line on stderr,
// where the library is missing or cannot be opened (the game then goes on without settings).
OpenSettingsWindow settingsWindow(const QString& programFolder);
