// The one timer of the windows: a QTimer that behaves like the game's timers.
#include "game_timer.h"

GameTimer::GameTimer(int intervalMs, bool enabled, QObject* parent) : QObject(parent) {
    // Millisecond accuracy is not needed for a clock of a few hundred milliseconds, and coarse
    // timers let the system batch wake-ups while the game sits idle.
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GameTimer::Timer);
    if (!setInterval(intervalMs)) m_interval = 0;
    setEnabled(enabled);
}

bool GameTimer::setInterval(int ms) {
    if (!acceptedInterval(ms)) return false;
    m_interval = ms;
    if (m_enabled) restart();
    return true;
}

void GameTimer::setEnabled(bool enabled) {
    // Enabling a running timer must not restart its countdown: a click in the pause after a round
    // can end the round again and enable the pause's timer again, and that must not stretch the
    // pause.
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (m_enabled) {
        restart();
    } else {
        m_timer.stop();
    }
}

void GameTimer::restart() {
    m_timer.stop();
    if (!neverFires(m_interval)) m_timer.start(m_interval);
}
