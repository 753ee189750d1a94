// The one way every program reads pictures and animations: header sizes, decoding budgets checked
// before decoding, and decoding at the size a picture is shown.
#pragma once

// The picture folder and the animations are filled by teachers and parents, so anything may be in
// them: photos of many megapixels, files that are no pictures, half-copied files, folders, FIFOs,
// links to devices. Every file is opened through openRegularFile, so that nothing but a regular
// file is read. Sizes come from the file's header without decoding, pictures are decoded no larger
// than they are shown (a 4000 x 3000 photo shown at 1900 x 1400 twips decodes several times faster
// and far smaller), and before anything is decoded the file must stay within the budgets below:
// - width x height x frames at most MaxPicturePixels (Qt's own allocation limit does not apply
//   to a JPEG or most PNGs once a smaller size is asked for, and a GIF's frames are each decoded
//   whole);
// - a JPEG of at most MaxJpegScans scans: each scan of a progressive JPEG is one more pass of the
//   decoder over the whole picture;
// - a progressive JPEG's coefficients at most MaxProgressiveBytes (below);
// - a PNG of at most MaxPngChunks chunks (below);
// - a picture that Qt decodes whole at most Qt's allocation limit once decoded (below).
// A file refused by a budget is treated as one that is no picture; pictureRefusal tells why, for
// the folder check's report, in English or in Spanish.
//
// A PNG's text chunks are never read: the readers are given the file without them (png_chunks.h),
// since libpng inflates every compressed one for QImage::text, which the game never asks for.
// Walking the chunks costs a seek for each, so their number is capped: the largest PNG the other
// budgets let through (50 megapixels at 8 bits a channel with alpha, 200 MB of pixels however
// badly they compress) has under 25,000 of libpng's 8 KB data chunks.
//
// Qt's decoders refuse, while decoding, a picture whose decoded image would exceed
// QImageReader::allocationLimit (128 MB in Qt 6.4), counting at least 32 bits a pixel. libjpeg
// and Qt's PNG decoder for 8 bits a channel in colour (not interlaced) decode at the size asked
// for, and the game always asks a picture that large for a smaller size. Every other decoder
// decodes the whole picture first: a PNG at 16 bits a colour above 4,096 x 4,096 (a 7,000 x 7,000
// one takes 374 MB), and a grey, palette or interlaced PNG, a BMP, a GIF, a TIFF or a WebP above
// 5,792 x 5,792 would be refused by Qt, and the game could not show it. The header tells the size
// and the format the decoder will allocate (QImageReader::imageFormat), so such a picture is
// refused before it is read. An animated WebP is composed on its canvas, which Qt allocates while
// it reads the header: there the canvas, from the file's VP8X chunk, counts.
//
// A progressive JPEG's decoder keeps every coefficient of the whole picture, whatever the shown
// size: width x height x 2 bytes for each component at its sampling, so 3 bytes a pixel as
// cameras and web sites subsample colour and 6 in full colour (294 MB for a 7,000 x 7,000 photo
// in full colour), and it decodes at about 18 ms a megapixel on this class of machine even at an
// eighth of the size. Six of them decoded in parallel, as the game decodes a round's pictures,
// could take nearly two gigabytes. So:
// - one whose coefficients exceed MaxProgressiveBytes is refused: a 25-megapixel subsampled photo
//   (the web's largest) fits, a full-colour one up to 12.5 megapixels;
// - progressive JPEGs share ProgressiveDecodingBytes: they decode side by side only while their
//   coefficients fit in it together (six ordinary web photos all at once, two of the largest),
//   and each waits for its share before its file is even read.
// A round of six of the largest then holds under 300 MB and takes three decodes' time on two cores.
//
// Sizes are those of the picture as it is meant to be seen: a photo whose EXIF data says it was
// taken upright is reported and decoded upright. A BMP stored top down (a negative height in its
// header, as many programs write them) is read like any other: Qt 6.4 decodes it the right way up
// but reports its height as negative.
//
// This library sits below the windows (Qt Gui, no widgets), so the game, the folder check and the
// worksheets read pictures alike.

#include "language_file.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <optional>

inline constexpr qint64 MaxPicturePixels = 50'000'000;
// Picture files up to this size are read into memory before they are decoded.
inline constexpr qint64 MaxPictureBytesInMemory = 24LL * 1024 * 1024;
// Camera and web files have about ten scans.
inline constexpr int MaxJpegScans = 100;
// A 6,000 x 4,000 photo with subsampled colour holds 69 MB.
inline constexpr qint64 MaxProgressiveBytes = 72LL * 1024 * 1024;
// Two of the largest at once, one a core.
inline constexpr qint64 ProgressiveDecodingBytes = 2 * MaxProgressiveBytes;
// Under 25,000 in the largest picture the other budgets let through (above).
inline constexpr int MaxPngChunks = 100'000;
// Animations are played from memory; the bundled ones are below 100 KB.
inline constexpr qint64 MaxAnimationBytes = 16LL * 1024 * 1024;

// The natural size in pixels, read from the header only; nullopt for anything that is not a
// regular, non-empty file holding a readable picture within the budgets its header and chunks
// tell. The scan count is not looked at here, since that means reading the whole file.
std::optional<QSize> pictureSize(const QString& path);

// Whether the file can be shown at all, decoding nothing: used to drop files that are no pictures
// or that a budget refuses.
bool canShowPicture(const QString& path);

// Why a budget refuses the picture ("too large: 5,000 x 5,000 x 12 frames", "too many scans (2,000;
// at most 100)", "too large to decode progressively (280.4 MB; at most 72 MB)", "too large: 7,000
// x 7,000 at 16 bits a colour (373.8 MB to decode; at most 128 MB)"), in the language asked for
// ("demasiado grande: 5.000 x 5.000 x 12 fotogramas"); nullopt when it is within every budget,
// and for a file that is no picture at all (canShowPicture tells that).
std::optional<QString> pictureRefusal(const QString& path, Language language = Language::English);

// The picture decoded at shownSize (pixels) when that is smaller than its natural size, and at its
// natural size otherwise (also for an empty shownSize). A null image on any failure, including a
// file that ends before its picture does and one that a budget refuses.
QImage loadPicture(const QString& path, QSize shownSize);

// An animation file read whole into memory, for a player that must never open the path again; a
// PNG without its text chunks.
struct AnimationFile {
    QByteArray bytes;
    QSize size; // from the header, as stored (players do not turn animations upright)
};

// The animation when it is a regular file of at most MaxAnimationBytes whose header can be read and
// which is within the picture budgets; nullopt otherwise. Reads the file once.
std::optional<AnimationFile> readAnimation(const QString& path);

// Why a budget refuses the animation ("too large a file (17.0 MB; at most 16 MB)", "too large:
// 5,000 x 5,000 x 12 frames"), in the language asked for ("archivo demasiado grande (17,0 MB; como
// mucho 16 MB)"); nullopt when it is within every budget or is no picture at all.
std::optional<QString> animationRefusal(const QString& path, Language language = Language::English);
