// Drives the game screen for the benchmarks: load, show, and the next round on request.
#include "game_round.h"

#include <QApplication>

GameRound::GameRound(const QString& programFolder, QSize screen, Sound* sound)
    : m_form(std::make_unique<Form1>(assets::resolve(programFolder), m_navigation, m_module1,
                                     sound ? *sound : m_sound, screen)) {
    m_form->Form_Load();
    // The offscreen screen may be smaller than the one asked for; the window takes the size the
    // layout was computed for.
    m_form->setGeometry(QRect(QPoint(0, 0), screen));
    m_form->show();
    paint();
}

void GameRound::nextRound() {
    m_form->enableTimer3();
    m_form->Timer3_Timer();
}

void GameRound::paint() {
    m_form->repaint();
    QApplication::processEvents();
}

int GameRound::picturesShown() const {
    int shown = 0;
    for (const QLabel* picture : m_form->Image1)
        if (!picture->pixmap().isNull()) ++shown;
    return shown;
}
