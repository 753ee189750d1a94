// Reading pictures and animations: header sizes, decoding at the shown size, files that are no
// pictures, and the budgets that refuse a file before it is decoded.
#include "hostile_media.h"
#include "picture_loader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
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

// Header-only PNGs: a reader can tell the size and what its decoder will allocate, and decodes
// no pixels.
using hostile::pngClaiming;
using hostile::PngColour;

// A PNG of the given number of chunks in all: the header, empty private chunks, data and end.
QByteArray pngOfChunks(int chunks) {
    const QByteArray png = pngClaiming(64, 64);
    const qsizetype headerEnd = 8 + 25;
    return png.left(headerEnd) + hostile::pngChunk("prVt", {}).repeated(chunks - 3) +
           png.mid(headerEnd);
}

// Qt's allocation limit, set for as long as it lives: the refusals name it.
class AllocationLimit {
  public:
    explicit AllocationLimit(int megabytes) { QImageReader::setAllocationLimit(megabytes); }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_before); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

  private:
    int m_before = QImageReader::allocationLimit();
};

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
        // Text chunks are left out of what the decoder reads, and nothing else.
        {"texto.png", hostile::pngWithText(encoded(marked, "PNG"), 6)},
        // Many programs write BMPs top down.
        {"arriba.bmp", hostile::topDownBmp(marked)},
    };
    for (const auto& [name, bytes] : files) {
        const QString path = write(name, bytes);
        EXPECT_EQ(pictureSize(path), QSize(400, 300)) << name;
        EXPECT_TRUE(canShowPicture(path)) << name;
        EXPECT_EQ(pictureRefusal(path), std::nullopt) << name;
        EXPECT_EQ(loadPicture(path, QSize(100, 75)).size(), QSize(100, 75)) << name;
    }
}

TEST_F(Picture, topDownBmpIsDecodedUpright) {
    const QString path = write("arriba.bmp", hostile::topDownBmp(markedPicture(80, 40)));
    for (const QSize shown : {QSize(80, 40), QSize(40, 20)}) {
        const QImage image = loadPicture(path, shown);
        ASSERT_EQ(image.size(), shown);
        // The blue block stays in the top left corner.
        EXPECT_GT(qBlue(image.pixel(2, 2)), 200);
        EXPECT_GT(qRed(image.pixel(2, shown.height() - 3)), 200);
    }
}

// A palette picture (every bundled one) comes in full colour, so that no scaling of it is put
// back into a palette: Qt dithers it then, speckles all over its flat areas.
TEST_F(Picture, palettePicturesComeInFullColourAndStayFlat) {
    QImage palette(512, 512, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(80, 80, 80), qRgb(255, 255, 255), qRgb(240, 150, 80)});
    palette.fill(0);
    for (int y = 0; y < 512; ++y) // stripes on the right half, for averaging to mix
        for (int x = 256; x < 512; ++x)
            palette.setPixel(x, y, 1 + (x / 3 + y / 5) % 2);
    const QString path = write("oso.png", encoded(palette, "PNG"));
    for (const QSize shown : {QSize(130, 130), QSize(512, 512), QSize(700, 700)}) {
        const QImage image =
            loadPicture(path, shown).scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ASSERT_EQ(image.size(), shown);
        EXPECT_EQ(image.colorCount(), 0) << shown.width();
        const int w = shown.width();
        for (int y = w / 4 - 5; y < w / 4 + 5; ++y)
            for (int x = w / 4 - 5; x < w / 4 + 5; ++x)
                ASSERT_EQ(image.pixel(x, y), qRgb(80, 80, 80)) << w << ": " << x << ", " << y;
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
        {"fits.png", pngClaiming(5000, 5000), std::nullopt},
        {"huge.png", pngClaiming(30000, 30000), "too large: 30,000 x 30,000"},
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
        // What Qt's decoder would allocate, against its limit. 8 bits a channel decode at the size
        // shown; 16 bits, BMPs and an animated WebP's canvas are allocated whole.
        {"wide.png", pngClaiming(7000, 7000, 8, PngColour::Rgb), std::nullopt},
        {"deep_at_limit.png", pngClaiming(4096, 4096, 16, PngColour::Rgba), std::nullopt},
        {"deep.png", pngClaiming(7000, 7000, 16, PngColour::Rgb),
         "too large: 7,000 x 7,000 at 16 bits a colour (373.8 MB to decode; at most 128 MB)"},
        {"runs_fit.bmp", hostile::rleBmpClaiming(5000, 5000), std::nullopt},
        {"runs.bmp", hostile::rleBmpClaiming(7000, 7000),
         "too large: 7,000 x 7,000 (186.9 MB to decode; at most 128 MB)"},
        {"canvas_fits.webp", hostile::animatedWebp(1000, 1000, 3), std::nullopt},
        {"canvas.webp", hostile::animatedWebp(16001, 16001, 2),
         "too large: a canvas of 16,001 x 16,001 (976.7 MB to decode; at most 128 MB)"},
        // Each chunk costs the walk a seek and libpng a read.
        {"chunks_at_cap.png", pngOfChunks(MaxPngChunks), std::nullopt},
        {"chunks_over_cap.png", pngOfChunks(MaxPngChunks + 1), "too many chunks (over 100,000)"},
    };
    const AllocationLimit limit(128);
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

// The check reports in the language of the set it checks, with Spanish numbers.
TEST_F(Picture, refusalsAreToldInSpanishToo) {
    const AllocationLimit limit(128);
    const Budget rows[] = {
        {"fits.png", pngClaiming(5000, 5000), std::nullopt},
        {"huge.png", pngClaiming(30000, 30000), "demasiado grande: 30.000 x 30.000"},
        {"huge_frames.gif", hostile::gifClaiming(5000, 5000, 12),
         "demasiado grande: 5.000 x 5.000 x 12 fotogramas"},
        {"scans_galore.jpg", hostile::jpegOfScans(2000),
         "demasiados barridos (2.000; como mucho 100)"},
        {"full_colour_over.jpg", hostile::jpegClaiming(7000, 7000, true),
         "demasiado grande para descodificarla progresivamente (280,4 MB; como mucho 72 MB)"},
        {"deep.png", pngClaiming(7000, 7000, 16, PngColour::Rgb),
         "demasiado grande: 7.000 x 7.000 a 16 bits por color (373,8 MB al descodificarla; como "
         "mucho 128 MB)"},
        {"canvas.webp", hostile::animatedWebp(16001, 16001, 2),
         "demasiado grande: un lienzo de 16.001 x 16.001 (976,7 MB al descodificarla; como mucho "
         "128 MB)"},
        {"chunks.png", pngOfChunks(MaxPngChunks + 1), "demasiados fragmentos (más de 100.000)"},
    };
    for (const Budget& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(pictureRefusal(write(row.name, row.bytes), Language::Spanish), row.refusal);
    }
    const QString large = write("largo.gif", hostile::plainGif(4, 4, 1));
    ASSERT_TRUE(QFile::resize(large, MaxAnimationBytes + 1024 * 1024));
    EXPECT_EQ(animationRefusal(large, Language::Spanish),
              "archivo demasiado grande (17,0 MB; como mucho 16 MB)");
    EXPECT_EQ(animationRefusal(dir.filePath("huge_frames.gif"), Language::Spanish),
              "demasiado grande: 5.000 x 5.000 x 12 fotogramas");
}

bool qtRejected = false;

// Whether Qt's decoder rejects the file for its allocation limit, read as the game reads a
// picture this large: asked for a smaller size.
bool qtRejects(const QByteArray& bytes) {
    qtRejected = false;
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            if (message.contains(QLatin1String("Rejecting image"))) qtRejected = true;
        });
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (const QSize size = reader.size(); size.isValid())
        reader.setScaledSize((size / 8).expandedTo({1, 1}));
    QImage image;
    reader.read(&image);
    qInstallMessageHandler(before);
    return qtRejected;
}

struct Edge {
    const char* name;
    QByteArray bytes;
    bool over;
};

// The budget is Qt's own limit told from the header: on each side of its edge the loader refuses
// exactly the files whose decoding Qt would reject (at least 32 bits a pixel, whatever the format).
TEST_F(Picture, theAllocationBudgetRefusesWhatQtWouldRejectAndNothingElse) {
    const AllocationLimit limit(128);
    const Edge rows[] = {
        {"16 bits at the limit", pngClaiming(4096, 4096, 16, PngColour::Rgb), false},
        {"16 bits over", pngClaiming(4097, 4096, 16, PngColour::Rgb), true},
        {"grey at the limit", pngClaiming(5792, 5792, 8, PngColour::Grey), false},
        {"grey over", pngClaiming(5793, 5793, 8, PngColour::Grey), true},
        {"16-bit grey over", pngClaiming(5793, 5793, 16, PngColour::Grey), true},
        {"palette over", pngClaiming(5793, 5793, 8, PngColour::Palette), true},
        {"interlaced at the limit", pngClaiming(5792, 5792, 8, PngColour::Rgb, true), false},
        {"interlaced over", pngClaiming(5793, 5793, 8, PngColour::Rgb, true), true},
        {"8 bits decoded at the shown size", pngClaiming(7000, 7000, 8, PngColour::Rgba), false},
        {"BMP at the limit", hostile::rleBmpClaiming(5792, 5792), false},
        {"BMP over", hostile::rleBmpClaiming(5793, 5793), true},
        {"GIF at the limit", hostile::gifClaiming(5792, 5792, 1), false},
        {"GIF over", hostile::gifClaiming(5793, 5793, 1), true},
        {"canvas at the limit", hostile::animatedWebp(5792, 5792, 1), false},
        {"canvas over", hostile::animatedWebp(5793, 5793, 1), true},
    };
    for (const Edge& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write(QStringLiteral("edge"), row.bytes);
        EXPECT_EQ(qtRejects(row.bytes), row.over);
        EXPECT_EQ(pictureRefusal(path).has_value(), row.over);
        EXPECT_EQ(pictureSize(path).has_value(), !row.over);
    }
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
