// The PNG chunk walk: the header, the text chunks found whole and merged, the walk's stops at
// malformed lengths, at a file that ends early and past its limit; and the view of a file without
// its text, read, sought and peeked as the file it stands for.
#include "hostile_media.h"
#include "png_chunks.h"

#include <QBuffer>
#include <QImageReader>
#include <gtest/gtest.h>
#include <optional>

namespace {

using hostile::be32;
using hostile::pngChunk;

const QByteArray Header =
    pngChunk("IHDR", be32(640) + be32(480) + QByteArray::fromHex("0802000001"));
const QByteArray Data = pngChunk("IDAT", "pixels");
const QByteArray End = pngChunk("IEND", {});
const QByteArray Text = pngChunk("tEXt", QByteArray("Title\0casa", 10));
const QByteArray Compressed = pngChunk("zTXt", QByteArray("Comment\0\0x", 10));
constexpr qint64 Start = 8; // after the signature

// A chunk header whose length is the given one, with nothing after it.
QByteArray lengthOnly(quint32 length, const QByteArray& type) {
    return be32(length) + type;
}

struct Row {
    const char* name;
    QByteArray bytes;
    int stopAfter;
    int chunks;
    bool stoppedEarly;
    std::vector<ByteRange> text;
};

TEST(PngChunks, walksTheChunksAndFindsTheTextWholeAndStopsSafely) {
    const QByteArray head = hostile::PngSignature + Header;
    const qint64 afterHead = Start + Header.size();
    const Row rows[] = {
        {"no text", head + Data + End, 100, 3, false, {}},
        {"text before and after the pixels",
         head + Text + Data + Compressed + End,
         100,
         5,
         false,
         {{afterHead, Text.size()}, {afterHead + Text.size() + Data.size(), Compressed.size()}}},
        {"neighbours merged",
         head + Text + Compressed + Text + Data + End,
         100,
         6,
         false,
         {{afterHead, 2 * Text.size() + Compressed.size()}}},
        {"nothing after the end", head + Data + End + Text, 100, 3, false, {}},
        // Malformed lengths: the walk stops, and what follows is left to the decoder.
        {"length beyond the format's limit",
         head + Text + lengthOnly(0x80000000u, "tEXt") + Text,
         100,
         2,
         false,
         {{afterHead, Text.size()}}},
        {"length of all ones", head + lengthOnly(0xFFFFFFFFu, "zTXt") + Text, 100, 1, false, {}},
        {"text chunk running past the end", head + Data + Text.chopped(1), 100, 2, false, {}},
        {"cut in a chunk's header", head + Data + Text.left(5), 100, 2, false, {}},
        {"cut in the signature", hostile::PngSignature.left(5), 100, 0, false, {}},
        {"stops past the limit",
         head + Text + Data + Compressed + End,
         3,
         4,
         true,
         {{afterHead, Text.size()}}},
        {"at the limit", head + Text + Data + End, 4, 4, false, {{afterHead, Text.size()}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QBuffer device;
        device.setData(row.bytes);
        device.open(QIODevice::ReadOnly);
        const std::optional<PngLayout> layout = walkPng(device, row.stopAfter);
        if (!row.bytes.startsWith(hostile::PngSignature)) {
            EXPECT_FALSE(layout.has_value());
            continue;
        }
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->chunks, row.chunks);
        EXPECT_EQ(layout->stoppedEarly, row.stoppedEarly);
        EXPECT_EQ(layout->text, row.text);
        EXPECT_EQ(layout->size, QSize(640, 480));
        EXPECT_EQ(layout->bitDepth, 8);
        EXPECT_EQ(layout->colourType, 2);
        EXPECT_TRUE(layout->interlaced);
    }
}

TEST(PngChunks, aFileThatIsNoPngHasNoLayout) {
    for (const QByteArray& bytes : {QByteArray("GIF89a"), QByteArray(), Data}) {
        QBuffer device;
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        EXPECT_FALSE(walkPng(device, 100).has_value());
    }
}

// The view must read as the file it stands for, however the reader moves through it: in pieces
// across the gaps, after seeks into and past a gap, by peeking, and to the end.
TEST(PngChunks, theFileWithoutItsTextReadsAsThatFileWouldAndDecodes) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 60));
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    image.save(&written, "PNG");
    const QByteArray plain = written.data();
    const QByteArray withText = hostile::pngWithText(plain, 4);

    QBuffer file;
    file.setData(withText);
    file.open(QIODevice::ReadOnly);
    const std::optional<PngLayout> layout = walkPng(file, 100);
    ASSERT_TRUE(layout.has_value());
    ASSERT_EQ(layout->text.size(), 2u); // two runs of two, before and after the pixels
    DeviceWithout view(file, layout->text);
    ASSERT_EQ(view.size(), plain.size());

    QByteArray pieces;
    while (!view.atEnd())
        pieces += view.read(7);
    EXPECT_EQ(pieces, plain);
    for (const qint64 at : {qint64(0), qint64(30), qint64(33), plain.size() - 13}) {
        SCOPED_TRACE(at);
        ASSERT_TRUE(view.seek(at));
        EXPECT_EQ(view.peek(20), plain.mid(at, 20));
        EXPECT_EQ(view.read(20), plain.mid(at, 20));
        EXPECT_EQ(view.pos(), std::min<qint64>(at + 20, plain.size()));
    }
    view.seek(plain.size());
    EXPECT_TRUE(view.read(10).isEmpty());

    view.seek(0);
    QImageReader reader(&view);
    const QImage decoded = reader.read();
    EXPECT_EQ(decoded.size(), QSize(40, 30));
    EXPECT_EQ(decoded.pixel(20, 15), qRgb(200, 30, 60));
    EXPECT_TRUE(reader.textKeys().isEmpty());
}

} // namespace
