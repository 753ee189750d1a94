// A panel picture's keys, its keyboard-cursor ring and its shadow.
#include "picture_label.h"

#include "letter_button.h"

#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QPainter>

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
    // A soft shadow along the drawing's own outline: a pale picture (a tooth, a cloud) would
    // otherwise melt into the white screen. Transparent pictures cast it from their shape only.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(6); // close to the drawing: a column keeps its margins
    shadow->setOffset(0, 2);  // straight down: the columns stay mirror images
    shadow->setColor(QColor(40, 40, 80, 150));
    setGraphicsEffect(shadow);
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
