// Walking a JPEG's markers: counting its scans and reading its frame header, decoding nothing.
#include "jpeg_markers.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Bytes from memory, or from a device in chunks of this size: memory use stays the same whatever
// the file's size.
constexpr qint64 ChunkBytes = 64 * 1024;

class ByteStream {
  public:
    explicit ByteStream(QByteArrayView bytes) : m_view(bytes) {}
    explicit ByteStream(QIODevice& device) : m_device(&device) {}

    // The next byte, or -1 at the end of the data.
    int next() {
        if (m_at == m_view.size() && !refill()) return -1;
        return static_cast<quint8>(m_view[m_at++]);
    }

    bool skip(qint64 count) {
        const qint64 here = m_view.size() - m_at;
        if (count <= here) {
            m_at += count;
            return true;
        }
        m_at = m_view.size();
        if (!m_device) return false;
        // A file device seeks over the rest instead of reading it.
        return m_device->skip(count - here) == count - here;
    }

    // Moves on to the next 0xFF byte without taking it; false when the data ends first.
    bool toNextFF() {
        for (;;) {
            if (m_at < m_view.size()) {
                const char* begin = m_view.data() + m_at;
                if (const void* found = std::memchr(begin, 0xFF, m_view.size() - m_at)) {
                    m_at += static_cast<const char*>(found) - begin;
                    return true;
                }
                m_at = m_view.size();
            }
            if (!refill()) return false;
        }
    }

  private:
    bool refill() {
        if (!m_device) return false;
        m_chunk = m_device->read(ChunkBytes);
        m_view = m_chunk;
        m_at = 0;
        return !m_chunk.isEmpty();
    }

    QIODevice* m_device = nullptr;
    QByteArray m_chunk;
    QByteArrayView m_view;
    qsizetype m_at = 0;
};

constexpr int StartOfImage = 0xD8;
constexpr int EndOfImage = 0xD9;
constexpr int StartOfScan = 0xDA;

// Markers that stand alone, with no length after them: the restart markers and TEM.
bool standsAlone(int marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Start-of-frame markers: C0 to CF except the Huffman and arithmetic-coding tables and JPG.
bool startsFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isProgressiveFrame(int marker) {
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// The marker code after an 0xFF (fill bytes of 0xFF skipped); -1 at the end of the data.
int markerCode(ByteStream& in) {
    int code = in.next();
    while (code == 0xFF)
        code = in.next();
    return code;
}

qint64 divideUp(qint64 value, qint64 by) {
    return (value + by - 1) / by;
}

// The blocks of every component, each sampled at its factors against the largest ones.
qint64 coefficientBytes(QSize size, const std::vector<std::pair<int, int>>& sampling) {
    int maxH = 1, maxV = 1;
    for (const auto& [h, v] : sampling) {
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }
    qint64 blocks = 0;
    for (const auto& [h, v] : sampling) {
        const qint64 width = divideUp(qint64(size.width()) * std::max(h, 1), maxH);
        const qint64 height = divideUp(qint64(size.height()) * std::max(v, 1), maxV);
        blocks += divideUp(width, 8) * divideUp(height, 8);
    }
    return blocks * 64 * 2;
}

bool readFrameHeader(ByteStream& in, int marker, int length, JpegLayout& layout) {
    // Precision, height, width, components: six bytes of the segment; then three a component.
    if (length < 8) return in.skip(length - 2);
    int header[6];
    for (int& byte : header) {
        byte = in.next();
        if (byte < 0) return false;
    }
    layout.progressive = isProgressiveFrame(marker);
    layout.size = QSize(header[3] << 8 | header[4], header[1] << 8 | header[2]);
    layout.components = header[5];
    const int described = std::min(layout.components, (length - 8) / 3);
    std::vector<std::pair<int, int>> sampling;
    for (int c = 0; c < described; ++c) {
        in.next(); // the component's id
        const int factors = in.next();
        in.next(); // its quantisation table
        if (factors < 0) return false;
        sampling.emplace_back(factors >> 4, factors & 0x0F);
    }
    layout.coefficientBytes = coefficientBytes(layout.size, sampling);
    return in.skip(length - 8 - 3 * described);
}

std::optional<JpegLayout> walk(ByteStream& in, int stopAfterScans) {
    if (in.next() != 0xFF || in.next() != StartOfImage) return std::nullopt;
    JpegLayout layout;
    for (;;) {
        // Whatever is not a marker is passed over up to the next 0xFF: the entropy-coded data
        // after a start of scan, and stray bytes, which the decoder skips too. In that data 0xFF
        // 0x00 stands for a data byte and the restart markers stand alone, so neither is taken
        // for a segment.
        if (!in.toNextFF()) break;
        in.next();
        const int code = markerCode(in);
        if (code < 0 || code == EndOfImage) break;
        if (standsAlone(code) || code == 0x00) continue;
        const int high = in.next();
        const int low = in.next();
        if (low < 0) break;
        const int length = high << 8 | low;
        if (length < 2) break;
        if (startsFrame(code)) {
            if (!readFrameHeader(in, code, length, layout)) break;
        } else if (!in.skip(length - 2)) {
            break;
        }
        if (code == StartOfScan && ++layout.scans > stopAfterScans) {
            layout.stoppedEarly = true;
            break;
        }
    }
    return layout;
}

} // namespace

std::optional<JpegLayout> walkJpeg(QByteArrayView bytes, int stopAfterScans) {
    ByteStream in(bytes);
    return walk(in, stopAfterScans);
}

std::optional<JpegLayout> walkJpeg(QIODevice& device, int stopAfterScans) {
    ByteStream in(device);
    return walk(in, stopAfterScans);
}
