// Opening the settings library: the first folder that holds it, its entry point looked up by name.
#include "settings_opener.h"

#include <QFile>
#include <QLibrary>
#include <cstdio>

QStringList settingsLibraryPaths(const QString& programFolder) {
    QStringList paths{programFolder + QStringLiteral("/" TOLVANO_SETTINGS_LIBRARY)};
#ifdef TOLVANO_SYSTEM_SETTINGS_LIBRARY_DIR
    paths << QStringLiteral(TOLVANO_SYSTEM_SETTINGS_LIBRARY_DIR "/" TOLVANO_SETTINGS_LIBRARY);
#endif
    return paths;
}

OpenSettingsWindow settingsWindow(const QString& programFolder) {
    static OpenSettingsWindow entry = nullptr;
    if (entry) return entry;
    QString why = QStringLiteral("not found");
    for (const QString& path : settingsLibraryPaths(programFolder)) {
        // Never unloaded: the window's code may be on the stack of the event loop up to the end.
        QLibrary library(path);
        if (!library.load()) {
            if (QFile::exists(path)) why = library.errorString();
            continue;
        }
        entry = reinterpret_cast<OpenSettingsWindow>(library.resolve(OpenSettingsWindowName));
        if (entry) return entry;
        why = library.errorString();
    }
    std::fprintf(stderr, "tolvano: no settings window (its library: %s)\n", qPrintable(why));
    return nullptr;
}
