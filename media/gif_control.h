// The animated-GIF control: a label that plays a GIF placed in twips and says when it has run
// through once.
//
// The windows place an animation in twips, give it a file, move it along the board and hide it
// when it has run through once (the GifEnd signal).
#pragma once

#include <QLabel>
#include <QSize>
#include <QString>
#include <QTimer>

class QMovie;

// A label holding a QMovie. It lets clicks through to the cells under it, paints no background
// and runs no timer while hidden, so an idle game costs no CPU.
class GifControl : public QLabel {
    Q_OBJECT
  public:
    explicit GifControl(QWidget* parent = nullptr);

    // Shows and plays the file at the control's place and size. A file that cannot be shown, or
    // that the picture loader's budgets refuse, leaves the control empty and is not an error.
    void setGifFile(const QString& path);
    QString gifFile() const { return m_gifFile; }
    void setTop(double twips);
    void setLeft(double twips);
    // The values last given, so that arithmetic on them stays exact.
    double top() const { return m_top; }
    double left() const { return m_left; }
    // Hides QWidget::move on purpose: a window must not place the control in pixels by mistake.
    // Top and size stay and the animation keeps running.
    void move(double leftTwips) { setLeft(leftTwips); }
    void setSizeTwips(double width, double height);

  signals:
    // Once per file given, when its animation has run through once.
    void GifEnd();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeInPixels();
    void fitMovie();
    void dropMovie();
    void pause();
    void resume();
    void onFrameChanged(int frame);
    void onFinished();
    bool endUnderWay() const;
    void raiseGifEnd();

    QString m_gifFile;
    double m_top = 0;
    double m_left = 0;
    QMovie* m_movie = nullptr;
    QSize m_naturalSize;
    bool m_started = false;
    int m_lastFrame = -1;
    // The run-through ends when the last frame has been shown for its delay: this timer waits
    // out that delay, and is paused with the movie.
    QTimer m_endTimer;
    int m_endWaitLeft = -1;
    bool m_endRaised = false;
    bool m_readFailed = false; // the movie reported an error and has shown no frame since
};
