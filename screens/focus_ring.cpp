// The focus ring: follows the focus within its window and paints the ring around the control.
#include "focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <algorithm>

FocusRing* FocusRing::follow(QWidget* window) {
    if (auto* ring = window->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly))
        return ring;
    return new FocusRing(window);
}

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { track(now); });
    track(QApplication::focusWidget());
}

// Another window's focus, or none (this window went to the back), hides the ring until the focus
// comes back; Qt then reports it again.
void FocusRing::track(QWidget* focus) {
    for (const QPointer<QWidget>& watched : m_watched)
        if (watched && watched != parentWidget()) watched->removeEventFilter(this);
    m_watched.clear();
    m_target = focus && focus != this && focus->window() == parentWidget() ? focus : nullptr;
    for (QWidget* widget = m_target; widget && widget != parentWidget();
         widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        m_watched << widget;
    }
    place();
}

// Around the part of the control that shows (a row scrolled half out of sight clips it), outside
// it by the ring's width, and inside the window.
void FocusRing::place() {
    QWidget* window = parentWidget();
    if (!m_target || !m_target->isVisible()) {
        hide();
        return;
    }
    QRect shown(m_target->mapTo(window, QPoint()), m_target->size());
    for (QWidget* widget = m_target->parentWidget(); widget && widget != window;
         widget = widget->parentWidget())
        shown &= QRect(widget->mapTo(window, QPoint()), widget->size());
    const QRect ring = shown.adjusted(-Width, -Width, Width, Width) & window->rect();
    if (shown.isEmpty() || ring.isEmpty()) {
        hide();
        return;
    }
    setGeometry(ring);
    raise();
    show();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched != this) place();
        break;
    // A control made later (the row of themes, made again) must not cover the ring.
    case QEvent::ChildAdded:
        if (watched == parentWidget() && isVisible()) raise();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Two bands along the inside of the ring's own rectangle, which lies outside the control, with
// corners rounded like the menu's buttons; along a window's edge, square like the window.
void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const int corner = m_target == parentWidget() ? 0 : 12;
    const auto band = [&](int inset, int width, const QColor& colour) {
        const qreal half = width / 2.0;
        const QRectF edge =
            QRectF(rect()).adjusted(inset + half, inset + half, -inset - half, -inset - half);
        const qreal radius = std::max(0, corner - inset);
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRoundedRect(edge, radius, radius);
    };
    band(0, OuterWidth, OuterColour);
    band(OuterWidth, InnerWidth, InnerColour);
}
