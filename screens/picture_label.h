// One picture of the game screen's panel: a label that the mouse and the keyboard can press.
#pragma once

#include <QLabel>

// A picture of the panel: a label that reports a click, or Enter or Space while it has the
// keyboard focus, which it shows with a ring.
class PictureLabel : public QLabel {
    Q_OBJECT
  public:
    explicit PictureLabel(QWidget* parent = nullptr);
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent*) override { emit clicked(); }
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
