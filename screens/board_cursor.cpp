// The board cursor's keys: arrows within the board, Space and Enter to press.
#include "board_cursor.h"

#include "board.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

BoardCursor::BoardCursor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BoardCursor"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardCursor::reset() {
    m_cell = 0;
    emit changed();
}

void BoardCursor::keyPressEvent(QKeyEvent* event) {
    int row = Board::row(m_cell);
    int column = Board::column(m_cell);
    switch (event->key()) {
    case Qt::Key_Left:
        column = std::max(0, column - 1);
        break;
    case Qt::Key_Right:
        column = std::min(BoardSide - 1, column + 1);
        break;
    case Qt::Key_Up:
        row = std::max(0, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(BoardSide - 1, row + 1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A key held down from the menu's Enter must not press letter after letter.
        if (!event->isAutoRepeat()) emit pressed(m_cell);
        return;
    default:
        QWidget::keyPressEvent(event); // H, the hint, belongs to the game screen
        return;
    }
    m_cell = row * BoardSide + column;
    emit changed();
}

void BoardCursor::focusInEvent(QFocusEvent*) {
    emit changed();
}

void BoardCursor::focusOutEvent(QFocusEvent*) {
    emit changed();
}
