// Painting a caption: a white halo, then the text, outlined first where its colour needs it.
#include "caption_label.h"

#include "colours.h"
#include "contrast.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <algorithm>

namespace {
constexpr Colour Halo = colours::White;
constexpr int GrowInMs = 350;
constexpr int MeasurePixels = 100; // the letters' size at which a word's width is measured
} // namespace

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent), m_growIn(new QVariantAnimation(this)) {
    setObjectName(QStringLiteral("Label1"));
    // The caption is a file name: never markup, which could load files or hide characters.
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setOutlineWidth(1);
    m_growIn->setStartValue(0.0);
    m_growIn->setEndValue(1.0);
    m_growIn->setDuration(GrowInMs);
    // A slight overshoot: the word pops up to its size and settles.
    m_growIn->setEasingCurve(QEasingCurve::OutBack);
    connect(m_growIn, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_grow = value.toDouble();
        update();
    });
}

void CaptionLabel::setWord(const QString& word) {
    m_word = word;
    if (m_revealed) setText(word);
}

double CaptionLabel::widthPerHeight() const {
    QFont measured = font();
    measured.setPixelSize(MeasurePixels);
    return QFontMetricsF(measured).horizontalAdvance(m_word) / MeasurePixels;
}

void CaptionLabel::place(const QRect& box, int letterPixels) {
    QFont sized = font();
    sized.setPixelSize(std::max(1, letterPixels));
    setFont(sized);
    setGeometry(box);
}

void CaptionLabel::reveal(bool shown) {
    if (shown && !m_revealed) {
        setText(m_word);
        m_grow = 0;
        m_growIn->start();
    } else if (!shown) {
        m_growIn->stop();
        m_grow = 1;
        setText(QString());
    }
    m_revealed = shown;
    setVisible(shown);
}

void CaptionLabel::setTextColour(Colour colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    m_outline = captionOutline(colour, Halo);
    QPalette text = palette();
    text.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(text);
    update();
}

void CaptionLabel::setOutlineWidth(int pixels) {
    m_outlineWidth = pixels;
    update();
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    if (text().isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const QPointF baseline((width() - metrics.horizontalAdvance(text())) / 2,
                           (height() - metrics.height()) / 2 + metrics.ascent());
    QPainterPath path;
    path.addText(baseline, font(), text());
    // Grown in about the box's middle.
    const QPointF middle = QRectF(rect()).center();
    painter.translate(middle);
    painter.scale(m_grow, m_grow);
    painter.translate(-middle);
    // A white halo keeps the word readable over any picture without a box hiding it.
    const double halo = std::max(3.0, font().pixelSize() / 7.0);
    painter.strokePath(path,
                       QPen(toQColor(Halo), 2 * halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (m_outline) {
        // The stroke is centred on the letters' edges; the fill covers its inner half.
        painter.strokePath(path, QPen(toQColor(*m_outline), 2.0 * m_outlineWidth, Qt::SolidLine,
                                      Qt::RoundCap, Qt::RoundJoin));
    }
    painter.fillPath(path, toQColor(m_colour));
}
