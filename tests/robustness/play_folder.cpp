// Building throwaway program folders, listing folders byte for byte, and reading resident memory.
#include "play_folder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const QString AssetDir = QStringLiteral(TOLVANO_ASSET_DIR);
const QString SpanishSet = AssetDir + QStringLiteral("/idiomas/es");

// The folders are laid out the old way, one set at the top: hostile files then sit where a
// teacher's old folder holds them, and every test names them the same way.
void copyFolder(const QString& to, const QString& source, const QString& name) {
    QDir(to).mkdir(name);
    const QDir from(source + QLatin1Char('/') + name);
    for (const QString& file : from.entryList(QDir::Files))
        QFile::copy(from.filePath(file), to + QLatin1Char('/') + name + QLatin1Char('/') + file);
}

std::string kindOf(const fs::file_status& status) {
    switch (status.type()) {
    case fs::file_type::regular:
        return "file";
    case fs::file_type::directory:
        return "folder";
    case fs::file_type::symlink:
        return "link";
    case fs::file_type::fifo:
        return "fifo";
    default:
        return "other";
    }
}

std::string checksum(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        hash.addData(QByteArrayView(buffer, in.gcount()));
    return hash.result().toHex().toStdString();
}

} // namespace

PlayFolder::PlayFolder(Pictures pictures) {
    copyFolder(path(), SpanishSet, QStringLiteral("configuracion"));
    copyFolder(path(), AssetDir, QStringLiteral("gifs"));
    copyFolder(path(), AssetDir, QStringLiteral("sonidos"));
    if (pictures == Pictures::Bundled)
        copyFolder(path(), SpanishSet, QStringLiteral("imagenes"));
    else
        QDir(path()).mkdir(QStringLiteral("imagenes"));
}

std::string PlayFolder::pictureFolder() const {
    return QFile::encodeName(path() + QStringLiteral("/imagenes")).toStdString();
}

void PlayFolder::writeRaw(const std::string& relative, const QByteArray& content) const {
    const std::string file = QFile::encodeName(path()).toStdString() + '/' + relative;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    qsizetype written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + written, content.size() - written);
        if (n <= 0) break;
        written += n;
    }
    ::close(fd);
}

void PlayFolder::write(const QString& relative, const QByteArray& content) const {
    writeRaw(QFile::encodeName(relative).toStdString(), content);
}

void PlayFolder::remove(const QString& relative) const {
    QFile::remove(path() + QLatin1Char('/') + relative);
}

QByteArray bundledPng(const QString& name) {
    QFile file(SpanishSet + QStringLiteral("/imagenes/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bundledJpeg(const QString& name) {
    QImage image;
    image.loadFromData(bundledPng(name));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", 90);
    return bytes;
}

FolderListing listFolder(const std::string& folder) {
    FolderListing listing;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const fs::path& entry = it->path();
        const fs::file_status status = fs::symlink_status(entry);
        std::string what = kindOf(status);
        if (status.type() == fs::file_type::regular)
            what += ' ' + std::to_string(fs::file_size(entry)) + ' ' + checksum(entry);
        else if (status.type() == fs::file_type::symlink)
            what += " -> " + fs::read_symlink(entry).string();
        // Cut textually: resolving the path would follow the links under test.
        listing[entry.string().substr(folder.size() + 1)] = what;
    }
    if (error) listing["(listing failed)"] = error.message();
    return listing;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}
