// Painting of a letter cell.
#include "letter_button.h"
#include "colours.h"
#include "contrast.h"

#include <QPainter>

LetterButton::LetterButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void LetterButton::display(const QString& letter, const CellLook& look) {
    if (letter == text() && look == m_look) return;
    m_look = look;
    setText(letter);
    setAccessibleName(letter);
    setEnabled(look.Enabled);
    applyFont();
    update();
}

void LetterButton::setGrowth(double growth) {
    m_growth = growth;
    applyFont();
}

void LetterButton::applyFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(m_look.FontSize * m_growth);
    font.setBold(m_look.FontBold);
    setFont(font);
}

void LetterButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cell = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor back = toQColor(m_look.BackColor);
    painter.setPen(QPen(back.darker(isDown() ? 160 : 130), 1));
    painter.setBrush(isDown() ? back.darker(110) : back);
    painter.drawRoundedRect(cell, 3, 3);
    painter.setPen(toQColor(letterColour(m_look.BackColor)));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}
