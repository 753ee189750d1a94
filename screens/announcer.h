// What the game screen tells a screen reader beyond its controls' names: the news of a click or a
// tick, and how a letter stands.
#pragma once

#include "board.h"

#include <QLabel>
#include <QStringList>

// A line seen by screen readers only: shown, so that it is in the accessibility tree, but a pixel
// large with no colour of its own. Setting new text is what makes a screen reader say it.
class Announcer : public QLabel {
  public:
    explicit Announcer(QWidget* parent = nullptr);

    // Says the news together; none clears the line, so that the same news is heard again.
    void announce(const QStringList& news);
};

// What a screen reader says of a letter beside the letter itself, from its mark.
QString describedMark(CellMark mark, const QStringList& texts);
