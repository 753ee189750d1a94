// Builds the benchmarks' program folders: copies of the bundled assets and made-up photos.
#include "bench_folder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace {

// The Spanish set, copied into the old one-set layout: the benchmarks measure the game, not which
// set the repository has active.
const QString SpanishSet = QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es");

void copyFolder(const QString& to, const QString& source, const char* folder) {
    const QString name = QString::fromLatin1(folder);
    QDir(to).mkdir(name);
    const QDir from(source + QLatin1Char('/') + name);
    for (const QString& file : from.entryList(QDir::Files))
        QFile::copy(from.filePath(file), to + QLatin1Char('/') + name + QLatin1Char('/') + file);
}

// Words of at most 12 letters, all different, so that every photo gives a placeable word.
const char* const PhotoWords[] = {"playa",  "bosque", "ciudad",  "puente",  "jardin",  "campo",
                                  "lago",   "torre",  "parque",  "calle",   "granja",  "colina",
                                  "puerto", "faro",   "molino",  "cueva",   "selva",   "valle",
                                  "rio",    "plaza",  "mercado", "iglesia", "estadio", "muelle"};
constexpr int PhotoWordCount = sizeof(PhotoWords) / sizeof(PhotoWords[0]);

// A small fast generator: the grain must differ from pixel to pixel but need not be good.
struct Grain {
    std::uint32_t state;
    int next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state & 15) - 8;
    }
};

int clampByte(int value) {
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// Broad colour gradients and soft waves (what a JPEG compresses well) plus per-pixel grain (what
// it does not), in the proportion that gives a phone photo's file size.
QImage photo(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    Grain grain{0x9E3779B9u * static_cast<std::uint32_t>(seed + 1)};
    const double w = size.width();
    const double h = size.height();
    const double phase = seed * 0.7;
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double wave = 40 * std::sin(y / h * 9 + phase);
        for (int x = 0; x < size.width(); ++x) {
            const double fx = x / w;
            const double fy = y / h;
            const int r = static_cast<int>(60 + 150 * fx + wave) + grain.next();
            const int g =
                static_cast<int>(40 + 170 * fy + 30 * std::sin(fx * 13 + phase)) + grain.next();
            const int b = static_cast<int>(200 - 120 * fx * fy + wave / 2) + grain.next();
            line[x] = qRgb(clampByte(r), clampByte(g), clampByte(b));
        }
    }
    return image;
}

} // namespace

BenchFolder::BenchFolder() {
    copyFolder(path(), SpanishSet, "configuracion");
    copyFolder(path(), QStringLiteral(TOLVANO_ASSET_DIR), "gifs");
    copyFolder(path(), QStringLiteral(TOLVANO_ASSET_DIR), "sonidos");
    QDir(path()).mkdir(QStringLiteral("imagenes"));
}

QString BenchFolder::pictureFolder() const {
    return path() + QStringLiteral("/imagenes");
}

void BenchFolder::addBundledPictures() {
    const QDir from(SpanishSet + QStringLiteral("/imagenes"));
    for (const QString& file : from.entryList(QDir::Files))
        QFile::copy(from.filePath(file), pictureFolder() + QLatin1Char('/') + file);
    copyFolder(path(), SpanishSet, "voces");
}

namespace {

// The i-th photo's file: a different word for each.
QString photoFile(const QString& folder, int i) {
    QString name = QString::fromLatin1(PhotoWords[i % PhotoWordCount]);
    if (i >= PhotoWordCount) name += QChar(u'a' + i / PhotoWordCount - 1);
    return folder + QLatin1Char('/') + name + QStringLiteral(".jpg");
}

} // namespace

void BenchFolder::addPhotos(int count, QSize size) {
    for (int i = 0; i < count; ++i) {
        const QString file = photoFile(pictureFolder(), i);
        if (!photo(size, i).save(file, "JPG", 90))
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    }
}

void BenchFolder::addProgressivePhotos(int count, QSize size) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(photo(size, 0))) std::fprintf(stderr, "could not encode a photo\n");
    for (int i = 0; i < count; ++i) {
        QFile out(photoFile(pictureFolder(), i));
        if (!out.open(QIODevice::WriteOnly) || out.write(encoded) != encoded.size())
            std::fprintf(stderr, "could not write %s\n", qPrintable(out.fileName()));
    }
}

namespace {

// The game's longest word: longer names would be no candidates and only pad the listing.
constexpr int MaxTinyNameLength = 12;

// The count-th name of the given length: count written in base 26 with letters, padded with 'a'
// to exactly that length. Equal lengths give distinct names and different lengths cannot clash.
QString fixedLengthName(int count, int length) {
    QString name(length, QLatin1Char('a'));
    for (int k = length - 1; k >= 0 && count > 0; --k, count /= 26)
        name[k] = QLatin1Char(static_cast<char>('a' + count % 26));
    return name;
}

} // namespace

void BenchFolder::addTinyPictures(int count, QSize size) {
    // A few colours encoded once and written many times: encoding each file anew would make the
    // folder take far longer to build and measure nothing more.
    constexpr int Variants = 8;
    QByteArray encoded[Variants];
    for (int v = 0; v < Variants; ++v) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(v * 360 / Variants, 200, 220));
        QBuffer buffer(&encoded[v]);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    // Lengths taken in turn, 1 to 12; a length whose names have run out (26 of one letter, 676 of
    // two) is skipped, so every name stays distinct.
    int used[MaxTinyNameLength + 1] = {};
    auto capacity = [](int length) {
        long long names = 1;
        for (int k = 0; k < length && names < (1LL << 40); ++k)
            names *= 26;
        return names;
    };
    for (int i = 0, length = 1; i < count; length = length % MaxTinyNameLength + 1) {
        if (used[length] >= capacity(length)) continue;
        const QString file = pictureFolder() + QLatin1Char('/') +
                             fixedLengthName(used[length]++, length) + QStringLiteral(".png");
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(encoded[i % Variants]) < 0)
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        ++i;
    }
    // A teacher's folder was filled long before the round, not in the last two seconds: the
    // game re-lists a folder that changed that recently, whatever its file system keeps of times.
    std::error_code error;
    const std::filesystem::path folder = pictureFolder().toStdString();
    std::filesystem::last_write_time(
        folder, std::filesystem::last_write_time(folder, error) - std::chrono::hours(1), error);
}

QStringList BenchFolder::pictures() const {
    return QDir(pictureFolder()).entryList(QDir::Files, QDir::Name);
}

qint64 BenchFolder::pictureBytes() const {
    qint64 total = 0;
    for (const QString& name : pictures())
        total += QFileInfo(pictureFolder() + QLatin1Char('/') + name).size();
    return total;
}
