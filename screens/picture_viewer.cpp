// The picture viewer: decodes the picture at its shown size, places the window, closes on a click.
#include "picture_viewer.h"

#include "asset_paths.h"
#include "focus_ring.h"
#include "layout.h"
#include "picture_loader.h"
#include "screen_area.h"
#include "units.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace {

// Picture1's place inside the window, in twips.
constexpr double PictureLeft = 120;
constexpr double PictureTop = 120;
const QColor BorderColour(0x60, 0x60, 0x60);

} // namespace

void Form4::open(const assets::AssetPaths& paths, const QString& pictureFile, QWidget* parent) {
    Form4 viewer(paths, pictureFile, parent);
    if (viewer.pictureLoaded()) viewer.exec();
}

Form4::Form4(const assets::AssetPaths& paths, const QString& pictureFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_paths(paths),
      m_pictureFile(pictureFile) {
    setObjectName(QStringLiteral("Form4"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->installEventFilter(this);
    // The picture is the viewer's one button (Enter, Space or a click close it): it holds the
    // focus, and the ring round it, in the margin the window leaves about it, says so.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(Picture1);
    FocusRing::follow(this);
    Form_Load();
}

// Nothing is shown unless every step succeeds; the window then stays as built, and open() does
// not show it.
void Form4::Form_Load() {
    if (m_pictureFile.isEmpty()) return;
    const QString path = m_paths.picture(m_pictureFile);
    const std::optional<QSize> natural = pictureSize(path);
    if (!natural) return;

    const QRect area = screenArea(parentWidget());
    const ViewerPlacement place =
        ViewerWindow(units::toTwips(natural->width()), units::toTwips(natural->height()),
                     units::toTwips(area.width()), units::toTwips(area.height()));
    const QRect shown =
        toPixelRect({PictureLeft, PictureTop, place.pictureWidth, place.pictureHeight});
    QImage picture = loadPicture(path, shown.size());
    if (picture.isNull()) return;
    // The loader never decodes larger than natural; a small picture is enlarged smoothly here.
    if (picture.size() != shown.size())
        picture = picture.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    Picture1->setPixmap(QPixmap::fromImage(picture));
    Picture1->setGeometry(shown);
    // Frameless: the window's outer size is its own size.
    const QRect window = toPixelRect(place.window);
    setFixedSize(window.size());
    move(area.topLeft() + window.topLeft());
    m_loaded = true;
}

void Form4::Picture1_Click() {
    accept();
}

void Form4::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        // The Enter that opened the viewer, held down, must not close it at once.
        if (!event->isAutoRepeat()) Picture1_Click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool Form4::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1 && event->type() == QEvent::MouseButtonPress) {
        Picture1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The fixed single border that a frameless window does not get from the window manager.
void Form4::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(BorderColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
