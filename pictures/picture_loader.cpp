// The one way every program reads pictures: budgets from the file, header sizes, and decoding at
// the shown size.
#include "picture_loader.h"

#include "jpeg_markers.h"
#include "regular_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Reports count thousands the way a teacher reads them: 5,000.
QString number(qint64 value) {
    return QLocale(QLocale::English).toString(value);
}

// A regular, non-empty file opened for reading; nullptr for anything else. An empty file is no
// picture, and some readers take it for a device that has not answered yet.
std::unique_ptr<QFile> openPicture(const QString& path) {
    std::unique_ptr<QFile> file = openRegularFile(path);
    if (!file || file->size() == 0) return nullptr;
    return file;
}

// What the header says: the size as stored, the frames, and whether it must be turned upright.
struct Header {
    QSize stored;
    int frames = 1;
    bool sideways = false;

    QSize oriented() const { return sideways ? stored.transposed() : stored; }
};

std::optional<Header> readHeader(QImageReader& reader) {
    // A GIF's reader counts its frames by walking the blocks; one that cannot count says 0. Asked
    // before the size: the TIFF reader counts from where the device stands, and after the header
    // that is no longer the file's start.
    const int frames = std::max(reader.imageCount(), 1);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty()) return std::nullopt;
    const bool sideways = reader.autoTransform() &&
                          reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    return Header{stored, frames, sideways};
}

std::optional<QString> pixelRefusal(const Header& header) {
    const qint64 framePixels = qint64(header.stored.width()) * header.stored.height();
    // The first test keeps the product below from overflowing.
    if (framePixels <= MaxPicturePixels && framePixels * header.frames <= MaxPicturePixels)
        return std::nullopt;
    QString size = QStringLiteral("too large: %1 x %2")
                       .arg(number(header.stored.width()), number(header.stored.height()));
    if (header.frames > 1) size += QStringLiteral(" x %1 frames").arg(number(header.frames));
    return size;
}

QString megabytes(qint64 bytes) {
    return QString::number(double(bytes) / (1024 * 1024), 'f', 1);
}

// A budget in whole megabytes, as it is set.
QString limitMegabytes(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024));
}

// The part of ProgressiveDecodingBytes the JPEG's decoder holds: its coefficients when it is
// progressive, nothing otherwise (a baseline decoder holds a few rows of blocks).
qint64 decodingShare(const std::optional<JpegLayout>& jpeg) {
    return jpeg && jpeg->progressive ? std::max<qint64>(jpeg->coefficientBytes, 1) : 0;
}

// The budgets that only a JPEG's markers can tell: its scans, and a progressive one's coefficients.
std::optional<QString> jpegRefusal(const std::optional<JpegLayout>& jpeg) {
    if (!jpeg) return std::nullopt;
    if (jpeg->scans > MaxJpegScans || jpeg->stoppedEarly)
        return QStringLiteral("too many scans (%1; at most %2)")
            .arg(number(jpeg->scans), number(MaxJpegScans));
    if (decodingShare(jpeg) > MaxProgressiveBytes)
        return QStringLiteral("too large to decode progressively (%1 MB; at most %2 MB)")
            .arg(megabytes(jpeg->coefficientBytes), limitMegabytes(MaxProgressiveBytes));
    return std::nullopt;
}

// The JPEG's layout read from memory when the file is there, otherwise from the device in bounded
// chunks; the device is left at its start for the reader. nullopt for anything but a JPEG.
std::optional<JpegLayout> jpegLayout(QIODevice& device, QByteArrayView inMemory, int stopAfter) {
    if (!device.peek(2).startsWith("\xFF\xD8")) return std::nullopt;
    if (!inMemory.isEmpty()) return walkJpeg(inMemory, stopAfter);
    const std::optional<JpegLayout> layout = walkJpeg(device, stopAfter);
    device.seek(0);
    return layout;
}

// A large decoder's coefficients come in blocks of several megabytes (one a component).
constexpr qint64 LargeAllocationBytes = 4LL * 1024 * 1024;

// glibc serves a block of under 32 MB from the heap of the thread that asks once a block of that
// size has been freed, and keeps such heaps when they are free again: the six decoder threads of a
// round would go on holding 100 MB between rounds. Blocks of LargeAllocationBytes and more are
// mapped and unmapped on their own instead, from the first large decode on, for the whole process.
void allocateLargeBlocksApart() {
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] { mallopt(M_MMAP_THRESHOLD, int(LargeAllocationBytes)); });
#endif
}

// ProgressiveDecodingBytes, shared by the decoders of every thread.
struct DecodingBudget {
    std::mutex mutex;
    std::condition_variable freed;
    qint64 held = 0;
};

DecodingBudget& decodingBudget() {
    static DecodingBudget budget;
    return budget;
}

// A part of the budget, held for as long as its decoder runs.
class DecodingShare {
  public:
    explicit DecodingShare(qint64 bytes) : m_bytes(bytes) {
        if (m_bytes == 0) return;
        if (m_bytes >= LargeAllocationBytes) allocateLargeBlocksApart();
        std::unique_lock lock(m_budget.mutex);
        // One that needs more than the whole budget waits until it decodes alone.
        m_budget.freed.wait(lock, [this] {
            return m_budget.held == 0 || m_budget.held + m_bytes <= ProgressiveDecodingBytes;
        });
        m_budget.held += m_bytes;
    }
    // Ends after the decoder that it was taken for has been destroyed.
    ~DecodingShare() {
        if (m_bytes == 0) return;
        {
            const std::lock_guard lock(m_budget.mutex);
            m_budget.held -= m_bytes;
        }
        m_budget.freed.notify_all();
    }
    DecodingShare(const DecodingShare&) = delete;
    DecodingShare& operator=(const DecodingShare&) = delete;

  private:
    DecodingBudget& m_budget = decodingBudget();
    qint64 m_bytes;
};

// What readAnimation and animationRefusal both find.
struct AnimationVerdict {
    std::optional<AnimationFile> animation;
    std::optional<QString> refusal;
};

AnimationVerdict examineAnimation(const QString& path, int stopAfterScans) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return {};
    const auto tooLargeFile = [](qint64 size) {
        return QStringLiteral("too large a file (%1 MB; at most %2 MB)")
            .arg(megabytes(size), limitMegabytes(MaxAnimationBytes));
    };
    if (file->size() > MaxAnimationBytes) return {std::nullopt, tooLargeFile(file->size())};
    // A byte more than the size tells a file that grew since it was asked its size; the buffer
    // is never larger than the file.
    QByteArray bytes = file->read(file->size() + 1);
    if (bytes.size() > MaxAnimationBytes) return {std::nullopt, tooLargeFile(bytes.size())};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (auto refusal = jpegRefusal(jpegLayout(buffer, bytes, stopAfterScans)))
        return {std::nullopt, refusal};
    QImageReader reader(&buffer);
    const std::optional<Header> header = readHeader(reader);
    if (!header) return {};
    if (auto refusal = pixelRefusal(*header)) return {std::nullopt, refusal};
    return {AnimationFile{bytes, header->stored}, std::nullopt};
}

} // namespace

std::optional<QSize> pictureSize(const QString& path) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return std::nullopt;
    QImageReader reader(file.get());
    reader.setAutoTransform(true);
    const std::optional<Header> header = readHeader(reader);
    if (!header || pixelRefusal(*header)) return std::nullopt;
    return header->oriented();
}

bool canShowPicture(const QString& path) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return false;
    if (jpegRefusal(jpegLayout(*file, {}, MaxJpegScans))) return false;
    {
        QImageReader reader(file.get());
        reader.setAutoTransform(true);
        const std::optional<Header> header = readHeader(reader);
        if (!header || pixelRefusal(*header)) return false;
    }
    // A reader that has told the size may stand elsewhere in the file: a fresh one answers.
    file->seek(0);
    return QImageReader(file.get()).canRead();
}

std::optional<QString> pictureRefusal(const QString& path) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return std::nullopt;
    // Every scan is counted, so that the report can say how far over the budget the file is: the
    // walk reads the file once and decodes nothing.
    if (auto refusal = jpegRefusal(jpegLayout(*file, {}, std::numeric_limits<int>::max())))
        return refusal;
    QImageReader reader(file.get());
    const std::optional<Header> header = readHeader(reader);
    return header ? pixelRefusal(*header) : std::nullopt;
}

QImage loadPicture(const QString& path, QSize shownSize) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return {};
    // The frame header, before the first scan, tells what a progressive decoder will hold: the
    // picture waits for its share before its bytes are read, so that those queued hold nothing.
    const qint64 shareBytes = decodingShare(jpegLayout(*file, {}, 0));
    if (shareBytes > MaxProgressiveBytes) return {};
    const DecodingShare share(shareBytes);
    // A photo is read whole first: the JPEG decoder then runs from memory, noticeably faster than
    // through a file device. Larger files (rare, and slow anyway) are decoded from the file, so
    // that six of them at once cannot take much memory.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QIODevice* source = file.get();
    if (file->size() <= MaxPictureBytesInMemory) {
        bytes = file->read(file->size());
        buffer.open(QIODevice::ReadOnly);
        source = &buffer;
    }
    const std::optional<JpegLayout> jpeg = jpegLayout(*source, bytes, MaxJpegScans);
    // The share was taken for what the frame header said; a file changed since then is refused
    // here rather than decoded beyond it.
    if (jpegRefusal(jpeg) || decodingShare(jpeg) > shareBytes) return {};
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const std::optional<Header> header = readHeader(reader);
    if (!header || pixelRefusal(*header)) return {};
    const QSize natural = header->oriented();
    if (!shownSize.isEmpty() &&
        (shownSize.width() < natural.width() || shownSize.height() < natural.height())) {
        const QSize scaled = shownSize.boundedTo(natural);
        // The reader scales the picture as stored, before turning it upright.
        reader.setScaledSize(header->sideways ? scaled.transposed() : scaled);
    }
    QImage image;
    // A truncated file yields a partly decoded image and false: that is no picture to show.
    if (!reader.read(&image)) return {};
    return image;
}

std::optional<AnimationFile> readAnimation(const QString& path) {
    return examineAnimation(path, MaxJpegScans).animation;
}

std::optional<QString> animationRefusal(const QString& path) {
    return examineAnimation(path, std::numeric_limits<int>::max()).refusal;
}
