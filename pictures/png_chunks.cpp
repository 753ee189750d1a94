// Walking a PNG's chunks, decoding nothing, and presenting a file with byte ranges left out.
#include "png_chunks.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>
#include <algorithm>

namespace {

const QByteArrayView Signature("\x89PNG\r\n\x1a\n", 8);
// The format allows no longer chunk; a larger length is damage, not data.
constexpr quint32 MaxChunkLength = 0x7FFFFFFF;
// Chunk headers are read from windows of this size: a file of many small chunks costs a read for
// each window, one of large chunks a seek and a read for each chunk.
constexpr qint64 WindowBytes = 64 * 1024;

class Window {
  public:
    explicit Window(QIODevice& device) : m_device(device) {}

    // The count bytes at position, or fewer where the device ends.
    QByteArrayView bytes(qint64 position, qsizetype count) {
        if (position < m_start || position + count > m_start + m_bytes.size()) {
            m_start = position;
            m_bytes = m_device.seek(position) ? m_device.read(WindowBytes) : QByteArray();
        }
        const QByteArrayView held(m_bytes);
        return held.sliced(position - m_start)
            .first(std::min(count, held.size() - (position - m_start)));
    }

  private:
    QIODevice& m_device;
    qint64 m_start = 0;
    QByteArray m_bytes;
};

quint32 bigEndian32(QByteArrayView bytes, qsizetype at) {
    return qFromBigEndian<quint32>(bytes.data() + at);
}

bool isText(QByteArrayView type) {
    return type == "tEXt" || type == "zTXt" || type == "iTXt";
}

// Width, height, bit depth, colour type, compression, filter, interlace.
void readHeader(QByteArrayView header, PngLayout& layout) {
    if (header.size() < 13) return;
    const quint32 width = bigEndian32(header, 0);
    const quint32 height = bigEndian32(header, 4);
    // Qt reads no picture wider or taller than an int holds.
    if (width == 0 || height == 0 || width > MaxChunkLength || height > MaxChunkLength) return;
    layout.size = QSize(int(width), int(height));
    layout.bitDepth = static_cast<quint8>(header[8]);
    layout.colourType = static_cast<quint8>(header[9]);
    layout.interlaced = header[12] != 0;
}

} // namespace

std::optional<PngLayout> walkPng(QIODevice& device, int stopAfterChunks) {
    // A look at the signature first: most pictures are no PNG, and need no window read.
    if (!device.seek(0) || device.peek(Signature.size()) != Signature) return std::nullopt;
    Window window(device);
    PngLayout layout;
    const qint64 end = device.size();
    for (qint64 at = Signature.size();;) {
        const QByteArrayView head = window.bytes(at, 8);
        if (head.size() < 8) break;
        const quint32 length = bigEndian32(head, 0);
        if (length > MaxChunkLength) break;
        // Length, type, data, CRC: a chunk that runs past the end is left to the decoder.
        const qint64 next = at + 12 + length;
        if (next > end) break;
        if (++layout.chunks > stopAfterChunks) {
            layout.stoppedEarly = true;
            break;
        }
        const QByteArrayView type = head.sliced(4);
        if (layout.chunks == 1 && type == "IHDR" && length == 13)
            readHeader(window.bytes(at + 8, 13), layout);
        if (isText(type)) {
            if (!layout.text.empty() && layout.text.back().start + layout.text.back().length == at)
                layout.text.back().length += next - at;
            else
                layout.text.push_back({at, next - at});
        }
        // The decoder reads nothing after the end chunk.
        if (type == "IEND") break;
        at = next;
    }
    return layout;
}

DeviceWithout::DeviceWithout(QIODevice& source, const std::vector<ByteRange>& dropped)
    : m_source(source) {
    const qint64 sourceSize = source.size();
    qint64 from = 0;
    const auto keep = [this](qint64 start, qint64 end) {
        if (end <= start) return;
        m_kept.push_back({m_size, start, end - start});
        m_size += end - start;
    };
    for (const ByteRange& range : dropped) {
        keep(from, std::min(range.start, sourceSize));
        from = std::max(from, range.start + range.length);
    }
    keep(from, sourceSize);
    // Unbuffered, as a QBuffer is: every read comes to readData at pos(), so the mapping above is
    // the only position kept.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 DeviceWithout::readData(char* data, qint64 maxSize) {
    qint64 at = pos();
    // The last kept range that starts at or before the position.
    auto kept = std::upper_bound(m_kept.begin(), m_kept.end(), at,
                                 [](qint64 position, const Kept& k) { return position < k.at; });
    if (kept == m_kept.begin()) return 0;
    --kept;
    qint64 done = 0;
    for (; done < maxSize && kept != m_kept.end(); ++kept) {
        const qint64 into = at - kept->at;
        if (into >= kept->length) continue;
        const qint64 wanted = std::min(maxSize - done, kept->length - into);
        if (!m_source.seek(kept->source + into)) break;
        const qint64 got = m_source.read(data + done, wanted);
        if (got <= 0) break;
        done += got;
        at += got;
        // A source that shrank since the view was made ends it here.
        if (got < wanted) break;
    }
    return done;
}
