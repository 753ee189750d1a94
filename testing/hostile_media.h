// Media files made at run time for the tests and benchmarks: plain GIFs, GIFs claiming more pixels
// than they hold, progressive JPEGs with as many scans or as large a frame as asked for, PNGs full
// of compressed text, headers of pictures too large to decode, top-down BMPs, and WAV files
// announcing more sound than the disk holds.
#pragma once

#include "jpeg_markers.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace hostile {

inline QByteArray le16(int value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(static_cast<quint16>(value), bytes.data());
    return bytes;
}

inline QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

inline QByteArray be32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Data cut into the sub-blocks of at most 255 bytes that GIF wraps every run of data in.
inline QByteArray subBlocks(const QByteArray& data) {
    QByteArray blocks;
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray part = data.mid(at, 255);
        blocks += char(part.size()) + part;
    }
    return blocks + '\0';
}

// A GIF of frames of one colour each (frame k colour k), every pixel written as its own LZW code:
// no compression, so that any size can be made without an encoder.
inline QByteArray plainGif(int width, int height, int frames) {
    QByteArray gif = "GIF89a" + le16(width) + le16(height) + QByteArray::fromHex("f70000");
    for (int i = 0; i < 256; ++i) {
        gif += char(i);
        gif += char(255 - i);
        gif += char(i * 7);
    }
    for (int frame = 0; frame < frames; ++frame) {
        gif += QByteArray::fromHex("21f904000a000000"); // a tenth of a second
        gif += "\x2c" + le16(0) + le16(0) + le16(width) + le16(height) + '\0' + '\x08';
        // Nine-bit codes, least significant bit first; a clear code every 250 pixels keeps the
        // decoder's table, and so the code width, from growing.
        QByteArray data;
        quint32 bits = 0;
        int held = 0;
        const auto put = [&](int code) {
            bits |= quint32(code) << held;
            for (held += 9; held >= 8; held -= 8, bits >>= 8)
                data += char(bits & 0xFF);
        };
        for (qint64 pixel = 0; pixel < qint64(width) * height; ++pixel) {
            if (pixel % 250 == 0) put(256);
            put(frame % 256);
        }
        put(257);
        if (held > 0) data += char(bits & 0xFF);
        gif += subBlocks(data);
    }
    return gif + ';';
}

// A GIF whose header and frames claim width x height each, holding one pixel of data a frame: the
// reader counts its frames and tells its size without decoding anything.
inline QByteArray gifClaiming(int width, int height, int frames) {
    QByteArray gif =
        "GIF89a" + le16(width) + le16(height) + QByteArray::fromHex("800000000000ffffff");
    for (int frame = 0; frame < frames; ++frame) {
        gif += QByteArray::fromHex("21f904000a000000");
        gif += "\x2c" + le16(0) + le16(0) + le16(width) + le16(height) + '\0' + '\x02';
        gif += QByteArray::fromHex("024401") + '\0';
    }
    return gif + ';';
}

// Noise compresses badly, so that every scan of a JPEG carries data.
inline QImage noisyPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state >> 8);
        }
    }
    return image;
}

// The picture as a progressive JPEG, as cameras and web sites write them (about ten scans).
inline QByteArray progressiveJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    return bytes;
}

// One more scan: a start of scan refining the first component's DC, and entropy-coded data holding
// a stuffed 0xFF and a restart marker, which belong to the scan.
inline const QByteArray ExtraScan = QByteArray::fromHex("ffda0008010100000010"
                                                        "1234ff0056ffd0789a");

// A small progressive JPEG as a camera writes it, with scans added up to the given count (at
// least the ten or so it is written with). The added scans are not meant to decode: a budget must
// refuse the file before any decoder sees it.
inline QByteArray jpegOfScans(int scans) {
    const QByteArray jpeg = progressiveJpeg(noisyPicture(64, 48));
    const int written = walkJpeg(jpeg, std::numeric_limits<int>::max())->scans;
    Q_ASSERT(written <= scans && jpeg.endsWith("\xff\xd9"));
    return jpeg.chopped(2) + ExtraScan.repeated(scans - written) + QByteArray("\xff\xd9", 2);
}

// A progressive JPEG whose frame header claims width x height over a small picture's scans, with
// the luma sampled twice as finely as the colour (as cameras write) or, with fullColour, every
// component at full resolution. Only a budget read from the header can tell it from a real photo
// of that size; it is not meant to decode.
inline QByteArray jpegClaiming(int width, int height, bool fullColour) {
    QByteArray jpeg = progressiveJpeg(noisyPicture(64, 48));
    const qsizetype frame = jpeg.indexOf("\xff\xc2");
    Q_ASSERT(frame > 0 && jpeg[frame + 9] == 3);
    qToBigEndian(static_cast<quint16>(height), jpeg.data() + frame + 5);
    qToBigEndian(static_cast<quint16>(width), jpeg.data() + frame + 7);
    for (int component = 0; component < 3; ++component)
        jpeg[frame + 11 + 3 * component] = fullColour ? '\x11' : (component == 0 ? '\x22' : '\x11');
    return jpeg;
}

// --- PNG -----------------------------------------------------------------------------------------

inline quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline const QByteArray PngSignature = QByteArray::fromHex("89504E470D0A1A0A");

inline QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    const QByteArray body = type + data;
    return be32(static_cast<quint32>(data.size())) + body + be32(crc32(body));
}

// Colour types of the PNG header.
enum PngColour { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// A valid header (and a palette where the colour type needs one), then an empty data chunk: all
// a reader needs to tell the size and what its decoder will allocate, no pixels.
inline QByteArray pngClaiming(quint32 width, quint32 height, int bitDepth = 8,
                              PngColour colour = Rgba, bool interlaced = false) {
    const QByteArray header = be32(width) + be32(height) + char(bitDepth) + char(colour) + '\0' +
                              '\0' + char(interlaced ? 1 : 0);
    QByteArray png = PngSignature + pngChunk("IHDR", header);
    if (colour == Palette) png += pngChunk("PLTE", QByteArray::fromHex("ff000000ff000000ff"));
    return png + pngChunk("IDAT", {}) + pngChunk("IEND", {});
}

// 8 MiB of zeros, deflated once (about 8 KB): what a text chunk inflates to, at little cost to
// make.
inline const QByteArray& deflatedZeros() {
    // qCompress puts the length before the zlib stream.
    static const QByteArray zeros = qCompress(QByteArray(8 * 1024 * 1024, '\0'), 9).mid(4);
    return zeros;
}

// The PNG with count compressed text chunks of 8 MiB of zeros each, zTXt and iTXt in turn, half
// of them before its pixels and half after, where libpng reads them while Qt reads the header and
// at the end of the picture.
inline QByteArray pngWithText(const QByteArray& png, int count) {
    const QByteArray zTXt = pngChunk("zTXt", QByteArray("Comment\0\0", 9) + deflatedZeros());
    const QByteArray iTXt = pngChunk("iTXt", QByteArray("Comment\0\1\0\0\0", 12) + deflatedZeros());
    QByteArray before, after;
    for (int k = 0; k < count; ++k)
        (k < count / 2 ? before : after) += k % 2 ? iTXt : zTXt;
    // The header chunk takes 25 bytes after the signature; the end chunk is the last 12.
    constexpr qsizetype HeaderEnd = 8 + 25;
    Q_ASSERT(png.startsWith(PngSignature) && png.mid(12, 4) == "IHDR");
    return png.left(HeaderEnd) + before + png.mid(HeaderEnd, png.size() - HeaderEnd - 12) + after +
           png.right(12);
}

// A 64 x 64 picture holding a thousand such chunks: 8 MB that libpng inflates to 8 GB, 48 s to
// show before the loader left them out.
inline QByteArray pngOfThousandTexts() {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(40, 160, 90));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return pngWithText(buffer.data(), 1000);
}

// --- BMP and WebP
// ----------------------------------------------------------------------------------

// The picture as a BMP stored top down, as many programs write them: a negative height in the
// header, and the rows from the top.
inline QByteArray topDownBmp(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    const QByteArray bottomUp = buffer.data();
    const qint64 offset = qFromLittleEndian<quint32>(bottomUp.data() + 10);
    const int bits = qFromLittleEndian<quint16>(bottomUp.data() + 28);
    const qint64 row = (qint64(image.width()) * bits + 31) / 32 * 4;
    QByteArray topDown = bottomUp;
    qToLittleEndian<qint32>(-image.height(), topDown.data() + 22);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(topDown.data() + offset + y * row,
                    bottomUp.constData() + offset + (image.height() - 1 - y) * row, row);
    return topDown;
}

// The header of an 8-bit run-length-encoded BMP of width x height with a grey palette, and an end
// of picture at once: Qt's reader allocates the whole picture before it reads any run.
inline QByteArray rleBmpClaiming(int width, int height) {
    QByteArray palette;
    for (int i = 0; i < 256; ++i)
        palette += QByteArray(3, char(i)) + '\0';
    const QByteArray runs = QByteArray::fromHex("0001");
    constexpr int HeaderBytes = 14 + 40;
    const quint32 offset = HeaderBytes + palette.size();
    const QByteArray info = le32(40) + le32(width) + le32(height) + le16(1) + le16(8) + le32(1) +
                            le32(runs.size()) + le32(2835) + le32(2835) + le32(256) + le32(0);
    return "BM" + le32(offset + runs.size()) + le32(0) + le32(offset) + info + palette + runs;
}

// An animated WebP on a canvas of width x height holding frames of a 16 x 16 picture: Qt's
// reader allocates the canvas while it reads the header.
inline QByteArray animatedWebp(int width, int height, int frames) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::green);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "webp");
    writer.setQuality(100);
    writer.write(image);
    const QByteArray frame =
        buffer.data().mid(12); // the picture's own chunk, after the RIFF header
    const auto riffChunk = [](const QByteArray& type, const QByteArray& data) {
        return type + le32(data.size()) + data +
               (data.size() % 2 ? QByteArray(1, '\0') : QByteArray());
    };
    const auto le24 = [](int value) { return le32(quint32(value)).left(3); };
    QByteArray body =
        "WEBP" +
        riffChunk("VP8X", QByteArray::fromHex("02000000") + le24(width - 1) + le24(height - 1)) +
        riffChunk("ANIM", QByteArray(6, '\0'));
    for (int k = 0; k < frames; ++k)
        body +=
            riffChunk("ANMF", le24(0) + le24(0) + le24(15) + le24(15) + le24(100) + '\0' + frame);
    return "RIFF" + le32(body.size()) + body;
}

// A WAV file (8-bit mono PCM at 31 Hz) whose header announces dataBytes of sound, all there but
// never written: a sparse file, taking no room on the disk however large it claims to be.
inline bool writeSparseWav(const QString& path, quint32 dataBytes) {
    QByteArray header = "RIFF" + QByteArray(4, '\xff') + "WAVEfmt " +
                        QByteArray::fromHex("10000000010001001f0000001f00000001000800") + "data";
    header += QByteArray(4, '\0');
    qToLittleEndian(dataBytes, header.data() + header.size() - 4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(header) > 0 &&
           file.resize(header.size() + qint64(dataBytes));
}

} // namespace hostile
