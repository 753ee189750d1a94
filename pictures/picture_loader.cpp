// The one way every program reads pictures: budgets from the file, header sizes, and decoding at
// the shown size.
#include "picture_loader.h"

#include "jpeg_markers.h"
#include "png_chunks.h"
#include "regular_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The words of a refusal, in each language a set of texts may be in.
struct Wording {
    const char* tooLarge;    // a size
    const char* frames;      // after the size, for more than one frame
    const char* bitsAColour; // after the size, for more than 8 bits a channel
    const char* toDecode;    // after the size: the decoded bytes and Qt's limit
    const char* canvas;      // an animation's canvas
    const char* scans;
    const char* progressive;
    const char* chunks;
    const char* largeFile;
};

constexpr Wording English{
    "too large: %1 x %2",
    " x %1 frames",
    " at %1 bits a colour",
    " (%1 MB to decode; at most %2 MB)",
    "too large: a canvas of %1 x %2",
    "too many scans (%1; at most %2)",
    "too large to decode progressively (%1 MB; at most %2 MB)",
    "too many chunks (over %1)",
    "too large a file (%1 MB; at most %2 MB)",
};

constexpr Wording Spanish{
    "demasiado grande: %1 x %2",
    " x %1 fotogramas",
    " a %1 bits por color",
    " (%1 MB al descodificarla; como mucho %2 MB)",
    "demasiado grande: un lienzo de %1 x %2",
    "demasiados barridos (%1; como mucho %2)",
    "demasiado grande para descodificarla progresivamente (%1 MB; como mucho %2 MB)",
    "demasiados fragmentos (más de %1)",
    "archivo demasiado grande (%1 MB; como mucho %2 MB)",
};

QString say(const char* Wording::*text, Language language) {
    return QString::fromUtf8((language == Language::Spanish ? Spanish : English).*text);
}

// Counts the way a teacher reads them: 5,000 in English, 5.000 in Spanish (whose locale would
// write four digits without a separator).
QString number(qint64 value, Language language) {
    QString text = QLocale(QLocale::English).toString(value);
    if (language == Language::Spanish) text.replace(u',', u'.');
    return text;
}

QString megabytes(qint64 bytes, Language language) {
    QString text = QString::number(double(bytes) / (1024 * 1024), 'f', 1);
    if (language == Language::Spanish) text.replace(u'.', u',');
    return text;
}

// A budget in whole megabytes, as it is set.
QString limitMegabytes(qint64 bytes, Language language) {
    return number(bytes / (1024 * 1024), language);
}

// A picture file opened for reading, and the device its readers are given: a PNG with text
// chunks is seen without them.
class PictureFile {
  public:
    // nullptr for anything but a regular, non-empty file. An empty file is no picture, and some
    // readers take it for a device that has not answered yet.
    static std::unique_ptr<PictureFile> open(const QString& path) {
        std::unique_ptr<QFile> file = openRegularFile(path);
        if (!file || file->size() == 0) return nullptr;
        return std::unique_ptr<PictureFile>(new PictureFile(std::move(file)));
    }

    QFile& file() { return *m_file; }
    QIODevice& device() {
        return m_withoutText ? static_cast<QIODevice&>(*m_withoutText) : *m_file;
    }
    const std::optional<PngLayout>& png() const { return m_png; }

  private:
    explicit PictureFile(std::unique_ptr<QFile> file) : m_file(std::move(file)) {
        m_png = walkPng(*m_file, MaxPngChunks);
        m_file->seek(0);
        if (m_png && !m_png->stoppedEarly && !m_png->text.empty())
            m_withoutText = std::make_unique<DeviceWithout>(*m_file, m_png->text);
    }

    std::unique_ptr<QFile> m_file;
    std::optional<PngLayout> m_png;
    std::unique_ptr<DeviceWithout> m_withoutText; // last: it reads m_file
};

// What the header says: the size as stored, the frames, whether it must be turned upright, and
// what its decoder will allocate.
struct Header {
    QSize stored;
    int frames = 1;
    bool sideways = false;
    QImage::Format format = QImage::Format_Invalid; // as the reader tells it before decoding
    bool decodesScaled = false; // the decoder allocates only the size it is asked for

    QSize oriented() const { return sideways ? stored.transposed() : stored; }
};

std::optional<Header> readHeader(QImageReader& reader, const std::optional<PngLayout>& png) {
    // A GIF's reader counts its frames by walking the blocks; one that cannot count says 0. Asked
    // before the size: the TIFF reader counts from where the device stands, and after the header
    // that is no longer the file's start.
    const int frames = std::max(reader.imageCount(), 1);
    QSize stored = reader.size();
    // Qt 6.4's BMP reader passes on a top-down BMP's negative height, and decodes it upright.
    if (stored.height() < 0 && reader.format() == "bmp") stored.setHeight(-stored.height());
    if (!stored.isValid() || stored.isEmpty()) return std::nullopt;
    const bool sideways = reader.autoTransform() &&
                          reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QImage::Format format = reader.imageFormat();
    // libjpeg scales while it decodes; Qt's PNG decoder does for 8 bits a channel in colour or
    // with alpha (Qt's 32-bit formats) unless the rows are interlaced. Every other decoder of Qt
    // 6.4 decodes the whole picture and scales it afterwards.
    const QByteArray kind = reader.format();
    const bool decodesScaled =
        kind == "jpeg" ||
        (kind == "png" && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) &&
         !(png && png->interlaced));
    return Header{stored, frames, sideways, format, decodesScaled};
}

std::optional<QString> pixelRefusal(const Header& header, Language language) {
    const qint64 framePixels = qint64(header.stored.width()) * header.stored.height();
    // The first test keeps the product below from overflowing.
    if (framePixels <= MaxPicturePixels && framePixels * header.frames <= MaxPicturePixels)
        return std::nullopt;
    QString size =
        say(&Wording::tooLarge, language)
            .arg(number(header.stored.width(), language), number(header.stored.height(), language));
    if (header.frames > 1)
        size += say(&Wording::frames, language).arg(number(header.frames, language));
    return size;
}

// What Qt's decoders allocate for a picture decoded whole, as Qt counts it against its limit: at
// least 32 bits a pixel, rows padded to 4 bytes.
qint64 decodedBytes(QSize size, QImage::Format format) {
    const int bits = std::max<int>(32, QImage::toPixelFormat(format).bitsPerPixel());
    return (qint64(size.width()) * bits + 31) / 32 * 4 * size.height();
}

// Qt's allocation limit in bytes; 0 when it is off.
qint64 allocationLimitBytes() {
    return qint64(std::max(QImageReader::allocationLimit(), 0)) * 1024 * 1024;
}

int bitsPerColour(QImage::Format format) {
    switch (format) {
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
        return 16;
    case QImage::Format_RGBX32FPx4:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
        return 32;
    default:
        return 8;
    }
}

// The picture that Qt's decoder would refuse while decoding it, for the memory it would take.
std::optional<QString> allocationRefusal(const Header& header, Language language) {
    const qint64 limit = allocationLimitBytes();
    const qint64 bytes = decodedBytes(header.stored, header.format);
    if (header.decodesScaled || limit == 0 || bytes <= limit) return std::nullopt;
    QString size =
        say(&Wording::tooLarge, language)
            .arg(number(header.stored.width(), language), number(header.stored.height(), language));
    if (const int bits = bitsPerColour(header.format); bits > 8)
        size += say(&Wording::bitsAColour, language).arg(bits);
    return size + say(&Wording::toDecode, language)
                      .arg(megabytes(bytes, language), limitMegabytes(limit, language));
}

std::optional<QString> headerRefusal(const Header& header, Language language) {
    if (auto refusal = pixelRefusal(header, language)) return refusal;
    return allocationRefusal(header, language);
}

// An animated WebP's canvas, from its VP8X chunk: flags, three reserved bytes, then the width and
// the height less one, in 24 bits each. nullopt for anything else.
std::optional<QSize> animatedWebpCanvas(QIODevice& device) {
    const QByteArray head = device.peek(30);
    if (head.size() < 30 || !head.startsWith("RIFF") || head.mid(8, 8) != "WEBPVP8X")
        return std::nullopt;
    constexpr char Animation = 0x02;
    if (!(head[20] & Animation)) return std::nullopt;
    const auto at24 = [&head](int at) {
        return int(quint8(head[at]) | quint8(head[at + 1]) << 8 | quint8(head[at + 2]) << 16) + 1;
    };
    return QSize(at24(24), at24(27));
}

// The budgets that the file's layout tells before any reader is made: a PNG's chunks, and an
// animated WebP's canvas, which Qt allocates while it reads the header.
std::optional<QString> layoutRefusal(PictureFile& picture, Language language) {
    if (picture.png() && picture.png()->stoppedEarly)
        return say(&Wording::chunks, language).arg(number(MaxPngChunks, language));
    const std::optional<QSize> canvas = animatedWebpCanvas(picture.device());
    if (!canvas) return std::nullopt;
    const qint64 limit = allocationLimitBytes();
    const qint64 bytes = decodedBytes(*canvas, QImage::Format_ARGB32);
    if (limit == 0 || bytes <= limit) return std::nullopt;
    return say(&Wording::canvas, language)
               .arg(number(canvas->width(), language), number(canvas->height(), language)) +
           say(&Wording::toDecode, language)
               .arg(megabytes(bytes, language), limitMegabytes(limit, language));
}

// The part of ProgressiveDecodingBytes the JPEG's decoder holds: its coefficients when it is
// progressive, nothing otherwise (a baseline decoder holds a few rows of blocks).
qint64 decodingShare(const std::optional<JpegLayout>& jpeg) {
    return jpeg && jpeg->progressive ? std::max<qint64>(jpeg->coefficientBytes, 1) : 0;
}

// The budgets that only a JPEG's markers can tell: its scans, and a progressive one's coefficients.
std::optional<QString> jpegRefusal(const std::optional<JpegLayout>& jpeg,
                                   Language language = Language::English) {
    if (!jpeg) return std::nullopt;
    if (jpeg->scans > MaxJpegScans || jpeg->stoppedEarly)
        return say(&Wording::scans, language)
            .arg(number(jpeg->scans, language), number(MaxJpegScans, language));
    if (decodingShare(jpeg) > MaxProgressiveBytes)
        return say(&Wording::progressive, language)
            .arg(megabytes(jpeg->coefficientBytes, language),
                 limitMegabytes(MaxProgressiveBytes, language));
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

// A large decoder's coefficients come in blocks of several megabytes (one a component); a picture
// of 512 x 512 decodes through buffers of a megabyte and more (its rows in full colour).
constexpr qint64 MappedBlockBytes = 256 * 1024;

// glibc serves a block of under 32 MB from the heap of the thread that asks once a block of that
// size has been freed, and keeps such heaps when they are free again: the decoder threads of a
// round would go on holding 100 MB of a phone's photos between rounds, and the bundled pictures'
// buffers, scattered over the heaps, a few megabytes more every few rounds. Blocks of
// MappedBlockBytes and more are mapped and unmapped on their own instead (a few a picture, each
// far cheaper than its decoding), from the first picture decoded on, for the whole process.
// The largest PNG scaled after decoding rather than while (see loadPicture).
constexpr qint64 SmoothlyScaledPixels = 1024 * 1024;

void allocateLargeBlocksApart() {
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] { mallopt(M_MMAP_THRESHOLD, int(MappedBlockBytes)); });
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

AnimationVerdict examineAnimation(const QString& path, int stopAfterScans, Language language) {
    const std::unique_ptr<PictureFile> picture = PictureFile::open(path);
    if (!picture) return {};
    const auto tooLargeFile = [language](qint64 size) {
        return say(&Wording::largeFile, language)
            .arg(megabytes(size, language), limitMegabytes(MaxAnimationBytes, language));
    };
    const qint64 fileSize = picture->file().size();
    if (fileSize > MaxAnimationBytes) return {std::nullopt, tooLargeFile(fileSize)};
    if (auto refusal = layoutRefusal(*picture, language)) return {std::nullopt, refusal};
    // A byte more than the size tells a file that grew since it was asked its size; the buffer
    // is never larger than the file.
    QIODevice& device = picture->device();
    QByteArray bytes = device.read(device.size() + 1);
    if (bytes.size() > MaxAnimationBytes) return {std::nullopt, tooLargeFile(bytes.size())};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (auto refusal = jpegRefusal(jpegLayout(buffer, bytes, stopAfterScans), language))
        return {std::nullopt, refusal};
    QImageReader reader(&buffer);
    const std::optional<Header> header = readHeader(reader, picture->png());
    if (!header) return {};
    if (auto refusal = headerRefusal(*header, language)) return {std::nullopt, refusal};
    return {AnimationFile{bytes, header->stored}, std::nullopt};
}

} // namespace

std::optional<QSize> pictureSize(const QString& path) {
    const std::unique_ptr<PictureFile> picture = PictureFile::open(path);
    if (!picture || layoutRefusal(*picture, Language::English)) return std::nullopt;
    QImageReader reader(&picture->device());
    reader.setAutoTransform(true);
    const std::optional<Header> header = readHeader(reader, picture->png());
    if (!header || headerRefusal(*header, Language::English)) return std::nullopt;
    return header->oriented();
}

bool canShowPicture(const QString& path) {
    const std::unique_ptr<PictureFile> picture = PictureFile::open(path);
    if (!picture) return false;
    QIODevice& device = picture->device();
    if (jpegRefusal(jpegLayout(device, {}, MaxJpegScans))) return false;
    if (layoutRefusal(*picture, Language::English)) return false;
    {
        QImageReader reader(&device);
        reader.setAutoTransform(true);
        const std::optional<Header> header = readHeader(reader, picture->png());
        if (!header || headerRefusal(*header, Language::English)) return false;
    }
    // A reader that has told the size may stand elsewhere in the file: a fresh one answers.
    device.seek(0);
    return QImageReader(&device).canRead();
}

std::optional<QString> pictureRefusal(const QString& path, Language language) {
    const std::unique_ptr<PictureFile> picture = PictureFile::open(path);
    if (!picture) return std::nullopt;
    QIODevice& device = picture->device();
    // Every scan is counted, so that the report can say how far over the budget the file is: the
    // walk reads the file once and decodes nothing.
    if (auto refusal =
            jpegRefusal(jpegLayout(device, {}, std::numeric_limits<int>::max()), language))
        return refusal;
    if (auto refusal = layoutRefusal(*picture, language)) return refusal;
    QImageReader reader(&device);
    const std::optional<Header> header = readHeader(reader, picture->png());
    return header ? headerRefusal(*header, language) : std::nullopt;
}

QImage loadPicture(const QString& path, QSize shownSize) {
    allocateLargeBlocksApart();
    const std::unique_ptr<PictureFile> picture = PictureFile::open(path);
    if (!picture || layoutRefusal(*picture, Language::English)) return {};
    QIODevice& device = picture->device();
    // The frame header, before the first scan, tells what a progressive decoder will hold: the
    // picture waits for its share before its bytes are read, so that those queued hold nothing.
    const qint64 shareBytes = decodingShare(jpegLayout(device, {}, 0));
    if (shareBytes > MaxProgressiveBytes) return {};
    const DecodingShare share(shareBytes);
    // A photo is read whole first: the JPEG decoder then runs from memory, noticeably faster than
    // through a file device. Larger files (rare, and slow anyway) are decoded from the file, so
    // that six of them at once cannot take much memory.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QIODevice* source = &device;
    if (device.size() <= MaxPictureBytesInMemory) {
        bytes = device.read(device.size());
        buffer.open(QIODevice::ReadOnly);
        source = &buffer;
    }
    const std::optional<JpegLayout> jpeg = jpegLayout(*source, bytes, MaxJpegScans);
    // The share was taken for what the frame header said; a file changed since then is refused
    // here rather than decoded beyond it.
    if (jpegRefusal(jpeg) || decodingShare(jpeg) > shareBytes) return {};
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const std::optional<Header> header = readHeader(reader, picture->png());
    if (!header || headerRefusal(*header, Language::English)) return {};
    const QSize natural = header->oriented();
    QSize scaled;
    if (!shownSize.isEmpty() &&
        (shownSize.width() < natural.width() || shownSize.height() < natural.height()))
        scaled = shownSize.boundedTo(natural);
    // Qt scales a palette picture (every bundled one is) in full colour and then dithers it back
    // to its palette: speckles all over it, in the reader's scaling as in QImage::scaled. So a PNG
    // of up to a megapixel is decoded whole, turned into full colour and scaled here (a few MB
    // for a moment); larger ones, and the other formats (JPEG scales well as it decodes), keep
    // the reader's scaling and its small memory.
    const bool scaleAfter = scaled.isValid() && reader.format() == "png" &&
                            qint64(natural.width()) * natural.height() <= SmoothlyScaledPixels;
    if (scaled.isValid() && !scaleAfter) {
        // The reader scales the picture as stored, before turning it upright.
        reader.setScaledSize(header->sideways ? scaled.transposed() : scaled);
    }
    QImage image;
    // A truncated file yields a partly decoded image and false: that is no picture to show.
    if (!reader.read(&image)) return {};
    // In full colour, so that whoever scales it further (the viewer enlarging it) smooths it too.
    if (image.colorCount() > 0) image.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (scaleAfter) return image.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

std::optional<AnimationFile> readAnimation(const QString& path) {
    return examineAnimation(path, MaxJpegScans, Language::English).animation;
}

std::optional<QString> animationRefusal(const QString& path, Language language) {
    return examineAnimation(path, std::numeric_limits<int>::max(), language).refusal;
}
