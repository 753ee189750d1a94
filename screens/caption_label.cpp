// Painting a caption: a white box, then the text, outlined first where its colour needs it.
#include "caption_label.h"

#include "colours.h"
#include "contrast.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr Colour Background = colours::White;
constexpr int Padding = 3; // between the box's edge and the text, beside the outline
} // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Label1"));
    // The caption is a file name: never markup, which could load files or hide characters.
    setTextFormat(Qt::PlainText);
    setOutlineWidth(1);
}

void CaptionLabel::setTextColour(Colour colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    m_outline = captionOutline(colour, Background);
    QPalette text = palette();
    text.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(text);
    update();
}

void CaptionLabel::setOutlineWidth(int pixels) {
    m_outlineWidth = pixels;
    setContentsMargins(Padding + pixels, pixels, Padding + pixels, pixels);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(Background));
    const QRect box = contentsRect();
    const QFontMetrics metrics(font());
    const QPointF baseline(box.left(),
                           box.top() + (box.height() - metrics.height()) / 2.0 + metrics.ascent());
    QPainterPath path;
    path.addText(baseline, font(), text());
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_outline) {
        // The stroke is centred on the letters' edges; the fill covers its inner half.
        painter.strokePath(path, QPen(toQColor(*m_outline), 2.0 * m_outlineWidth, Qt::SolidLine,
                                      Qt::RoundCap, Qt::RoundJoin));
    }
    painter.fillPath(path, toQColor(m_colour));
}
