// The splash screen: draws the title picture, centres itself, a click or a key opens the menu.
#include "splash_screen.h"

#include "asset_paths.h"
#include "colours.h"
#include "layout.h"
#include "navigation.h"
#include "screen_area.h"
#include "units.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdint>

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
    const double scale = windowScale(ClientWidth, ClientHeight, units::toTwips(screen.width()),
                                     units::toTwips(screen.height()));
    setFixedSize(units::toPixels(ClientWidth * scale), units::toPixels(ClientHeight * scale));
    if (scale != 1 && !m_picture.isNull())
        m_picture = m_picture.scaled(m_picture.size() * scale, Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
    // The whole window is the button; the hand says so.
    setCursor(Qt::PointingHandCursor);
    // A player without a mouse goes on with Enter or Space.
    setFocusPolicy(Qt::StrongFocus);
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

void Form2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(SplashBack));
    painter.drawPixmap(0, 0, m_picture);
}

void Form2::mousePressEvent(QMouseEvent*) {
    Form_Click();
}

void Form2::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        Form_Click();
    else
        QWidget::keyPressEvent(event);
}

// A frameless window is not always activated by the window manager, and the keys go only to the
// active window's focus.
void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}
