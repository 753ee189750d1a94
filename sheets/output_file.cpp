// The rule of what a worksheets PDF may replace, and the file written beside it until it is whole.
#include "output_file.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sheets {
namespace {

QString cannotWrite(const QString& out, const QString& reason) {
    return QStringLiteral("cannot write %1: %2").arg(out, reason);
}

QString cannotWrite(const QString& out, int error) {
    return cannotWrite(out, qt_error_string(error));
}

// What an existing file is, when it is anything but an earlier PDF that may be written over. Its
// first bytes are read without following a link and without waiting on a FIFO put there since
// lstat().
std::optional<QString> notAnEarlierPdf(const QByteArray& path, const struct stat& status) {
    if (S_ISLNK(status.st_mode)) return QStringLiteral("it is a symbolic link");
    if (S_ISDIR(status.st_mode)) return QStringLiteral("it is a folder");
    if (!S_ISREG(status.st_mode)) return QStringLiteral("it is not a regular file");
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return QStringLiteral("it cannot be read (%1)").arg(qt_error_string(errno));
    struct stat opened {};
    char start[4] = {};
    const bool pdf = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                     ::read(fd, start, sizeof start) == sizeof start &&
                     std::memcmp(start, "%PDF", sizeof start) == 0;
    ::close(fd);
    if (!pdf) return QStringLiteral("it is not a PDF file");
    if (::access(path.constData(), W_OK) != 0) return QStringLiteral("it is read-only");
    return std::nullopt;
}

bool isWithin(const QString& out, const QString& pictureFolder) {
    const QString folder = QFileInfo(QFileInfo(out).absolutePath()).canonicalFilePath();
    const QString pictures = QFileInfo(pictureFolder).canonicalFilePath();
    if (folder.isEmpty() || pictures.isEmpty()) return false; // then nothing of it can be written
    return folder == pictures ||
           folder.startsWith(pictures.endsWith(u'/') ? pictures : pictures + u'/');
}

} // namespace

std::optional<QString> outputProblem(const QString& out, const QStringList& pictureFolders) {
    if (!out.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return QStringLiteral("will not write %1: the output's name must end in .pdf").arg(out);
    const QByteArray path = QFile::encodeName(out);
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0) {
        if (const auto what = notAnEarlierPdf(path, status))
            return QStringLiteral("will not replace %1: %2").arg(out, *what);
    } else if (errno != ENOENT) {
        return cannotWrite(out, errno);
    }
    for (const QString& pictureFolder : pictureFolders)
        if (isWithin(out, pictureFolder))
            return QStringLiteral("will not write %1 inside the picture folder %2")
                .arg(out, pictureFolder);
    return std::nullopt;
}

OutputFile::OutputFile(QString out, QStringList pictureFolders)
    : m_out(std::move(out)), m_pictureFolders(std::move(pictureFolders)) {}

OutputFile::~OutputFile() {
    if (!m_written.isEmpty()) discard();
}

std::optional<QString> OutputFile::open() {
    if (const auto problem = outputProblem(m_out, m_pictureFolders)) return problem;
    const QFileInfo out(m_out);
    // Hidden, and named after the output, so that one left by a killed run is recognised.
    const QString prefix = out.path() + QStringLiteral("/.") + out.fileName().left(64);
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        m_written = prefix + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8,
                                                       16, QLatin1Char('0'));
        // 0666 as for any new file, the umask taking its part.
        fd = ::open(QFile::encodeName(m_written).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int error = errno;
        m_written.clear();
        return cannotWrite(m_out, error);
    }
    // An earlier PDF keeps who may read it.
    struct stat earlier {};
    if (::lstat(QFile::encodeName(m_out).constData(), &earlier) == 0 && S_ISREG(earlier.st_mode))
        ::fchmod(fd, earlier.st_mode & 07777);
    if (!m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        const QString reason = m_file.errorString();
        discard();
        return cannotWrite(m_out, reason);
    }
    return std::nullopt;
}

std::optional<QString> OutputFile::commit() {
    if (m_written.isEmpty() || !m_file.isOpen()) return cannotWrite(m_out, EBADF);
    std::optional<QString> problem;
    if (!m_file.flush())
        problem = cannotWrite(m_out, m_file.errorString());
    else if (::fsync(m_file.handle()) != 0)
        problem = cannotWrite(m_out, errno);
    m_file.close();
    // Asked again: the output may have changed while the sheets were made.
    if (!problem) problem = outputProblem(m_out, m_pictureFolders);
    if (!problem && ::rename(QFile::encodeName(m_written).constData(),
                             QFile::encodeName(m_out).constData()) != 0)
        problem = cannotWrite(m_out, errno);
    if (problem) {
        discard();
        return problem;
    }
    m_written.clear();
    return std::nullopt;
}

void OutputFile::discard() {
    m_file.close();
    ::unlink(QFile::encodeName(m_written).constData());
    m_written.clear();
}

} // namespace sheets
