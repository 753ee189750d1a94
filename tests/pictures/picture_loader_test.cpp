// Reading pictures and animations: header sizes, decoding at the shown size, files that are no
// pictures, and the budgets that refuse a file before it is decoded.
#include "hostile_media.h"
#include "picture_loader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

using hostile::noisyPicture;

QByteArray encoded(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

// A picture with a blue block in its top left corner, so that its orientation can be seen.
QImage markedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height / 2; ++y) {
        for (int x = 0; x < width / 4; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray& type, const QByteArray& data) {
    const QByteArray body = type + data;
    return bigEndian(static_cast<quint32>(data.size())) + body + bigEndian(crc32(body));
}

// A valid header, then an empty data chunk: all a reader needs to tell the size, no pixels.
QByteArray pngHeaderOnly(quint32 width, quint32 height) {
    const QByteArray rgba8 = QByteArray::fromHex("0806000000");
    return QByteArray::fromHex("89504E470D0A1A0A") +
           chunk("IHDR", bigEndian(width) + bigEndian(height) + rgba8) + chunk("IDAT", {}) +
           chunk("IEND", {});
}

// A JPEG whose EXIF data says it must be turned 90 degrees clockwise to be seen upright.
QByteArray sidewaysJpeg(const QImage& stored) {
    const QByteArray jpeg = encoded(stored, "JPEG");
    const QByteArray exif = QByteArray::fromHex("FFE10022"
                                                "457869660000"
                                                "4D4D002A00000008"
                                                "0001"
                                                "011200030000000100060000"
                                                "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

class Picture : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

// Teachers save pictures from the web as WebP and TIFF too, phones name JPEGs .jpeg, and web
// photos are often progressive JPEGs.
TEST_F(Picture, reportsTheNaturalSizeAndDecodesSmallerInEveryFormatTeachersUse) {
    const QImage marked = markedPicture(400, 300);
    const std::pair<const char*, QByteArray> files[] = {
        {"pez.png", encoded(marked, "PNG")},
        {"pez.jpeg", encoded(marked, "JPEG")},
        {"foto.jpg", hostile::progressiveJpeg(marked)},
        {"pez.gif", hostile::plainGif(400, 300, 1)},
        {"rana.gif", hostile::plainGif(400, 300, 3)},
        {"pez.bmp", encoded(marked, "BMP")},
        {"pez.webp", encoded(marked, "WEBP")},
        {"pez.tiff", encoded(marked, "TIFF")},
    };
    for (const auto& [name, bytes] : files) {
        const QString path = write(name, bytes);
        EXPECT_EQ(pictureSize(path), QSize(400, 300)) << name;
        EXPECT_TRUE(canShowPicture(path)) << name;
        EXPECT_EQ(pictureRefusal(path), std::nullopt) << name;
        EXPECT_EQ(loadPicture(path, QSize(100, 75)).size(), QSize(100, 75)) << name;
    }
}

TEST_F(Picture, neverDecodesLargerThanNatural) {
    const QString path = write("pez.png", encoded(markedPicture(40, 30), "PNG"));
    EXPECT_EQ(loadPicture(path, QSize(400, 300)).size(), QSize(40, 30));
    EXPECT_EQ(loadPicture(path, QSize()).size(), QSize(40, 30));
}

TEST_F(Picture, sidewaysPhotoIsReportedAndDecodedUpright) {
    const QString path = write("foto.jpg", sidewaysJpeg(markedPicture(80, 40)));
    EXPECT_EQ(pictureSize(path), QSize(40, 80));
    const QImage full = loadPicture(path, QSize(40, 80));
    ASSERT_EQ(full.size(), QSize(40, 80));
    // Turned clockwise, the stored top left corner comes to the top right.
    EXPECT_GT(qBlue(full.pixel(36, 3)), 200);
    EXPECT_GT(qRed(full.pixel(3, 3)), 200);
    EXPECT_EQ(loadPicture(path, QSize(20, 40)).size(), QSize(20, 40));
}

TEST_F(Picture, filesThatAreNoPicturesGiveNothing) {
    const QByteArray png = encoded(noisyPicture(200, 200), "PNG");
    const QDir base(dir.path());
    ASSERT_TRUE(base.mkdir("carpeta.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("tubo.png")).constData(), 0600), 0);
    const QString paths[] = {
        write("vacio.png", {}),
        write("texto.png", "no soy un dibujo\n"),
        write("cabecera.png", png.left(20)),
        dir.filePath("carpeta.png"),
        dir.filePath("tubo.png"),
        dir.filePath("ruido.png"),
        dir.filePath("no_existe.png"),
        QString(),
    };
    // Reading a link to a device would never end, and its name promises a picture.
    ASSERT_TRUE(QFile::link("/dev/urandom", dir.filePath("ruido.png")));
    QElapsedTimer clock;
    clock.start();
    for (const QString& path : paths) {
        EXPECT_EQ(pictureSize(path), std::nullopt) << qPrintable(path);
        EXPECT_FALSE(canShowPicture(path)) << qPrintable(path);
        EXPECT_EQ(pictureRefusal(path), std::nullopt) << qPrintable(path);
        EXPECT_TRUE(loadPicture(path, QSize(50, 50)).isNull()) << qPrintable(path);
    }
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(Picture, fileCutShortInItsDataGivesANullImage) {
    const QByteArray png = encoded(noisyPicture(200, 200), "PNG");
    const QString path = write("cortado.png", png.left(png.size() / 2));
    EXPECT_TRUE(loadPicture(path, QSize()).isNull());
    EXPECT_TRUE(loadPicture(path, QSize(50, 50)).isNull());
}

// A file the game will not decode because of what decoding it would cost, and the reason the
// check prints. Refused in well under a second, from the header and the markers alone.
struct Budget {
    const char* name;
    QByteArray bytes;
    std::optional<QString> refusal;
};

TEST_F(Picture, budgetsRefuseCostlyFilesBeforeDecodingAndSayWhy) {
    const Budget rows[] = {
        {"fits.png", pngHeaderOnly(5000, 5000), std::nullopt},
        {"huge.png", pngHeaderOnly(30000, 30000), "too large: 30,000 x 30,000"},
        {"frames_at_cap.gif", hostile::gifClaiming(1000, 1000, 50), std::nullopt},
        {"frames_over_cap.gif", hostile::gifClaiming(1000, 1000, 51),
         "too large: 1,000 x 1,000 x 51 frames"},
        {"huge_frames.gif", hostile::gifClaiming(5000, 5000, 12),
         "too large: 5,000 x 5,000 x 12 frames"},
        {"scans_at_cap.jpg", hostile::jpegOfScans(100), std::nullopt},
        {"scans_over_cap.jpg", hostile::jpegOfScans(101), "too many scans (101; at most 100)"},
        {"scans_galore.jpg", hostile::jpegOfScans(2000), "too many scans (2,000; at most 100)"},
        // A progressive decoder's coefficients, by size and by how finely colour is sampled.
        {"web_photo.jpg", hostile::jpegClaiming(6000, 4000, false), std::nullopt},
        {"full_colour_fits.jpg", hostile::jpegClaiming(4000, 3000, true), std::nullopt},
        {"subsampled_over.jpg", hostile::jpegClaiming(7000, 7000, false),
         "too large to decode progressively (140.3 MB; at most 72 MB)"},
        {"full_colour_over.jpg", hostile::jpegClaiming(7000, 7000, true),
         "too large to decode progressively (280.4 MB; at most 72 MB)"},
    };
    for (const Budget& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write(row.name, row.bytes);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(pictureRefusal(path), row.refusal);
        EXPECT_EQ(canShowPicture(path), !row.refusal);
        if (row.refusal) {
            EXPECT_TRUE(loadPicture(path, QSize(100, 100)).isNull());
        }
        EXPECT_LT(clock.elapsed(), 1000);
    }
    EXPECT_EQ(pictureSize(dir.filePath("fits.png")), QSize(5000, 5000));
    EXPECT_EQ(pictureSize(dir.filePath("huge.png")), std::nullopt);
    EXPECT_EQ(pictureSize(dir.filePath("huge_frames.gif")), std::nullopt);
}

// Large progressive photos wait for their share of the decoding budget; six decoded at once, as
// the game decodes a round's pictures, all arrive.
TEST_F(Picture, largeProgressivePhotosDecodedTogetherAllArrive) {
    QImage plain(2400, 1800, QImage::Format_RGB32);
    plain.fill(Qt::darkGreen);
    const QString path = write("grande.jpg", hostile::progressiveJpeg(plain));
    std::vector<QImage> images(6);
    {
        std::vector<std::jthread> decoders;
        for (QImage& image : images)
            decoders.emplace_back([&image, &path] { image = loadPicture(path, QSize(240, 180)); });
    }
    for (const QImage& image : images)
        EXPECT_EQ(image.size(), QSize(240, 180));
}

// Animations are played from memory: the whole file, read once, within the same budgets and a
// byte cap of their own.
TEST_F(Picture, animationsAreReadWholeWithinTheirBudgets) {
    const QByteArray small = hostile::plainGif(4, 4, 3);
    const QString played = write("corre.gif", small);
    const std::optional<AnimationFile> animation = readAnimation(played);
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->bytes, small);
    EXPECT_EQ(animation->size, QSize(4, 4));
    EXPECT_EQ(animationRefusal(played), std::nullopt);

    // A file larger than the cap is refused by its size, before anything of it is read.
    const QString large = write("largo.gif", small);
    ASSERT_TRUE(QFile::resize(large, MaxAnimationBytes + 1024 * 1024));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("tubo.gif")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/urandom", dir.filePath("ruido.gif")));
    const Budget rows[] = {
        {"enorme.gif", hostile::gifClaiming(5000, 5000, 12),
         "too large: 5,000 x 5,000 x 12 frames"},
        {"largo.gif", {}, "too large a file (17.0 MB; at most 16 MB)"},
        {"tubo.gif", {}, std::nullopt},
        {"ruido.gif", {}, std::nullopt},
        {"no_existe.gif", {}, std::nullopt},
        {"texto.gif", "no soy un dibujo", std::nullopt},
    };
    for (const Budget& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path =
            row.bytes.isEmpty() ? dir.filePath(row.name) : write(row.name, row.bytes);
        EXPECT_FALSE(readAnimation(path).has_value());
        EXPECT_EQ(animationRefusal(path), row.refusal);
    }
}

} // namespace
