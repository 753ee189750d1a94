// What a PNG's chunks tell before anything is decoded, and the file presented without its text.
#pragma once

// A PNG is a signature and then chunks: a length, a type, the data and a CRC of the type and data.
// Its text chunks (tEXt, zTXt, iTXt) say nothing the game shows, but libpng reads every one while
// Qt reads the header and again at the end of the picture, and inflates each compressed one: a
// file of 8 MB can hold a thousand chunks of 8 MiB of zeros each, and took 48 s to show. So the
// readers are given the file without its text chunks: each chunk's CRC covers only itself, so a
// PNG with whole chunks left out is still a valid PNG.
//
// The walk reads the chunk headers and seeks over the data, in bounded windows; it stops at a
// length beyond the format's limit, at a chunk that runs past the end of the file (what follows
// is presented unchanged, and the decoder says what it makes of it) and once more than the
// asked-for number of chunks have been met.

#include <QIODevice>
#include <QSize>
#include <QtGlobal>
#include <optional>
#include <vector>

struct ByteRange {
    qint64 start = 0;
    qint64 length = 0;

    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

struct PngLayout {
    int chunks = 0;            // chunks met, up to where the walk stopped
    bool stoppedEarly = false; // more than the asked-for chunks were met and the walk stopped there
    // From the header chunk; an invalid size and zeros when the first chunk is no valid header.
    QSize size;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    // The text chunks met, whole, in the order of the file; neighbours are merged into one range.
    std::vector<ByteRange> text;
};

// The layout of the PNG on the device, read from its start; nullopt when it does not start with
// the PNG signature. The device is left wherever the walk stopped.
std::optional<PngLayout> walkPng(QIODevice& device, int stopAfterChunks);

// A read-only view of a random-access device with some byte ranges left out, seen as one file
// of the bytes kept; positions are mapped onto the kept ranges. The source must outlive the view
// and must not be read by others while the view is.
class DeviceWithout : public QIODevice {
  public:
    // Opens the view at its start. dropped: ranges within the source, in order, not overlapping.
    DeviceWithout(QIODevice& source, const std::vector<ByteRange>& dropped);

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    struct Kept {
        qint64 at;     // position in the view
        qint64 source; // position in the source
        qint64 length;
    };
    QIODevice& m_source;
    std::vector<Kept> m_kept;
    qint64 m_size = 0;
};
