// The program: opens on the splash screen and finds its data folders beside the program file.
#include "asset_paths.h"
#include "late_media.h"
#include "voice_switch.h"
#include "windows.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Without a screen (no display in a remote log-in, a display that refuses the connection) Qt
// stops the program with an abort and a screenful of advice about plug-ins. A teacher gets one
// line instead and the exit status 1. What Qt says while it starts is held back until it has
// started, so that only that line is printed when it cannot.
std::vector<std::pair<QtMsgType, QString>> startMessages;
QString lastStartWarning;

[[noreturn]] void noScreen(const QString& why) {
    std::fprintf(stderr, "tolvano: no screen to show the game on%s\n",
                 why.isEmpty() ? "" : qPrintable(QStringLiteral(" (") + why + QLatin1Char(')')));
    std::fflush(stderr);
    std::_Exit(1);
}

void holdStartMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) noScreen(lastStartWarning);
    if (type != QtDebugMsg && type != QtInfoMsg) lastStartWarning = message.section('\n', 0, 0);
    startMessages.emplace_back(type, message);
}

// With no session bus at all (a kiosk log-in), the D-Bus library would start a bus daemon of its
// own on first use (Qt asks for the bus for accessibility), which outlives the game and writes
// under the home folder, though the game writes no files. Only then is that start switched off,
// so that on ordinary desktops screen readers still find the game.
void noBusOfOurOwn() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists()) return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace

int main(int argc, char* argv[]) {
    noBusOfOurOwn();
    const QtMessageHandler defaultHandler = qInstallMessageHandler(holdStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(defaultHandler);
    if (!QGuiApplication::primaryScreen()) noScreen(QStringLiteral("the platform reports none"));
    if (defaultHandler)
        for (const auto& [type, message] : startMessages)
            defaultHandler(type, QMessageLogContext(), message);
    startMessages.clear();

    QApplication::setApplicationName(QStringLiteral("tolvano"));
    const QString folder = assets::programFolder();
    // Found once: a set chosen while the game runs plays from its next start.
    const assets::AssetPaths paths = assets::resolve(folder);
    // The sound and speech back ends are opened once the splash is on the screen, not before it.
    LateMedia media(mediaLibraryPaths(folder), voiceLanguage(paths));
    int status = 0;
    {
        Windows windows(paths, media.sound(), &media.voice());
        windows.start();
        media.openAfterFirstFrame();
        status = app.exec();
    }
    return media.endProgram(status);
}
