// The screen a window opens on, found in one place so that no window meets a missing screen.
#pragma once

#include <QRect>

class QWidget;

// The geometry of the screen that `beside` is on, or of the primary screen. A platform may report
// no screen at all (the program refuses to start then, but a screen can also go away while it
// runs): the windows are then laid out for a 1,024 x 768 screen instead of failing.
QRect screenArea(const QWidget* beside = nullptr);
