// The entry point of the settings library: the settings window over the game.
#include "settings_host.h"
#include "settings_window.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT void tolvanoOpenSettingsWindow(SettingsHost& host, QWidget* parent) {
    SettingsWindow window(host, parent);
    window.exec();
}
