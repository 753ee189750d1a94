// The one way the game reads pictures: the natural size from the header, and decoding at the size
// a picture is shown.
#pragma once

// The picture folder is filled by teachers and parents, so anything may be in it: photos of many
// megapixels, files that are no pictures, half-copied files, folders. Sizes come from the file's
// header without decoding, pictures are decoded no larger than they are shown (a 4000 x 3000 photo
// shown at 1900 x 1400 twips decodes several times faster and far smaller), and a picture whose
// header claims more than MaxPicturePixels is refused before anything is decoded: Qt's own
// allocation limit does not apply once a scaled size is requested.
//
// Sizes are those of the picture as it is meant to be seen: a photo whose EXIF data says it was
// taken upright is reported and decoded upright.

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <optional>

inline constexpr qint64 MaxPicturePixels = 50'000'000;
// Picture files up to this size are read into memory before they are decoded.
inline constexpr qint64 MaxPictureBytesInMemory = 24LL * 1024 * 1024;

// The natural size in pixels, read from the header only; nullopt for anything that is not a
// regular, non-empty file holding a readable picture of at most MaxPicturePixels.
std::optional<QSize> pictureSize(const QString& path);

// Whether the file can be shown at all, decoding nothing: used to drop files that are no pictures.
bool canShowPicture(const QString& path);

// The picture decoded at shownSize (pixels) when that is smaller than its natural size, and at its
// natural size otherwise (also for an empty shownSize). A null image on any failure, including a
// file that ends before its picture does.
QImage loadPicture(const QString& path, QSize shownSize);
