// The animated-GIF control: the interface the windows use, its QMovie widget, a recording stand-in.
//
// The windows place an animation in twips, give it a file, move it along the board and hide it
// when it has run through once. They hold it as an AnimatedGif so that their tests can use
// RecordingGif; only the window that builds the controls knows about GifControl.
#pragma once

#include <QLabel>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QMovie;

class AnimatedGif {
  public:
    virtual ~AnimatedGif() = default;

    // Shows and plays the file at the control's place and size. A file that cannot be shown, or
    // that the picture loader's budgets refuse, leaves the control empty and is not an error.
    virtual void setGifFile(const QString& path) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setTop(double twips) = 0;
    virtual void setLeft(double twips) = 0;
    // The values last given, so that arithmetic on them stays exact.
    virtual double top() const = 0;
    virtual double left() const = 0;
    // Top and size stay and the animation keeps running.
    virtual void move(double leftTwips) = 0;

    // Called once per file given, when its animation has run through once.
    std::function<void()> gifEnd;
};

// A label holding a QMovie. It lets clicks through to the cells under it, paints no background
// and runs no timer while hidden, so an idle game costs no CPU.
class GifControl : public QLabel, public AnimatedGif {
    Q_OBJECT
  public:
    explicit GifControl(QWidget* parent = nullptr);

    void setGifFile(const QString& path) override;
    QString gifFile() const { return m_gifFile; }
    void setVisible(bool visible) override { QLabel::setVisible(visible); }
    void setTop(double twips) override;
    void setLeft(double twips) override;
    double top() const override { return m_top; }
    double left() const override { return m_left; }
    // Hides QWidget::move on purpose: a window must not place the control in pixels by mistake.
    void move(double leftTwips) override { setLeft(leftTwips); }
    void setSizeTwips(double width, double height);

  signals:
    // The same moment as the gifEnd callback, for windows that connect signals.
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

// Records what a window asked of its animation; the calls log keeps their order.
class RecordingGif : public AnimatedGif {
  public:
    QStringList files;
    std::vector<bool> visibility;
    std::vector<double> tops;
    std::vector<double> lefts;
    std::vector<double> moves;
    QStringList calls;

    void setGifFile(const QString& path) override {
        files << path;
        calls << QStringLiteral("GifFile ") + path;
    }
    void setVisible(bool visible) override {
        visibility.push_back(visible);
        calls << QStringLiteral("Visible %1").arg(visible);
    }
    void setTop(double twips) override {
        tops.push_back(twips);
        calls << QStringLiteral("Top %1").arg(twips, 0, 'g', 10);
    }
    void setLeft(double twips) override {
        lefts.push_back(twips);
        m_left = twips;
        calls << QStringLiteral("Left %1").arg(twips, 0, 'g', 10);
    }
    double top() const override { return tops.empty() ? 0 : tops.back(); }
    double left() const override { return m_left; }
    void move(double leftTwips) override {
        moves.push_back(leftTwips);
        m_left = leftTwips;
        calls << QStringLiteral("Move %1").arg(leftTwips, 0, 'g', 10);
    }
    bool visible() const { return !visibility.empty() && visibility.back(); }
    // Stands for the animation running through, for tests of a window's GifEnd handling.
    void endAnimation() {
        if (gifEnd) gifEnd();
    }

  private:
    double m_left = 0;
};
