// Media files made at run time for the tests and benchmarks: plain GIFs, GIFs claiming more pixels
// than they hold, progressive JPEGs with as many scans or as large a frame as asked for, and WAV
// files announcing more sound than the disk holds.
#pragma once

#include "jpeg_markers.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <limits>

namespace hostile {

inline QByteArray le16(int value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(static_cast<quint16>(value), bytes.data());
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
