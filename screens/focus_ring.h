// The focus ring: a thick two-tone ring around whichever control of a window has the keyboard.
#pragma once

// Qt's own focus marks are a dotted line or a tint of the border, which a child at the keyboard
// does not see, and the menu's style sheet had made them the same blue as the chosen level's
// border. The ring is one widget laid over the window, apart from the controls' own looks: it
// stands outside the focused control, so that a chosen (checked) control keeps its border inside
// the ring and the two never read as one. It follows the focus as it moves, and the control as it
// moves or scrolls; it takes no clicks and no focus. When the focus is the window itself (the
// splash), the ring runs along the window's edge.
//
// One ring a window, made by follow(); the game screen has its own board cursor instead.
// Its own small library: the settings windows, built apart from the game's windows, use it too.

#include <QColor>
#include <QPointer>
#include <QWidget>

class FocusRing final : public QWidget {
    Q_OBJECT
  public:
    // The ring's two bands, outside in: dark on a light window, bright on a dark one, so that one
    // of them stands out on any colour around a control.
    static constexpr int OuterWidth = 2;
    static constexpr int InnerWidth = 3;
    static constexpr int Width = OuterWidth + InnerWidth;
    static inline const QColor OuterColour{0x1a, 0x1a, 0x1a};
    static inline const QColor InnerColour{0xff, 0x8c, 0x00};

    // The ring of `window`'s controls, made the first time and deleted with the window.
    static FocusRing* follow(QWidget* window);

    // The control the ring stands around; none while the window has not the focus.
    QWidget* target() const { return m_target; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FocusRing(QWidget* window);
    void track(QWidget* focus);
    void place();

    QPointer<QWidget> m_target;
    // The target and its parents up to the window: a move of any of them moves the control.
    QList<QPointer<QWidget>> m_watched;
};
