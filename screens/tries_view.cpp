// Painting the tries: bright balloons on strings, and the short burst of the one a miss spends.
#include "tries_view.h"

#include "board.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <algorithm>
#include <array>

namespace {

constexpr int PopMs = 350;

// Bright and cheerful, each with the dark rim that keeps it readable on the pale background.
const std::array<QColor, MaxErrors> BalloonColours = {
    QColor(0xFF, 0x4F, 0x5A), QColor(0xFF, 0xA0, 0x1E), QColor(0xF5, 0xD0, 0x00),
    QColor(0x3D, 0xC1, 0x5A), QColor(0x2E, 0xA8, 0xFF), QColor(0x8A, 0x5C, 0xFF),
    QColor(0xFF, 0x5F, 0xC8), QColor(0x20, 0xC0, 0xC0)};
const QColor Rim(0x3A, 0x2A, 0x4A);
const QColor Wisp(0x90, 0x90, 0xA0);

} // namespace

TriesView::TriesView(QWidget* parent)
    : QLabel(parent), m_left(total()), m_burst(new QVariantAnimation(this)) {
    setObjectName(QStringLiteral("Tries"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    m_burst->setStartValue(0.0);
    m_burst->setEndValue(1.0);
    m_burst->setDuration(PopMs);
    connect(m_burst, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_pop = value.toDouble();
        update();
    });
    connect(m_burst, &QVariantAnimation::finished, this, [this] {
        m_popping = -1;
        update();
    });
}

int TriesView::total() {
    return MaxErrors;
}

void TriesView::setLeft(int left) {
    left = std::clamp(left, 0, total());
    if (left == m_left) return;
    // The balloon popping is the last one standing before the miss.
    if (left < m_left) {
        m_popping = left;
        m_pop = 0;
        m_burst->start();
    } else {
        m_burst->stop();
        m_popping = -1;
    }
    m_left = left;
    update();
}

void TriesView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double slotWidth = double(width()) / total();
    const double size = std::min(slotWidth, double(height()));
    for (int i = 0; i < total(); ++i) {
        const QRectF slot(i * slotWidth + (slotWidth - size) / 2, (height() - size) / 2, size,
                          size);
        if (i < m_left)
            paintBalloon(painter, slot, i, size);
        else if (i == m_popping && m_pop < 1)
            paintBalloon(painter, slot, i, size * (1 + 0.4 * m_pop)); // swells, then bursts
        else
            paintPopped(painter, slot);
    }
}

// The balloon in the slot's upper three quarters, its string hanging below.
void TriesView::paintBalloon(QPainter& painter, const QRectF& slot, int index, double size) const {
    const QPointF centre(slot.center().x(), slot.top() + slot.height() * 0.38);
    const double rx = size * 0.30, ry = size * 0.36;
    QColor colour = BalloonColours[index % BalloonColours.size()];
    if (index == m_popping) colour.setAlphaF(1 - m_pop);
    painter.setPen(QPen(Wisp, std::max(1.0, slot.width() / 24)));
    const QPointF knot(centre.x(), centre.y() + ry);
    painter.drawLine(knot, QPointF(knot.x(), slot.bottom()));
    painter.setPen(QPen(Rim, std::max(1.0, slot.width() / 16)));
    painter.setBrush(colour);
    painter.drawEllipse(centre, rx, ry);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, index == m_popping ? int(150 * (1 - m_pop)) : 150));
    painter.drawEllipse(centre + QPointF(-rx * 0.35, -ry * 0.4), rx * 0.22, ry * 0.18);
}

// What a popped balloon leaves: a short wisp of string and three faint scraps.
void TriesView::paintPopped(QPainter& painter, const QRectF& slot) const {
    const double x = slot.center().x();
    painter.setPen(QPen(Wisp, std::max(1.0, slot.width() / 24), Qt::DotLine));
    painter.drawLine(QPointF(x, slot.top() + slot.height() * 0.7), QPointF(x, slot.bottom()));
    painter.setPen(QPen(Wisp, std::max(1.0, slot.width() / 20)));
    const double y = slot.top() + slot.height() * 0.55;
    const double r = slot.width() * 0.12;
    painter.drawLine(QPointF(x - r, y - r), QPointF(x - r / 3, y - r / 3));
    painter.drawLine(QPointF(x + r, y - r), QPointF(x + r / 3, y - r / 3));
    painter.drawLine(QPointF(x, y - 1.4 * r), QPointF(x, y - 0.6 * r));
}
