// A found word's caption over its picture's lower edge: large letters on a white halo, outlined
// where their colour is too faint to read on white, growing in when the word is found.
#pragma once

#include "board.h"

#include <QLabel>
#include <optional>

class QVariantAnimation;

// The caption's colour flashes through a palette of which several colours (yellow, light cyan,
// light grey, light green) hardly show on white: those get an outline in a colour that does.
// Until its word is found the caption holds no text at all, so that nothing (a screen reader
// walking the window's hidden labels included) can read the word before the child finds it.
class CaptionLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    // The word this caption will show; hidden until reveal(true).
    void setWord(const QString& word);
    const QString& word() const { return m_word; }
    // The word's width for letters one pixel high, in this caption's face: what its place needs.
    double widthPerHeight() const;
    // The caption's box, and its letters' size in pixels.
    void place(const QRect& box, int letterPixels);
    // Shows the word, growing it in the first time; or hides it and its text.
    void reveal(bool shown);

    void setTextColour(Colour colour);
    // The outline's width in pixels.
    void setOutlineWidth(int pixels);
    // The outline's colour while the text's colour needs one.
    std::optional<Colour> outline() const { return m_outline; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_word;
    bool m_revealed = false;
    Colour m_colour = 0x000000;
    std::optional<Colour> m_outline;
    int m_outlineWidth = 1;
    double m_grow = 1; // the grow-in, 0 when the word is found, 1 at rest
    QVariantAnimation* m_growIn;
};
