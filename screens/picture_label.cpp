// A panel picture's keys and its keyboard-cursor ring.
#include "picture_label.h"

#include "letter_button.h"

#include <QKeyEvent>
#include <QPainter>

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void PictureLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        !event->isAutoRepeat())
        emit clicked();
    else
        QLabel::keyPressEvent(event); // H, the hint, belongs to the game screen
}

void PictureLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    drawCursorRing(painter, rect());
}
