// Painting of a letter cell with its state's mark and the keyboard cursor, and the letter's
// interface for screen readers.
#include "letter_button.h"
#include "colours.h"
#include "contrast.h"
#include "game_font.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPainter>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A mark is drawn in the letter's colour edged with the opposite one: protanopes see the miss red
// nearly as dark as black, so a black stroke alone would vanish there, while its light edge shows.
struct Ink {
    QColor colour;
    QColor edge;
};

Ink inkOn(Colour cell) {
    const Colour letter = letterColour(cell);
    return {toQColor(letter), toQColor(letter == colours::White ? 0x000000 : colours::White)};
}

// Marks grow with the cell: 2 px lines on the 30-px cells of the smallest screen, 3 px on 48.
qreal lineWidth(qreal side) {
    return std::max(2.0, side / 16);
}
qreal edgeWidth(qreal line) {
    return std::max(1.0, line / 3);
}
constexpr int PulseMs = 600;

// Each of the cursor's two rings: together at least 6 px, thick enough to find at a glance.
qreal ringWidth(qreal side) {
    return std::max(3.0, std::floor(side / 14));
}

void strokeInk(QPainter& painter, const QLineF& line, const Ink& ink, qreal width) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.edge, width + 2 * edgeWidth(width), Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(line);
    painter.setPen(QPen(ink.colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(line);
}

void dotInk(QPainter& painter, const QPointF& centre, qreal radius, const Ink& ink, qreal edge) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.edge);
    painter.drawEllipse(centre, radius + edge, radius + edge);
    painter.setBrush(ink.colour);
    painter.drawEllipse(centre, radius, radius);
}

// Dots two and a half line widths apart, one on each corner.
void dottedFrame(QPainter& painter, const QRectF& frame, const Ink& ink, qreal line) {
    const QPointF corners[] = {frame.topLeft(), frame.topRight(), frame.bottomRight(),
                               frame.bottomLeft(), frame.topLeft()};
    for (int side = 0; side < 4; ++side) {
        const QLineF edge(corners[side], corners[side + 1]);
        const int gaps = std::max(1, qRound(edge.length() / (2.5 * line)));
        for (int i = 0; i < gaps; ++i)
            dotInk(painter, edge.pointAt(double(i) / gaps), line / 2, ink, edgeWidth(line));
    }
}

// The mark of a letter's state, drawn last so that neither the letter nor the cursor's rings hide
// it, and but for the stroke inside the rings: a miss is crossed out, a letter spent by a hint gets
// a dot in its corner (so that the misses can still be counted), a found letter is underlined, and
// a letter shown at the end of the round gets a dotted frame.
void drawMark(QPainter& painter, CellMark mark, const QRectF& cell, const QString& letter,
              const Ink& ink) {
    const qreal side = std::min(cell.width(), cell.height());
    const qreal line = lineWidth(side);
    const qreal inset = 2 * ringWidth(side) + line / 2; // just inside the cursor's rings
    switch (mark) {
    case CellMark::None:
        return;
    case CellMark::Miss:
        strokeInk(painter, QLineF(cell.topLeft(), cell.bottomRight()), ink, line);
        return;
    case CellMark::Hint: {
        const qreal radius = side / 10;
        const QPointF corner(cell.right() - inset - radius, cell.top() + inset + radius);
        dotInk(painter, corner, radius, ink, edgeWidth(line));
        return;
    }
    case CellMark::Found: {
        const QFontMetricsF metrics(painter.font());
        const QRectF box = painter.boundingRect(cell, Qt::AlignCenter, letter);
        const qreal below = box.top() + metrics.ascent() + std::max(metrics.underlinePos(), line);
        const qreal y = std::min(below + line / 2, cell.bottom() - inset - edgeWidth(line));
        const qreal half = std::max(box.width(), side * 0.4) / 2;
        strokeInk(painter, QLineF(box.center().x() - half, y, box.center().x() + half, y), ink,
                  line);
        return;
    }
    case CellMark::Revealed:
        dottedFrame(painter, cell.adjusted(inset, inset, -inset, -inset), ink, line);
        return;
    }
}

// The letter as screen readers see it: a button named by its letter and described by its state.
// The buttons never hold Qt's focus, so the keyboard cursor's letter is reported focused instead,
// and a clicked letter stays focusable because the cursor can still sit on it. Pressing it is a
// keyboard click, not click(): a click would send the focus off the board.
class LetterAccessible final : public QAccessibleWidget {
  public:
    explicit LetterAccessible(LetterButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.focused = button()->holdsFocus();
        state.pressed = button()->isDown();
        return state;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (button()->isEnabled()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override {
        if (name != pressAction()) return QAccessibleWidget::doAction(name);
        if (button()->isEnabled()) emit button()->accessiblyPressed();
    }

  private:
    LetterButton* button() const { return static_cast<LetterButton*>(widget()); }
};

QAccessibleInterface* letterAccessible(const QString&, QObject* object) {
    auto* button = qobject_cast<LetterButton*>(object);
    return button ? new LetterAccessible(button) : nullptr;
}

} // namespace

void drawCursorRing(QPainter& painter, const QRectF& area) {
    const qreal ring = ringWidth(std::min(area.width(), area.height()));
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, ring, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(area.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
    painter.setPen(QPen(Qt::white, ring, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(area.adjusted(1.5 * ring, 1.5 * ring, -1.5 * ring, -1.5 * ring));
    painter.restore();
}

LetterButton::LetterButton(QWidget* parent) : QAbstractButton(parent) {
    // With the first letter, before anyone can ask for a letter's interface.
    static const bool factoryInstalled = (QAccessible::installFactory(letterAccessible), true);
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void LetterButton::display(const QString& letter, const CellLook& look) {
    if (letter == text() && look == m_look) return;
    m_look = look;
    setText(letter);
    setAccessibleName(letter);
    setEnabled(look.Enabled);
    applyFont();
    update();
}

void LetterButton::setGrowth(double growth) {
    m_growth = growth;
    applyFont();
}

void LetterButton::showCursor(bool shown) {
    if (shown == m_cursorShown) return;
    m_cursorShown = shown;
    update();
}

void LetterButton::pulse() {
    if (!m_pulse) {
        m_pulse = new QVariantAnimation(this);
        m_pulse->setStartValue(0.0);
        m_pulse->setEndValue(1.0);
        m_pulse->setDuration(PulseMs);
        connect(m_pulse, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
            m_pulseAt = value.toDouble();
            update();
        });
    }
    m_pulse->stop();
    m_pulse->start();
}

bool LetterButton::pulsing() const {
    return m_pulse && m_pulse->state() == QAbstractAnimation::Running;
}

void LetterButton::setHoldsFocus(bool holds) {
    if (holds == m_holdsFocus) return;
    m_holdsFocus = holds;
    QAccessible::State changed;
    changed.focused = true;
    QAccessibleStateChangeEvent stateChange(this, changed);
    QAccessible::updateAccessibility(&stateChange);
    if (!holds) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void LetterButton::applyFont() {
    setFont(arial(m_look.FontSize * m_growth, m_look.FontBold));
}

void LetterButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cell = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor back = toQColor(m_look.BackColor);
    painter.setPen(QPen(back.darker(isDown() ? 160 : 130), 1));
    painter.setBrush(isDown() ? back.darker(110) : back);
    painter.drawRoundedRect(cell, 3, 3);
    if (pulsing()) {
        // Swells and fades once: a lighter fill of the word's colour inside a deeper rim.
        const double swell = std::sin(std::numbers::pi * m_pulseAt);
        QColor glow = back.lighter(135);
        glow.setAlphaF(0.85 * swell);
        const qreal rim = 1 + swell * std::max(3.0, width() / 8.0);
        painter.setPen(QPen(back.darker(150), rim));
        painter.setBrush(glow);
        painter.drawRoundedRect(cell.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2), 3, 3);
    }
    // The ring goes under the letter, which must stay whole where a large letter fills the cell.
    if (m_cursorShown) drawCursorRing(painter, QRectF(rect()));
    const Ink ink = inkOn(m_look.BackColor);
    painter.setPen(ink.colour);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
    drawMark(painter, m_look.Mark, QRectF(rect()), text(), ink);
}
