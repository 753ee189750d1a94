// The one way every program opens a file it reads: regular files only, and never more than asked.
#pragma once

// Teachers' folders may hold anything under a picture's or a sound's name: a folder, a FIFO, a
// device, a link to /dev/urandom. Opening a FIFO blocks until someone writes to it, and reading a
// device never ends, so every reader of the game, the check and the worksheets opens its files
// here. The file is opened without blocking and then asked what it is (after following links),
// so a FIFO swapped in between a look and the opening cannot block either. Anything that is not
// a regular file counts as missing.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

// The file opened for reading when it is a regular file; nullptr otherwise (missing, a folder, a
// FIFO, a device, unreadable).
std::unique_ptr<QFile> openRegularFile(const QString& path);

// Whether path names a regular file (after following links); opens nothing.
bool isRegularFile(const QString& path);

// The first maxBytes bytes of a regular file; std::nullopt when it is none or cannot be read.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);
