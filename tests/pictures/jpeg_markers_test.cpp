// The JPEG marker walk: scans counted through stuffed bytes, restart markers, fill bytes and chunk
// edges, the frame header and what its decoder will hold, and the walk's stops, from memory and
// from a device alike.
#include "jpeg_markers.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QByteArray Start = QByteArray::fromHex("ffd8");
const QByteArray End = QByteArray::fromHex("ffd9");
// A comment segment, which a walk must skip by its length.
const QByteArray Comment = QByteArray::fromHex("fffe0006") + "ab\xff\xda";
// Frame headers of 640 x 480, three components with colour at half the resolution each way (as
// cameras write them): progressive, then baseline.
const QByteArray Progressive = QByteArray::fromHex("ffc2001108 01e0 0280 03 012200 021101 031101");
const QByteArray Baseline = QByteArray::fromHex("ffc0001108 01e0 0280 03 012200 021101 031101");
// 80 x 60 blocks of brightness and 40 x 30 of each colour, 128 bytes a block.
constexpr qint64 CoefficientBytes = (80 * 60 + 2 * 40 * 30) * 128;
// A start of scan, then entropy-coded data holding a stuffed 0xFF, a restart marker, and fill
// bytes before the next marker: none of them ends the scan early or starts another.
const QByteArray Scan =
    QByteArray::fromHex("ffda0008010100003f00") + QByteArray::fromHex("12ff0034ffd156ffff");

// A scan whose entropy data puts an 0xFF on the last byte of the walk's first 64 KB chunk, with
// the byte that says what it is at the start of the next.
QByteArray scanAcrossChunks(qsizetype before, const QByteArray& second) {
    constexpr qsizetype Chunk = 64 * 1024;
    const QByteArray head = QByteArray::fromHex("ffda0008010100003f00");
    const qsizetype data = Chunk - 1 - before - head.size();
    return head + QByteArray(data, '\x5a') + '\xff' + second;
}

struct Row {
    const char* name;
    QByteArray bytes;
    int stopAfter;
    std::optional<JpegLayout> expected;
};

JpegLayout layout(int scans, bool progressive, bool stoppedEarly = false) {
    JpegLayout l;
    l.scans = scans;
    l.progressive = progressive;
    l.stoppedEarly = stoppedEarly;
    l.size = QSize(640, 480);
    l.components = 3;
    l.coefficientBytes = CoefficientBytes;
    return l;
}

void expectLayout(const std::optional<JpegLayout>& found,
                  const std::optional<JpegLayout>& expected) {
    ASSERT_EQ(found.has_value(), expected.has_value());
    if (!found) return;
    EXPECT_EQ(found->scans, expected->scans);
    EXPECT_EQ(found->stoppedEarly, expected->stoppedEarly);
    EXPECT_EQ(found->progressive, expected->progressive);
    EXPECT_EQ(found->size, expected->size);
    EXPECT_EQ(found->components, expected->components);
    EXPECT_EQ(found->coefficientBytes, expected->coefficientBytes);
}

TEST(JpegMarkers, countsScansAndReadsTheFrameHeaderFromMemoryAndFromADevice) {
    const QByteArray head = Start + Comment + Progressive;
    const Row rows[] = {
        {"not a JPEG", QByteArray("\x89PNG\r\n\x1a\n", 8) + Scan, 100, std::nullopt},
        {"three scans", head + Scan + Scan + Scan + End, 100, layout(3, true)},
        {"baseline", Start + Baseline + Scan + End, 100, layout(1, false)},
        {"tables between scans", head + Scan + Comment + Scan + End, 100, layout(2, true)},
        {"stops past the limit", head + Scan.repeated(5) + End, 2, layout(3, true, true)},
        {"at the limit", head + Scan.repeated(2) + End, 2, layout(2, true)},
        {"nothing after the end", head + Scan + End + Scan + Scan, 100, layout(1, true)},
        {"cut in a segment's length", head + Scan + QByteArray::fromHex("ffda00"), 100,
         layout(1, true)},
        {"length too short", head + QByteArray::fromHex("ffe10001") + Scan, 100, layout(0, true)},
        {"stuffed 0xFF across chunks",
         head + scanAcrossChunks(head.size(), QByteArray("\x00\x01", 2)) + Scan + End, 100,
         layout(2, true)},
        {"marker across chunks", head + scanAcrossChunks(head.size(), Scan.mid(1)) + End, 100,
         layout(2, true)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectLayout(walkJpeg(row.bytes, row.stopAfter), row.expected);
        QBuffer device;
        device.setData(row.bytes);
        device.open(QIODevice::ReadOnly);
        expectLayout(walkJpeg(device, row.stopAfter), row.expected);
    }
}

} // namespace
