// The board's keyboard cursor: holds the keyboard focus for the 144 letters and moves over them.
#pragma once

#include <QWidget>

// Clicked letters are disabled, and a disabled widget cannot hold Qt's focus; so the focus belongs
// to this widget, laid over the board and passing every mouse event through to the letters, and
// the cursor is a cell number that the letters show. The arrows move it, stopping at the edges
// and passing over clicked letters too; Space or Enter presses the letter under it.
class BoardCursor : public QWidget {
    Q_OBJECT
  public:
    explicit BoardCursor(QWidget* parent = nullptr);

    int cell() const { return m_cell; }
    // Whether the cursor is to be drawn: whenever the board holds the focus, from a round's start,
    // so that a child's first key lands where the child can see it.
    bool shown() const { return hasFocus(); }
    // Back to the first letter: a new round.
    void reset();

  signals:
    // The cursor moved, appeared or went: the letters are to show it where it now is.
    void changed();
    void pressed(int cell);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int m_cell = 0;
};
