// The splash screen Form2: the title picture the program opens on; a click leads to the level menu.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class Navigation;
namespace assets {
class AssetPaths;
}

// Shown once at start, without title bar or controls, until the player clicks on it or presses
// Enter or Space. It deletes itself when it closes (WA_DeleteOnClose), so create it with new.
//
// A child who cannot read does not know that the picture is a button: when the splash has waited
// HintDelayMs without being clicked, a hand over the title taps at it, again and again. The hand is
// painted on the window, so a click on it is a click on the splash like any other. A key that does
// not lead on counts as trying: the wait starts again, unless the hand already shows.
class Form2 : public QWidget {
    Q_OBJECT
  public:
    Form2(Navigation& navigation, const assets::AssetPaths& paths, QWidget* parent = nullptr);

    // Where a window of the given outer size is centred on a screen of the given size, all in
    // twips: Left = D_W \ 2 and Top = D_H \ 2, where D is the screen's size less the window's,
    // rounded to a 32-bit integer halves-to-even, and \ divides truncating toward zero.
    static QPoint placement(double screenWidth, double screenHeight, double windowWidth,
                            double windowHeight);

    // Any click on the window: the level menu opens and the splash goes.
    void Form_Click();

    static constexpr int HintDelayMs = 2000;
    // One tap of the hand, in ticks of PulseMs.
    static constexpr int PulseMs = 40;
    static constexpr int PulseTicks = 30;
    bool hintShown() const { return m_hintShown; }
    // Where the hand's fingertip touches the title, in the window's pixels.
    QPoint hintPoint() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();
    void showHint();
    void pulse();

    Navigation& m_navigation;
    QPixmap m_picture; // at the window's scale
    double m_scale = 1;
    // Children named "HintTimer" and "PulseTimer", so that tests find them and tick them.
    QTimer m_hintWait{this};
    QTimer m_pulse{this};
    bool m_hintShown = false;
    int m_pulseTick = 0;
};
