// What a JPEG's marker segments tell before anything is decoded: its scans and its frame header.
#pragma once

// A progressive JPEG is sent as a series of scans, each refining the whole picture; the decoder
// goes over every coefficient of the picture once per scan. Camera and web files have about ten,
// but nothing in the format stops a file of a few hundred kilobytes from holding thousands, each
// costing a full pass: minutes of a core for one picture. The scans are counted here by walking
// the markers (segment lengths, and the entropy-coded data after each start of scan up to the next
// marker), which reads every byte once and decodes nothing.

#include <QByteArrayView>
#include <QIODevice>
#include <QSize>
#include <optional>

struct JpegLayout {
    int scans = 0;             // start-of-scan markers met, up to where the walk stopped
    bool stoppedEarly = false; // more than the asked-for scans were met and the walk stopped there
    bool progressive = false;  // the frame header is a progressive one
    QSize size;                // from the frame header; invalid when the walk met none
    int components = 0;        // colour components in the frame header
    // What a decoder that keeps every coefficient of the picture (a progressive one) holds: 64
    // coefficients of 2 bytes per 8 x 8 block of every component, at its own sampling.
    qint64 coefficientBytes = 0;
};

// The layout of the JPEG in bytes; nullopt when they do not start like a JPEG. The walk ends at
// the end of the picture, at the end of the data, at a segment too short to be one, or once more
// than stopAfterScans scans have been met.
std::optional<JpegLayout> walkJpeg(QByteArrayView bytes, int stopAfterScans);

// The same, read from the device's current position in bounded chunks, for files too large to be
// held in memory. The device is left wherever the walk stopped.
std::optional<JpegLayout> walkJpeg(QIODevice& device, int stopAfterScans);
