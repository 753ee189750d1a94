// Plays a GIF in a label with QMovie and tells when the animation has run through once.
#include "gif_control.h"

#include "game/units.h"
#include "picture_loader.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <optional>

namespace {

// How long a last frame that gives no delay of its own stays up; browsers show such frames too.
constexpr int DefaultFrameDelayMs = 100;

} // namespace

GifControl::GifControl(QWidget* parent) : QLabel(parent) {
    // A click on the cell under the success animation must still reach the cell.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The board shows through around and behind the animation.
    setAutoFillBackground(false);
    setAlignment(Qt::AlignCenter);
    m_endTimer.setSingleShot(true);
    connect(&m_endTimer, &QTimer::timeout, this, &GifControl::raiseGifEnd);
}

void GifControl::setGifFile(const QString& path) {
    dropMovie();
    m_gifFile = path;
    // The file is checked against the picture budgets and read once; the movie plays those bytes,
    // so the path is never opened again and a FIFO or a device swapped in later cannot block it.
    const std::optional<AnimationFile> animation = readAnimation(path);
    if (!animation) return;
    m_naturalSize = animation->size;
    {
        // QMovie checks the header only; decoding the first frame keeps a broken file from
        // showing an empty box or stopping half-way.
        QBuffer probe;
        probe.setData(animation->bytes);
        probe.open(QIODevice::ReadOnly);
        const QImage first = QImageReader(&probe).read();
        if (first.isNull()) return;
        if (!m_naturalSize.isValid()) m_naturalSize = first.size();
    }
    auto* data = new QBuffer;
    data->setData(animation->bytes);
    data->open(QIODevice::ReadOnly);
    m_movie = new QMovie(data, QByteArray(), this);
    data->setParent(m_movie); // the movie never owns its device
    connect(m_movie, &QMovie::frameChanged, this, &GifControl::onFrameChanged);
    connect(m_movie, &QMovie::finished, this, &GifControl::onFinished);
    // Playing from memory, the movie reports an error each time it starts a loop over (it asks
    // the device for a picture before rewinding it) and plays on; only an error followed by the
    // movie's end, with no frame between, is a frame that did not decode.
    connect(m_movie, &QMovie::error, this, [this] { m_readFailed = true; });
    fitMovie();
    setMovie(m_movie);
    if (isVisible()) resume();
}

void GifControl::setTop(double twips) {
    m_top = twips;
    placeInPixels();
}

void GifControl::setLeft(double twips) {
    m_left = twips;
    placeInPixels();
}

void GifControl::setSizeTwips(double width, double height) {
    resize(units::toPixels(width), units::toPixels(height));
    fitMovie();
}

void GifControl::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    resume();
}

void GifControl::hideEvent(QHideEvent* event) {
    QLabel::hideEvent(event);
    pause();
}

void GifControl::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitMovie();
}

// The twips stay the truth; pixels are derived from them here only, so no rounding piles up.
void GifControl::placeInPixels() {
    QWidget::move(units::toPixels(m_left), units::toPixels(m_top));
}

void GifControl::fitMovie() {
    if (!m_movie || size().isEmpty() || m_naturalSize.isEmpty()) return;
    m_movie->setScaledSize(m_naturalSize.scaled(size(), Qt::KeepAspectRatio));
}

void GifControl::dropMovie() {
    m_endTimer.stop();
    m_endWaitLeft = -1;
    m_endRaised = false;
    m_readFailed = false;
    m_started = false;
    m_lastFrame = -1;
    if (!m_movie) return;
    m_movie->disconnect(this);
    m_movie->stop();
    clear();
    // This may run inside one of the movie's own signals.
    m_movie->deleteLater();
    m_movie = nullptr;
}

void GifControl::pause() {
    if (m_movie && m_movie->state() == QMovie::Running) m_movie->setPaused(true);
    if (m_endTimer.isActive()) {
        m_endWaitLeft = m_endTimer.remainingTime();
        m_endTimer.stop();
    }
}

void GifControl::resume() {
    if (!m_movie) return;
    if (!m_started) {
        m_started = true;
        m_movie->start();
    } else if (m_movie->state() == QMovie::Paused) {
        m_movie->setPaused(false);
    }
    if (m_endWaitLeft >= 0) {
        m_endTimer.start(m_endWaitLeft);
        m_endWaitLeft = -1;
    }
}

void GifControl::onFrameChanged(int frame) {
    m_readFailed = false;
    if (!endUnderWay()) {
        // A reader that cannot count its frames still shows the loop starting over.
        if (frame < m_lastFrame) {
            m_endTimer.start(0);
        } else if (frame == m_movie->frameCount() - 1) {
            const int delay = m_movie->nextFrameDelay();
            m_endTimer.start(delay > 0 ? delay : DefaultFrameDelayMs);
        }
    }
    m_lastFrame = frame;
}

// A play-once movie finishes after its last delay, so nothing is left to wait for. A movie that
// ends on a frame it could not read shows nothing, as a file that cannot be shown.
void GifControl::onFinished() {
    if (m_readFailed) {
        dropMovie();
        return;
    }
    if (!endUnderWay()) m_endTimer.start(0);
}

bool GifControl::endUnderWay() const {
    return m_endRaised || m_endTimer.isActive() || m_endWaitLeft >= 0;
}

void GifControl::raiseGifEnd() {
    m_endRaised = true;
    emit GifEnd();
}
