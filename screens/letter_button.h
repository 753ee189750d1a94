// One letter of the board: a flat button that paints its colour, its letter and its state's mark
// itself, and tells assistive technology what the letter is and how it stands.
#pragma once

#include "board.h"

#include <QAbstractButton>

class QPainter;
class QVariantAnimation;

// The keyboard cursor's ring along the inside of area: a dark ring outside and a light one inside,
// each at least 3 px, so that one of them stands out at least 3:1 on every cell colour and on any
// picture. Shared with every control the keyboard can reach, so that the cursor looks the same.
void drawCursorRing(QPainter& painter, const QRectF& area);

// Painting the 144 cells directly keeps a round's redraw cheap and the look the same on every
// style: a rounded cell in its back colour, the letter centred in black, or in white on a dark
// cell, so that it reads in every state, clicked or not. Each state also has a mark of its own
// (a stroke, a dot, an underline, a dotted frame), because colour alone fails the children who
// cannot tell red from green.
//
// The buttons never take Qt's focus: the board moves a keyboard cursor over them, and the button
// under it shows the cursor ring and reports itself focused to screen readers.
class LetterButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit LetterButton(QWidget* parent = nullptr);

    // Takes the cell's letter and look; repaints only when something changed.
    void display(const QString& letter, const CellLook& look);
    // Letters grow with the cells on screens larger than the board was designed for.
    void setGrowth(double growth);
    // The keyboard cursor's ring, painted on clicked (disabled) letters too.
    void showCursor(bool shown);
    bool cursorShown() const { return m_cursorShown; }
    // One pulse in the cell's colour: its word has just been found.
    void pulse();
    bool pulsing() const;
    // True while this letter is under the keyboard cursor and the board has the keyboard focus.
    void setHoldsFocus(bool holds);
    bool holdsFocus() const { return m_holdsFocus; }

  signals:
    // A screen reader pressed the letter: the window treats it as a keyboard click, which keeps
    // the focus on the board where a real click would hand it to the word-list button.
    void accessiblyPressed();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyFont();

    CellLook m_look;
    double m_growth = 1;
    bool m_cursorShown = false;
    bool m_holdsFocus = false;
    QVariantAnimation* m_pulse = nullptr; // made at the first pulse: most letters never pulse
    double m_pulseAt = 0;                 // 0 to 1 through the pulse
};
