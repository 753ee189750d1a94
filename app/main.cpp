// The program: opens on the splash screen and finds its data folders beside the program file.
#include "asset_paths.h"
#include "sound.h"
#include "windows.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvano"));
    SoundEffectPlayer sound;
    Windows windows(assets::programFolder(), sound);
    windows.start();
    return app.exec();
}
