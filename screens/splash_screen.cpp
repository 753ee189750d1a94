// The splash screen: draws the title picture, centres itself, a click or a key opens the menu.
#include "splash_screen.h"

#include "asset_paths.h"
#include "colours.h"
#include "focus_ring.h"
#include "layout.h"
#include "navigation.h"
#include "screen_area.h"
#include "units.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr Colour SplashBack = 0xFFC0FF; // light pink, where the picture does not cover
constexpr double ClientWidth = 7260;
constexpr double ClientHeight = 7080;

// Read as PNG by Qt's own reader. Left to find the format itself, the reader would first load
// every picture-format plug-in (TIFF, WebP, JPEG... with their libraries) to ask each whether it
// reads the file, all before the first frame.
QPixmap titlePicture(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The fingertip's place on the title picture: the foot of the "A" tile, so that the hand, leaning
// to the right, lies over the title's lower right and leaves the word itself readable.
constexpr QPointF HintTip{305, 200};
// The hand's height on the title picture, in its pixels; the drawing below is 100 units high.
constexpr double HintHeight = 125;

// A cartoon hand pointing up, its fingertip at (0, 0), 100 units high: a finger, the palm with
// three folded fingers and the thumb, one outline round them all, and a blue cuff.
void drawHand(QPainter& painter) {
    const auto rounded = [](double x, double y, double w, double h, double r) {
        QPainterPath path;
        path.addRoundedRect(QRectF(x, y, w, h), r, r);
        return path;
    };
    QPainterPath hand = rounded(-9, 0, 18, 60, 9);
    hand = hand.united(rounded(-14, 40, 56, 50, 14));
    for (int k = 0; k < 3; ++k)
        hand = hand.united(rounded(7 + 12 * k, 36, 13, 24, 6.5));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(-30, 52, 26, 16));
    hand = hand.united(thumb);
    const QPen outline(QColor(0x5a, 0x34, 0x14), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(outline);
    painter.setBrush(QColor(0xff, 0xd3, 0xa4));
    painter.drawPath(hand);
    painter.drawLine(QPointF(20, 44), QPointF(20, 58));
    painter.drawLine(QPointF(32, 44), QPointF(32, 58));
    painter.setBrush(QColor(0x3a, 0x6f, 0xd8));
    painter.drawRoundedRect(QRectF(-12, 88, 52, 14), 4, 4);
}

} // namespace

Form2::Form2(Navigation& navigation, const assets::AssetPaths& paths, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_navigation(navigation),
      m_picture(titlePicture(paths.windowPicture(u"portada.png"))) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture covers the whole window: nothing behind it needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The title grows with the board on large screens and shrinks to fit small ones; the
    // picture is scaled once, smoothly, rather than at every paint.
    const QRect screen = screenArea();
    m_scale = windowScale(ClientWidth, ClientHeight, units::toTwips(screen.width()),
                          units::toTwips(screen.height()));
    setFixedSize(units::toPixels(ClientWidth * m_scale), units::toPixels(ClientHeight * m_scale));
    if (m_scale != 1 && !m_picture.isNull())
        m_picture = m_picture.scaled(m_picture.size() * m_scale, Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
    // The whole window is the button; the hand says so.
    setCursor(Qt::PointingHandCursor);
    // A player without a mouse goes on with Enter or Space.
    setFocusPolicy(Qt::StrongFocus);
    FocusRing::follow(this);
    m_hintWait.setObjectName(QStringLiteral("HintTimer"));
    m_hintWait.setSingleShot(true);
    m_hintWait.setInterval(HintDelayMs);
    connect(&m_hintWait, &QTimer::timeout, this, &Form2::showHint);
    m_pulse.setObjectName(QStringLiteral("PulseTimer"));
    m_pulse.setInterval(PulseMs);
    connect(&m_pulse, &QTimer::timeout, this, &Form2::pulse);
    Form_Load();
}

QPoint Form2::placement(double screenWidth, double screenHeight, double windowWidth,
                        double windowHeight) {
    // Halves to even, as the centring is defined; window and screen sizes are far inside 32 bits.
    // Integer division in C++ truncates toward zero, as the centring wants.
    return {static_cast<std::int32_t>(roundHalfEven(screenWidth - windowWidth)) / 2,
            static_cast<std::int32_t>(roundHalfEven(screenHeight - windowHeight)) / 2};
}

// The window has no frame, so its outer size is its client size.
void Form2::Form_Load() {
    const QRect screen = screenArea();
    const QPoint twips = placement(units::toTwips(screen.width()), units::toTwips(screen.height()),
                                   units::toTwips(width()), units::toTwips(height()));
    move(screen.topLeft() + QPoint(units::toPixels(twips.x()), units::toPixels(twips.y())));
}

// Shows the menu before closing, so that the program never runs without a window.
void Form2::Form_Click() {
    m_navigation.showLevelMenu();
    close();
}

QPoint Form2::hintPoint() const {
    return (HintTip * m_scale).toPoint();
}

void Form2::showHint() {
    m_hintShown = true;
    m_pulseTick = 0;
    m_pulse.start();
    update();
}

// Only the hand and its ring are painted again at each tick: a title scaled to a large screen is
// millions of pixels, 25 times a second.
void Form2::pulse() {
    m_pulseTick = (m_pulseTick + 1) % PulseTicks;
    const double size = HintHeight * m_scale;
    update(QRectF(HintTip * m_scale + QPointF(-0.45, -0.3) * size, QSizeF(1.35, 1.5) * size)
               .toAlignedRect());
}

// The hand taps: it dips toward the title and back once a pulse, and a ring spreads from its
// fingertip and fades, as a touch on a screen does.
void Form2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(SplashBack));
    painter.drawPixmap(0, 0, m_picture);
    if (!m_hintShown) return;
    const double phase = double(m_pulseTick) / PulseTicks;
    const double press = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * phase);
    const double size = HintHeight * m_scale;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(HintTip * m_scale);
    painter.setPen(QPen(QColor(255, 255, 255, int(255 * (1 - phase))), 4 * m_scale));
    painter.setBrush(Qt::NoBrush);
    const double ripple = size * (0.08 + 0.3 * phase);
    painter.drawEllipse(QPointF(), ripple, ripple * 0.6);
    painter.rotate(-20);
    painter.translate(0, size * 0.1 * (1 - press));
    painter.scale(size / 100 * (1 - 0.06 * press), size / 100 * (1 - 0.06 * press));
    drawHand(painter);
}

void Form2::mousePressEvent(QMouseEvent*) {
    Form_Click();
}

void Form2::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        Form_Click();
        return;
    }
    if (!m_hintShown) m_hintWait.start();
    QWidget::keyPressEvent(event);
}

// A frameless window is not always activated by the window manager, and the keys go only to the
// active window's focus.
void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
    if (!m_hintShown) m_hintWait.start();
}
