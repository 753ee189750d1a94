// The picture-only sign over the board during the pause between a round's end and the level menu.
#pragma once

#include "game.h"

#include <QWidget>

class QPainter;
class QVariantAnimation;

// Children may not read yet, so the sign says how the round ended without words: a burst of stars
// for a win, a calm hourglass or a ring of empty tries for the two losses. It never takes a click
// or the focus, and the board stays visible around what it paints.
class RoundEndSign : public QWidget {
  public:
    explicit RoundEndSign(QWidget* parent);

    // Covers `board` (pixels, in the parent's coordinates), raises itself and shows the sign.
    void showOver(const QRect& board, RoundEnding ending);
    RoundEnding ending() const { return m_ending; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void paintStars(QPainter& painter) const;
    void paintPanel(QPainter& painter, const QRectF& panel) const;
    void paintHourglass(QPainter& painter, const QRectF& panel) const;
    void paintEmptyTries(QPainter& painter, const QRectF& panel) const;

    QVariantAnimation* m_burst;
    double m_grow = 1; // how far the burst has spread, 0 at the start, 1 at rest
    RoundEnding m_ending = RoundEnding::Won;
};
