// The level menu's gate to the grown-ups' settings: a small gear that opens only when held.
#pragma once

// A young child taps; a grown-up who knows holds. The button therefore answers a press held for
// HoldMs with held(), and a shorter one (a tap) with tapped(), for the menu to say how it opens.
// While the press lasts a ring around the gear fills, so that the one holding sees it coming;
// when it is full, held() is emitted once and the ring empties, whether or not the press goes on.
// A touch works as the mouse does, through the mouse events Qt makes of it. A press released off
// the button is neither: the hand slid away.
//
// The button takes no keyboard focus, so that the children's Tab path through the menu stays as
// it was; the keyboard's way in is the menu's own shortcut. A screen reader's press is a tap.

#include <QAbstractButton>
#include <QTimer>
#include <functional>

class HoldButton : public QAbstractButton {
    Q_OBJECT
  public:
    static constexpr int HoldMs = 2000;
    // How often the ring is repainted while a press lasts.
    static constexpr int TickMs = 40;

    explicit HoldButton(QWidget* parent = nullptr);

    // The milliseconds of a steady clock, for the press's length: a test gives its own, and moves
    // it on as it likes before it ends the tick (the one QTimer child) or releases.
    void setClock(std::function<qint64()> nowMs);

    // How full the ring is: 0 with no press, 1 when held() is due.
    double progress() const;
    bool holding() const { return m_holding; }

  signals:
    void held();
    void tapped();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void tick();
    // Ends the press without a signal: the ring empties.
    void cancel();
    qint64 heldMs() const;

    std::function<qint64()> m_now;
    QTimer m_tick{this}; // a child, so that tests find it and drive it
    qint64 m_pressedAt = 0;
    bool m_holding = false;
};
