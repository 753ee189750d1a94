// The guard of a window that opens under a hand still clicking: presses within a double-click's
// time of its appearance are the rest of the gesture that opened it, not the player's next move.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

class StrayClicks {
  public:
    // From now on, for ms milliseconds, a press is stray.
    void start(int ms = QApplication::doubleClickInterval()) {
        m_ms = ms;
        m_since.start();
    }
    bool stray() const { return m_since.isValid() && m_since.elapsed() < m_ms; }

  private:
    QElapsedTimer m_since;
    int m_ms = 0;
};
