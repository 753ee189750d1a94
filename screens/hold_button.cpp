// The gear that opens the settings when held: its press, its ring and its drawing.
#include "hold_button.h"

#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <chrono>

namespace {

constexpr int GearTeeth = 8;
const QColor Face(0xF4, 0xF4, 0xF4);
const QColor Edge(0x80, 0x80, 0x80);
const QColor GearColour(0x50, 0x50, 0x50);
const QColor Ring(0x3A, 0x6F, 0xD8); // the menu's focus colour

qint64 steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A gear centred on the origin: a disc with teeth around it and a hole in the middle.
QPainterPath gear(double radius) {
    const double body = radius * 0.72, tooth = radius * 0.34;
    QPainterPath teeth;
    teeth.addRect(QRectF(-tooth / 2, -radius, tooth, radius * 2));
    QPainterPath path;
    path.addEllipse(QPointF(), body, body);
    for (int i = 0; i < GearTeeth / 2; ++i)
        path = path.united(QTransform().rotate(180.0 / GearTeeth * 2 * i).map(teeth));
    QPainterPath hole;
    hole.addEllipse(QPointF(), radius * 0.3, radius * 0.3);
    return path.subtracted(hole);
}

} // namespace

HoldButton::HoldButton(QWidget* parent) : QAbstractButton(parent), m_now(&steadyMs) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    m_tick.setInterval(TickMs);
    connect(&m_tick, &QTimer::timeout, this, &HoldButton::tick);
    // A screen reader presses through click(), which no mouse press here ever calls.
    connect(this, &QAbstractButton::clicked, this, &HoldButton::tapped);
}

void HoldButton::setClock(std::function<qint64()> nowMs) {
    m_now = std::move(nowMs);
}

qint64 HoldButton::heldMs() const {
    return m_holding ? m_now() - m_pressedAt : 0;
}

double HoldButton::progress() const {
    return std::clamp(double(heldMs()) / HoldMs, 0.0, 1.0);
}

void HoldButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_holding) {
        event->ignore();
        return;
    }
    m_holding = true;
    m_pressedAt = m_now();
    m_tick.start();
    update();
    event->accept();
}

// Held to the end before the tick saw it (a busy moment): held all the same.
void HoldButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_holding) {
        event->ignore();
        return;
    }
    event->accept();
    const bool full = heldMs() >= HoldMs;
    const bool over = rect().contains(event->position().toPoint());
    cancel();
    if (full)
        emit held();
    else if (over)
        emit tapped();
}

// QAbstractButton's own tracking of the press would turn a release into clicked().
void HoldButton::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void HoldButton::hideEvent(QHideEvent* event) {
    cancel();
    QAbstractButton::hideEvent(event);
}

// The press ends before the signal: whatever held() opens, a modal window that takes the mouse's
// release, the button is idle again.
void HoldButton::tick() {
    if (heldMs() < HoldMs) {
        update();
        return;
    }
    cancel();
    emit held();
}

void HoldButton::cancel() {
    m_tick.stop();
    m_holding = false;
    update();
}

void HoldButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double ringWidth = std::max(2.0, side / 9);
    const QRectF face = QRectF(0, 0, side, side).adjusted(1, 1, -1, -1);
    painter.translate((width() - side) / 2, (height() - side) / 2);

    painter.setPen(QPen(Edge, 1));
    painter.setBrush(m_holding ? Face.darker(110) : Face);
    painter.drawEllipse(face);

    const QRectF ring = face.adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2);
    if (const double done = progress(); done > 0) {
        painter.setPen(QPen(Ring, ringWidth, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        // From the top, clockwise.
        painter.drawArc(ring, 90 * 16, -int(done * 360 * 16));
    }

    painter.translate(side / 2, side / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(GearColour);
    painter.drawPath(gear(side / 2 - ringWidth - 1.5));
}
