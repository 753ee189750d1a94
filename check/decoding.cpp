// Decoding pictures and animations as the game does, listening for damage, and walking the GIF and
// BMP layouts to see that a file holds all its data.
#include "decoding.h"

#include "decoder_output.h"
#include "layout.h"
#include "picture_loader.h"
#include "regular_file.h"
#include "units.h"

#include <QBuffer>
#include <QByteArrayView>
#include <QFile>
#include <QImageReader>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <unistd.h>

namespace check {

namespace {

// The innermost capture, which Qt's messages go to; the outermost one sends stderr into a
// temporary file for as long as it lives, and every capture reads that file from where it began.
DecoderMessages* listening = nullptr;
std::FILE* heardLines = nullptr;
StderrRedirect* toHeardLines = nullptr;

// Notes after which the picture still shows whole: libpng's warnings (Qt passes them on as
// information), a colour profile Qt cannot use (the picture shows in plain colours), libtiff's
// warnings about tags it does not know, and libjpeg's remark on a scan header that only a
// progressive file should have. Anything else a decoder says is taken as damage.
bool harmless(QtMsgType type, const char* category, QStringView text) {
    if (type == QtDebugMsg || type == QtInfoMsg) return true;
    if (category && qstrcmp(category, "qt.gui.icc") == 0) return true;
    return text.contains(QLatin1String(": Warning, ")) ||
           text.startsWith(QLatin1String("Invalid SOS parameters for sequential JPEG"));
}

// The reason for a damaged picture, with the decoder's complaint after it in brackets, short
// enough for the report's last column.
QString damaged(const ReportTexts& say, QString what = {}) {
    constexpr qsizetype Longest = 70;
    if (what.isEmpty()) return say(Say::Damaged);
    what = what.simplified();
    // Qt hands every TIFF to libtiff under the name "foo", which would only puzzle a reader.
    what.replace(QLatin1String(": foo: "), QLatin1String(": "));
    if (what.size() > Longest) what = what.left(Longest - 3) + QStringLiteral("...");
    return QStringLiteral("%1 (%2)").arg(say(Say::Damaged), what);
}

// A regular file mapped into memory; empty when it cannot be.
class MappedFile {
  public:
    explicit MappedFile(const QString& path) : m_file(openRegularFile(path)) {
        if (!m_file) return;
        if (const uchar* data = m_file->map(0, m_file->size()))
            m_bytes = QByteArrayView(data, m_file->size());
    }
    QByteArrayView bytes() const { return m_bytes; }

  private:
    std::unique_ptr<QFile> m_file;
    QByteArrayView m_bytes;
};

quint8 byteAt(QByteArrayView bytes, qsizetype at) {
    return static_cast<quint8>(bytes[at]);
}

// How far a GIF's blocks run: its whole frames, and how the data ends.
struct GifLayout {
    enum End { Trailer, InFrame, BetweenBlocks, Unreadable };
    int wholeFrames = 0;
    End end = Unreadable;
};

GifLayout walkGif(QByteArrayView gif) {
    GifLayout layout;
    const qsizetype size = gif.size();
    const auto colourTable = [](quint8 flags) { return flags & 0x80 ? 3 * (2 << (flags & 7)) : 0; };
    qsizetype at = 13; // header and screen descriptor
    if (size < at) return layout;
    at += colourTable(byteAt(gif, 10));
    // Data sub-blocks run to an empty one; false when the file ends first.
    const auto skipSubBlocks = [&] {
        while (at < size) {
            const int length = byteAt(gif, at);
            at += 1 + length;
            if (length == 0) return true;
        }
        return false;
    };
    layout.end = GifLayout::BetweenBlocks;
    while (at < size) {
        const quint8 block = byteAt(gif, at++);
        if (block == 0x3B) {
            layout.end = GifLayout::Trailer;
        } else if (block == 0x21) { // an extension: its label, then sub-blocks
            ++at;
            if (skipSubBlocks()) continue;
        } else if (block == 0x2C) { // a frame: descriptor, colour table, code size, sub-blocks
            layout.end = GifLayout::InFrame;
            if (at + 9 <= size) {
                at += 9 + colourTable(byteAt(gif, at + 8)) + 1;
                if (at < size && skipSubBlocks()) {
                    ++layout.wholeFrames;
                    layout.end = GifLayout::BetweenBlocks;
                    continue;
                }
            }
        } else {
            layout.end = GifLayout::Unreadable;
        }
        break;
    }
    return layout;
}

qint64 le16(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}
qint64 le32(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// Where a BMP's pixel data ends by its header; 0 when the header does not tell.
qint64 bmpEnd(QByteArrayView bmp) {
    if (bmp.size() < 26 || !bmp.startsWith("BM")) return 0;
    const qint64 offset = le32(bmp, 10);
    const qint64 header = le32(bmp, 14);
    qint64 width = 0, height = 0, bits = 0, compression = 0, imageBytes = 0;
    if (header == 12) { // the old OS/2 header
        width = le16(bmp, 18);
        height = le16(bmp, 20);
        bits = le16(bmp, 24);
    } else if (header >= 40 && bmp.size() >= 38) {
        width = qFromLittleEndian<qint32>(bmp.data() + 18);
        height = std::abs(qint64(qFromLittleEndian<qint32>(bmp.data() + 22))); // < 0: top down
        bits = le16(bmp, 28);
        compression = le32(bmp, 30);
        imageBytes = le32(bmp, 34);
    }
    if (width <= 0 || bits <= 0 || bits > 64) return 0;
    // Uncompressed rows (plain or with colour masks) are padded to four bytes; compressed ones
    // are counted by the header itself.
    if (compression != 0 && compression != 3 && compression != 6)
        return imageBytes > 0 ? offset + imageBytes : 0;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    // A header claiming more rows than any file could hold must not overflow the sum.
    if (height > (std::numeric_limits<qint64>::max() - offset) / rowBytes)
        return std::numeric_limits<qint64>::max();
    return offset + rowBytes * height;
}

// Whether the file holds all the data its layout promises, for the formats whose decoders do not
// notice on their own.
bool endsEarly(const QString& path) {
    const MappedFile file(path);
    const QByteArrayView bytes = file.bytes();
    if (bytes.startsWith("GIF8")) return walkGif(bytes).wholeFrames == 0;
    return bmpEnd(bytes) > bytes.size();
}

// The picture panel's place for this picture on a 1,024 x 768 screen, alone in its column: the
// smallest screen the game is played on, and the size the game decodes at. Beside two taller
// pictures it would be shown smaller still, which reads the same data. The game's own layout
// functions compute it (they live in game/, below the windows, so the check links no window code).
QSize shownSize(QSize natural) {
    constexpr double screenWidth = 1024 * units::TwipsPerPixel;
    constexpr double screenHeight = 768 * units::TwipsPerPixel;
    const GameScreenLayout screen = ArrangeGameScreen(screenWidth, screenHeight);
    const TwipsRect& right = screen.Command1[BoardColumns - 1];
    std::array<PanelInput, 6> pictures{};
    pictures[0] = {units::toTwips(natural.width()), units::toTwips(natural.height()), 0};
    const PanelLayout panel = ArrangePicturePanel(screen.Command1[0].Left, right.Left + right.Width,
                                                  screenWidth, screenHeight, pictures);
    return toPixelRect(panel.Image1[0]).size();
}

} // namespace

DecoderMessages::DecoderMessages()
    : m_outer(listening), m_previousHandler(qInstallMessageHandler(&DecoderMessages::onMessage)),
      m_thread(QThread::currentThread()) {
    listening = this;
    if (!m_outer) {
        // Without a temporary file the libraries' own lines are not heard, but still kept quiet.
        heardLines = std::tmpfile();
        toHeardLines = new StderrRedirect(heardLines ? ::fileno(heardLines) : -1);
    }
    if (heardLines) m_start = ::lseek(::fileno(heardLines), 0, SEEK_END);
}

DecoderMessages::~DecoderMessages() {
    if (!m_outer) {
        delete toHeardLines;
        toHeardLines = nullptr;
        if (heardLines) std::fclose(heardLines);
        heardLines = nullptr;
    }
    qInstallMessageHandler(m_previousHandler);
    listening = m_outer;
}

void DecoderMessages::onMessage(QtMsgType type, const QMessageLogContext& context,
                                const QString& text) {
    // Qt's own threads (its thread pool, a D-Bus connection) may speak while a picture is read,
    // at a moment that depends on the machine's load: what they say is not the decoder's, and
    // taken for it, it would call a good picture damaged. It is kept quiet all the same.
    if (!listening || QThread::currentThread() != listening->m_thread) return;
    if (!harmless(type, context.category, text)) listening->m_heard.append(text);
}

QStringList DecoderMessages::damage() const {
    QStringList found = m_heard;
    if (!heardLines) return found;
    std::fflush(stderr);
    // The first lines say what went wrong; a decoder that repeats itself is not read to the end.
    QByteArray printed(4096, '\0');
    const ssize_t length =
        ::pread(::fileno(heardLines), printed.data(), printed.size(), std::max<off_t>(m_start, 0));
    printed.resize(std::max<ssize_t>(length, 0));
    for (const QByteArray& line : printed.split('\n')) {
        const QString text = QString::fromLocal8Bit(line).trimmed();
        if (!text.isEmpty() && !harmless(QtWarningMsg, nullptr, text)) found.append(text);
    }
    return found;
}

QString headerDamage(const QString& path, const ReportTexts& say) {
    DecoderMessages messages;
    static_cast<void>(pictureSize(path));
    const QStringList heard = messages.damage();
    if (!heard.isEmpty()) return damaged(say, heard.first());
    return endsEarly(path) ? say(Say::CutShort) : QString();
}

QString pictureDamage(const QString& path, const ReportTexts& say) {
    DecoderMessages messages;
    const std::optional<QSize> natural = pictureSize(path);
    const QImage image = loadPicture(path, natural ? shownSize(*natural) : QSize());
    const QStringList heard = messages.damage();
    if (!heard.isEmpty()) return damaged(say, heard.first());
    if (image.isNull()) return damaged(say);
    if (endsEarly(path)) return say(Say::CutShort);
    return {};
}

QString photoFormat(const QString& path) {
    // An ISO media file starts with its 'ftyp' box: size, 'ftyp', the main brand, a version and
    // the brands it is also compatible with.
    const QByteArray head = readRegularFile(path, 64).value_or(QByteArray());
    if (head.size() < 16 || head.mid(4, 4) != "ftyp") return {};
    const qsizetype end = std::min<qsizetype>(head.size(), qFromBigEndian<quint32>(head.data()));
    QByteArrayList brands{head.mid(8, 4)};
    for (qsizetype at = 16; at + 4 <= end; at += 4)
        brands.append(head.mid(at, 4));
    // An AVIF file names the HEIF brands too, as a compatible container.
    if (brands.contains("avif") || brands.contains("avis")) return QStringLiteral("AVIF");
    for (const char* heif : {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1"}) {
        if (brands.contains(heif)) return QStringLiteral("HEIC");
    }
    return {};
}

QString animationDamage(const QByteArray& bytes, const ReportTexts& say) {
    // More frames than any animation has; a reader that never runs dry must not hold the check.
    constexpr int MaxFrames = 10'000;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    DecoderMessages messages;
    QImageReader reader(&buffer);
    int frames = 0;
    while (frames < MaxFrames && reader.canRead()) {
        QImage frame;
        const bool read = reader.read(&frame);
        ++frames;
        const QStringList heard = messages.damage();
        if (!read || frame.isNull() || !heard.isEmpty())
            return say(Say::AnimationFrame).arg(frames);
    }
    if (!bytes.startsWith("GIF8")) return frames > 0 ? QString() : say(Say::AnimationFrame).arg(1);
    // Qt stops without a word where a GIF is cut short, so its blocks are counted too.
    const GifLayout layout = walkGif(bytes);
    if (frames < layout.wholeFrames || layout.end == GifLayout::InFrame)
        return say(Say::AnimationFrame).arg(std::min(frames, layout.wholeFrames) + 1);
    switch (layout.end) {
    case GifLayout::Trailer:
    case GifLayout::InFrame:
        return {};
    case GifLayout::BetweenBlocks:
        return say(Say::AnimationCutAfter).arg(layout.wholeFrames);
    case GifLayout::Unreadable:
        break;
    }
    return say(Say::AnimationUnreadableAfter).arg(layout.wholeFrames);
}

} // namespace check
