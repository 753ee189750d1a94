// Painting of the round-end sign: the star burst of a win and the two calm signs of a loss.
#include "round_end_sign.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVariantAnimation>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int BurstMs = 700;

// One star of the burst, where it rests on the board: x and y from -1 (left, top) to 1 (right,
// bottom), its outer radius as a share of the board's shorter side, and a tilt so the burst
// looks thrown rather than lined up.
struct BurstStar {
    double x, y, radius;
    int colour;
    double tiltDeg;
};

// Bright enough to cheer, each still dark-rimmed enough to read on white and on the pastel cells.
const std::array<QColor, 6> StarColours = {QColor(0xFF, 0xC8, 0x00), QColor(0xFF, 0x4F, 0x9A),
                                           QColor(0x2E, 0xA8, 0xFF), QColor(0x3D, 0xD1, 0x5A),
                                           QColor(0xFF, 0x8A, 0x00), QColor(0xA0, 0x5C, 0xFF)};
const QColor StarRim(0x3A, 0x2A, 0x4A);

// Placed by hand: big ones near the middle, small ones out to the corners, none quite at the
// edge so the overshoot of the pop never cuts a star in half.
constexpr std::array<BurstStar, 21> Burst = {{
    {0.00, 0.00, 0.170, 0, -6},   {-0.46, -0.38, 0.085, 1, 12}, {0.48, -0.36, 0.080, 2, -14},
    {0.52, 0.34, 0.090, 3, 8},    {-0.50, 0.40, 0.082, 4, -10}, {0.00, -0.60, 0.070, 5, 4},
    {0.02, 0.62, 0.072, 2, -4},   {-0.74, -0.02, 0.060, 3, 16}, {0.76, 0.02, 0.062, 1, -18},
    {-0.78, -0.76, 0.045, 0, 20}, {0.80, -0.78, 0.048, 4, -8},  {0.78, 0.78, 0.046, 5, 14},
    {-0.80, 0.78, 0.044, 2, -20}, {-0.28, -0.80, 0.036, 3, 6},  {0.34, -0.82, 0.034, 0, -12},
    {0.36, 0.84, 0.036, 1, 10},   {-0.32, 0.82, 0.034, 4, -6},  {-0.86, 0.36, 0.032, 5, 18},
    {0.86, -0.40, 0.032, 3, -16}, {-0.22, 0.30, 0.030, 5, 0},   {0.26, -0.24, 0.030, 4, 22},
}};

// The calm signs: a soft slate blue on near-white, nothing that could read as a telling-off.
const QColor CalmInk(0x74, 0x8B, 0xAB);
const QColor CalmGlass(0xE6, 0xEE, 0xF7);
const QColor CalmSand(0xB4, 0xC3, 0xD8);

QPainterPath starPath(double outer) {
    // A fat inner radius makes a friendly, rounded star rather than a spiky one.
    const double inner = outer * 0.48;
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF p(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

} // namespace

RoundEndSign::RoundEndSign(QWidget* parent)
    : QWidget(parent), m_burst(new QVariantAnimation(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    m_burst->setStartValue(0.0);
    m_burst->setEndValue(1.0);
    m_burst->setDuration(BurstMs);
    // A slight overshoot makes the stars pop out and settle back, like confetti thrown up.
    m_burst->setEasingCurve(QEasingCurve::OutBack);
    connect(m_burst, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_grow = value.toDouble();
        update();
    });
    hide();
}

void RoundEndSign::showOver(const QRect& board, RoundEnding ending) {
    m_ending = ending;
    setGeometry(board);
    m_burst->stop();
    if (ending == RoundEnding::Won) {
        m_grow = 0;
        m_burst->start();
    } else {
        m_grow = 1;
    }
    raise();
    show();
    update();
}

void RoundEndSign::hideEvent(QHideEvent* event) {
    // A hidden burst has nothing to draw: no reason to keep the animation ticking. Should the sign
    // be shown again without a fresh start, it shows the settled burst rather than a frozen frame.
    m_burst->stop();
    m_grow = 1;
    QWidget::hideEvent(event);
}

void RoundEndSign::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_ending == RoundEnding::Won) {
        paintStars(painter);
        return;
    }
    const double side = std::min(width(), height()) * 0.58;
    const QRectF panel(QPointF(width() - side, height() - side) / 2, QSizeF(side, side));
    paintPanel(painter, panel);
    if (m_ending == RoundEnding::TimeUp)
        paintHourglass(painter, panel);
    else
        paintEmptyTries(painter, panel);
}

void RoundEndSign::paintStars(QPainter& painter) const {
    const QPointF centre = QRectF(rect()).center();
    const double halfW = width() / 2.0, halfH = height() / 2.0;
    const double side = std::min(width(), height());
    // Even the first frame shows the stars clustered in the middle, so the win reads at once.
    const double spread = 0.2 + 0.8 * m_grow;
    const double size = 0.45 + 0.55 * m_grow;
    // Soft sun rays behind the stars carry the burst outward without hiding the board.
    painter.save();
    painter.translate(centre);
    painter.rotate(-30 * (1 - m_grow));
    const double reach = std::hypot(halfW, halfH) * spread;
    QRadialGradient glow(QPointF(0, 0), reach);
    glow.setColorAt(0, QColor(0xFF, 0xE0, 0x40, 150));
    glow.setColorAt(1, QColor(0xFF, 0xE0, 0x40, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    constexpr int Rays = 12;
    for (int i = 0; i < Rays; ++i) {
        const double a = i * 2 * std::numbers::pi / Rays, half = std::numbers::pi / Rays / 2;
        QPainterPath ray;
        ray.moveTo(0, 0);
        ray.lineTo(reach * std::cos(a - half), reach * std::sin(a - half));
        ray.lineTo(reach * std::cos(a + half), reach * std::sin(a + half));
        ray.closeSubpath();
        painter.drawPath(ray);
    }
    painter.restore();

    // Outer stars first, so the big middle star lies on top.
    for (auto it = Burst.rbegin(); it != Burst.rend(); ++it) {
        const BurstStar& star = *it;
        const double outer = star.radius * side * size;
        if (outer < 1) continue;
        painter.save();
        painter.translate(centre + QPointF(star.x * halfW, star.y * halfH) * spread);
        painter.rotate(star.tiltDeg - 40 * (1 - m_grow)); // they spin a little as they fly
        const QColor colour = StarColours[static_cast<std::size_t>(star.colour)];
        painter.setPen(
            QPen(StarRim, std::max(1.5, outer * 0.13), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPath(starPath(outer));
        // A shine in the upper left makes the star look round and glossy.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawEllipse(QPointF(-outer * 0.2, -outer * 0.22), outer * 0.16, outer * 0.11);
        painter.restore();
    }
}

void RoundEndSign::paintPanel(QPainter& painter, const QRectF& panel) const {
    const double corner = panel.width() * 0.14;
    painter.setPen(QPen(QColor(0xA9, 0xB8, 0xCC, 200), std::max(1.0, panel.width() * 0.012)));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRoundedRect(panel, corner, corner);
}

void RoundEndSign::paintHourglass(QPainter& painter, const QRectF& panel) const {
    const QPointF c = panel.center();
    const double h = panel.height() * 0.72; // frame, cap to cap
    const double w = h * 0.62;
    const double line = std::max(1.5, h * 0.035);
    const double capH = h * 0.09;
    const double glassTop = -h / 2 + capH, glassBottom = h / 2 - capH;
    const double bulb = w * 0.31, neck = w * 0.05;

    painter.save();
    painter.translate(c);

    // The two glass bulbs, joined at a narrow neck.
    QPainterPath glass;
    glass.moveTo(-bulb, glassTop);
    glass.lineTo(bulb, glassTop);
    glass.cubicTo(bulb, glassTop * 0.3, neck, glassTop * 0.25, neck, 0);
    glass.cubicTo(neck, glassBottom * 0.25, bulb, glassBottom * 0.3, bulb, glassBottom);
    glass.lineTo(-bulb, glassBottom);
    glass.cubicTo(-bulb, glassBottom * 0.3, -neck, glassBottom * 0.25, -neck, 0);
    glass.cubicTo(-neck, glassTop * 0.25, -bulb, glassTop * 0.3, -bulb, glassTop);
    glass.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(CalmGlass);
    painter.drawPath(glass);

    // All the sand has run down: the top bulb is empty, the bottom one holds a soft heap.
    QPainterPath heap;
    const double heapH = glassBottom * 0.55;
    heap.moveTo(-bulb, glassBottom);
    heap.lineTo(-bulb, glassBottom - heapH * 0.55);
    heap.quadTo(0, glassBottom - heapH * 1.45, bulb, glassBottom - heapH * 0.55);
    heap.lineTo(bulb, glassBottom);
    heap.closeSubpath();
    painter.setBrush(CalmSand);
    painter.drawPath(heap.intersected(glass));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(CalmInk, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(glass);

    // Two posts and two caps: a wooden-toy frame around the glass.
    painter.setPen(Qt::NoPen);
    painter.setBrush(CalmInk);
    const double post = w * 0.07;
    for (const double x : {-w / 2 + post * 0.3, w / 2 - post * 1.3})
        painter.drawRoundedRect(QRectF(x, glassTop - 1, post, glassBottom - glassTop + 2), post / 2,
                                post / 2);
    for (const double y : {-h / 2, h / 2 - capH})
        painter.drawRoundedRect(QRectF(-w / 2 - capH * 0.25, y, w + capH * 0.5, capH), capH * 0.4,
                                capH * 0.4);
    painter.restore();
}

void RoundEndSign::paintEmptyTries(QPainter& painter, const QRectF& panel) const {
    const QPointF c = panel.center();
    const double ring = panel.width() * 0.3;
    const double dot = panel.width() * 0.085;
    painter.setPen(QPen(CalmInk, std::max(1.5, dot * 0.28)));
    painter.setBrush(Qt::white);
    for (int i = 0; i < 8; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 4;
        painter.drawEllipse(c + QPointF(ring * std::cos(a), ring * std::sin(a)), dot, dot);
    }
}
