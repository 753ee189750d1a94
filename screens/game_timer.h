// The one timer of the windows: a QTimer with the game's timer rules, listed below.
#pragma once

#include "clock_interval.h"

#include <QObject>
#include <QTimer>

// What differs from a plain QTimer:
// - An interval of 0 never fires, while the timer still counts as enabled (a QTimer of 0 would
//   fire at every turn of the event loop).
// - An interval the timer refuses (acceptedInterval: negative, or above MaxInterval) is not taken:
//   setInterval returns false and the old interval stays.
// - Enabling a timer that is already enabled changes nothing; its countdown runs on.
// - Giving an enabled timer an interval starts its countdown afresh with that interval.
class GameTimer : public QObject {
    Q_OBJECT

  public:
    static constexpr int MaxInterval = MaxClockInterval;

    // A refused design-time interval is taken as 0: the timer never fires.
    explicit GameTimer(int intervalMs, bool enabled, QObject* parent = nullptr);

    bool setInterval(int ms);
    int interval() const { return m_interval; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

  signals:
    void Timer();

  private:
    void restart();

    QTimer m_timer{this}; // a child, so that tests find the countdown and drive it
    int m_interval = 0;
    bool m_enabled = false;
};
