// Reading pictures: header sizes, decoding at the shown size, and files that are no pictures.
#include "picture_loader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <utility>
#include <sys/stat.h>

namespace {

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

// Noise compresses badly, so that cutting the file in half cuts into the picture data.
QImage noisyPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state >> 8);
        }
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

// Teachers save pictures from the web as WebP and TIFF too, and phones name JPEGs .jpeg.
TEST_F(Picture, reportsTheNaturalSizeAndDecodesSmallerInEveryFormatTeachersUse) {
    for (const auto& [name, format] : {std::pair{"pez.png", "PNG"}, {"pez.jpeg", "JPEG"},
                                       {"pez.webp", "WEBP"}, {"pez.tiff", "TIFF"}}) {
        const QString path = write(name, encoded(markedPicture(400, 300), format));
        EXPECT_EQ(pictureSize(path), QSize(400, 300)) << name;
        EXPECT_TRUE(canShowPicture(path)) << name;
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
        dir.filePath("no_existe.png"),
        QString(),
    };
    for (const QString& path : paths) {
        EXPECT_EQ(pictureSize(path), std::nullopt) << qPrintable(path);
        EXPECT_FALSE(canShowPicture(path)) << qPrintable(path);
        EXPECT_TRUE(loadPicture(path, QSize(50, 50)).isNull()) << qPrintable(path);
    }
}

TEST_F(Picture, fileCutShortInItsDataGivesANullImage) {
    const QByteArray png = encoded(noisyPicture(200, 200), "PNG");
    const QString path = write("cortado.png", png.left(png.size() / 2));
    EXPECT_TRUE(loadPicture(path, QSize()).isNull());
    EXPECT_TRUE(loadPicture(path, QSize(50, 50)).isNull());
}

TEST_F(Picture, hugePictureIsRefusedFromItsHeader) {
    const QString path = write("enorme.png", pngHeaderOnly(30000, 30000));
    const QString fits = write("cabe.png", pngHeaderOnly(5000, 5000));
    ASSERT_EQ(pictureSize(fits), QSize(5000, 5000)); // the crafted header is read as such
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(pictureSize(path), std::nullopt);
    EXPECT_FALSE(canShowPicture(path));
    EXPECT_TRUE(loadPicture(path, QSize(100, 100)).isNull());
    EXPECT_LT(clock.elapsed(), 1000);
}

} // namespace
