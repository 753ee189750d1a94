// The one way the game reads pictures: header sizes and decoding at the shown size.
#include "picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// A folder, FIFO or device must never reach the reader: a FIFO would block the game.
bool isReadableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

bool turnsSideways(const QImageReader& reader) {
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// The header's size, as the picture will be seen once its orientation is applied.
std::optional<QSize> orientedSize(QImageReader& reader) {
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty()) return std::nullopt;
    if (static_cast<qint64>(stored.width()) * stored.height() > MaxPicturePixels) {
        return std::nullopt;
    }
    return turnsSideways(reader) ? stored.transposed() : stored;
}

} // namespace

std::optional<QSize> pictureSize(const QString& path) {
    if (!isReadableFile(path)) return std::nullopt;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return orientedSize(reader);
}

bool canShowPicture(const QString& path) {
    if (!pictureSize(path)) return false;
    QImageReader reader(path);
    return reader.canRead();
}

QImage loadPicture(const QString& path, QSize shownSize) {
    if (!isReadableFile(path)) return {};
    // A photo is read whole first: the JPEG decoder then runs from memory, noticeably faster than
    // through a file device. Larger files (rare, and slow anyway) are decoded from the file, so
    // that six of them at once cannot take much memory.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QIODevice* source = &file;
    if (file.size() <= MaxPictureBytesInMemory) {
        bytes = file.readAll();
        buffer.open(QIODevice::ReadOnly);
        source = &buffer;
    }
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const std::optional<QSize> natural = orientedSize(reader);
    if (!natural) return {};
    if (!shownSize.isEmpty() &&
        (shownSize.width() < natural->width() || shownSize.height() < natural->height())) {
        const QSize scaled = shownSize.boundedTo(*natural);
        // The reader scales the picture as stored, before turning it upright.
        reader.setScaledSize(turnsSideways(reader) ? scaled.transposed() : scaled);
    }
    QImage image;
    // A truncated file yields a partly decoded image and false: that is no picture to show.
    if (!reader.read(&image)) return {};
    return image;
}
