// Opening files for reading: regular files only, without ever blocking on a FIFO.
#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<QFile> openRegularFile(const QString& path) {
    if (path.isEmpty()) return nullptr;
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer; it is then refused below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    // Regular files never block; the flag is cleared so that the file reads as any other.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

bool isRegularFile(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    const std::unique_ptr<QFile> file = openRegularFile(path);
    if (!file) return std::nullopt;
    QByteArray bytes = file->read(maxBytes);
    if (bytes.isNull() && file->error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}
