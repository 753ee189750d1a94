// A found word's caption over its picture: plain text on white, outlined where its colour is too
// faint to read on white.
#pragma once

#include "board.h"

#include <QLabel>
#include <optional>

// The caption's colour flashes through a palette of which several colours (yellow, light cyan,
// light grey, light green) hardly show on white: those get an outline in a colour that does.
class CaptionLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    void setTextColour(Colour colour);
    // The outline's width in pixels: the margins grow with it, so call adjustSize() afterwards.
    void setOutlineWidth(int pixels);
    // The outline's colour while the text's colour needs one.
    std::optional<Colour> outline() const { return m_outline; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Colour m_colour = 0x000000;
    std::optional<Colour> m_outline;
    int m_outlineWidth = 1;
};
