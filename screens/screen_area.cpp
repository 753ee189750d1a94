// The screen a window opens on, with a stand-in size where the platform has none.
#include "screen_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect screenArea(const QWidget* beside) {
    const QScreen* screen = beside ? beside->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
