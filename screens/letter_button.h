// One letter of the board: a flat button that paints its colour and its letter itself.
#pragma once

#include "board.h"

#include <QAbstractButton>

// Painting the 144 cells directly keeps a round's redraw cheap and the look the same on every
// style: a rounded cell in its back colour, the letter centred in black, or in white on a dark
// cell, so that it reads in every state, clicked or not.
class LetterButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit LetterButton(QWidget* parent = nullptr);

    // Takes the cell's letter and look; repaints only when something changed.
    void display(const QString& letter, const CellLook& look);
    // Letters grow with the cells on screens larger than the board was designed for.
    void setGrowth(double growth);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyFont();

    CellLook m_look;
    double m_growth = 1;
};
