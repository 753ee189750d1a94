// The tries a round has left, as a row of balloons beside the score: one pops at every miss.
#pragma once

#include <QLabel>

class QPainter;
class QVariantAnimation;

// A child who cannot count the misses yet sees how many remain: eight balloons at a round's start,
// and the one that a miss spends bursts and leaves a wisp of string. It takes no click and no
// focus; a screen reader reads it as a label by its name, which the window gives it.
class TriesView : public QLabel {
  public:
    explicit TriesView(QWidget* parent = nullptr);

    // How many balloons stand, 0 to total(); a fall pops the balloons between, a rise (a new
    // round) brings them back at once.
    void setLeft(int left);
    int left() const { return m_left; }
    static int total();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintBalloon(QPainter& painter, const QRectF& slot, int index, double size) const;
    void paintPopped(QPainter& painter, const QRectF& slot) const;

    int m_left;
    int m_popping = -1; // the balloon bursting now, if any
    double m_pop = 1;   // how far its burst has gone, 0 to 1
    QVariantAnimation* m_burst;
};
