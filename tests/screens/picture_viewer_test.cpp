// Tests of the picture viewer: its window, too-large and unusable pictures, the closing click.
#include "picture_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A program folder with a picture folder that each test fills.
class PictureViewerTest : public testing::Test {
  protected:
    PictureViewerTest() { QDir(folder.path()).mkpath(QStringLiteral("imagenes")); }

    void writePicture(const QString& name, QSize size) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(QColor(0x20, 0x80, 0xE0));
        ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("imagenes/") + name)));
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(QStringLiteral("imagenes/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Runs open() on `name` as the game screen does; `whileOpen` gets the modal viewer, if one
    // opens, and must close it. A viewer that should not have opened is closed here so the test
    // cannot hang.
    bool open(const QString& name, const std::function<void(Form4&)>& whileOpen = {}) {
        bool opened = false;
        QTimer watcher;
        watcher.setSingleShot(true);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* viewer = qobject_cast<Form4*>(QApplication::activeModalWidget());
            if (!viewer) return;
            opened = true;
            if (whileOpen) whileOpen(*viewer);
            if (viewer->isVisible()) viewer->reject();
        });
        watcher.start(0);
        Form4::open(assets::resolve(folder.path()), name, nullptr);
        return opened;
    }

    QTemporaryDir folder;
};

// A small picture grows to half the screen's height: 100 x 100 px (1,500 twips) is shown 400 x 400
// on the offscreen platform's 800 x 800 px screen, in a window of 6,325 x 6,700 twips at
// floor((12,000 - 6,325) / 2) = 2,837 and floor((12,000 - 6,700) / 2) = 2,650.
TEST_F(PictureViewerTest, SmallPictureGrowsTowardsHalfTheScreenAtMostTwiceItsSizeCentred) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
    struct Row {
        int side, shown;
        QRect window;
    };
    // Half of the 800 px screen, unless that would enlarge it more than twice (a blur).
    for (const Row& row :
         {Row{200, 400, QRect(189, 177, 422, 446)}, Row{100, 200, QRect(289, 277, 222, 246)}}) {
        writePicture(QStringLiteral("piña.png"), QSize(row.side, row.side));
        Form4 viewer(assets::resolve(folder.path()), QStringLiteral("piña.png"));
        ASSERT_TRUE(viewer.pictureLoaded());
        EXPECT_EQ(viewer.geometry(), row.window) << row.side;
        EXPECT_EQ(viewer.Picture1->geometry(), QRect(8, 8, row.shown, row.shown)) << row.side;
        EXPECT_EQ(viewer.Picture1->pixmap().size(), QSize(row.shown, row.shown)) << row.side;
        EXPECT_TRUE(viewer.windowFlags().testFlag(Qt::FramelessWindowHint));
    }
}

TEST_F(PictureViewerTest, PictureLargerThanTheScreenIsShownSmallerInProportion) {
    writePicture(QStringLiteral("grande.png"), QSize(1000, 900));
    Form4 viewer(assets::resolve(folder.path()), QStringLiteral("grande.png"));
    ASSERT_TRUE(viewer.pictureLoaded());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(viewer.geometry()))
        << viewer.geometry().width() << " x " << viewer.geometry().height();
    const QSize shown = viewer.Picture1->size();
    EXPECT_LT(shown.width(), 1000);
    EXPECT_NEAR(double(shown.width()) / shown.height(), 1000.0 / 900.0, 0.01);
    // Decoded at the size it is shown, not at its natural size.
    EXPECT_EQ(viewer.Picture1->pixmap().size(), shown);
    EXPECT_TRUE(viewer.rect().contains(viewer.Picture1->geometry()));
}

TEST_F(PictureViewerTest, PictureThatCannotBeShownOpensNothing) {
    writeFile(QStringLiteral("texto.png"), "not a picture at all");
    writeFile(QStringLiteral("vacio.png"), "");
    const QString names[] = {QStringLiteral("borrado.png"), QStringLiteral("texto.png"),
                             QStringLiteral("vacio.png"), QString()};
    for (const QString& name : names) {
        EXPECT_FALSE(open(name)) << name.toStdString();
        EXPECT_FALSE(Form4(assets::resolve(folder.path()), name).pictureLoaded())
            << name.toStdString();
    }
}

TEST_F(PictureViewerTest, ClickOnThePictureClosesTheViewerAndNowhereElse) {
    writePicture(QStringLiteral("gato.png"), QSize(150, 120));
    bool stayedOpen = false;
    bool closedByPicture = false;
    const bool opened = open(QStringLiteral("gato.png"), [&](Form4& viewer) {
        // The white margin below the picture is no way out.
        QTest::mouseClick(&viewer, Qt::LeftButton, {}, QPoint(4, viewer.height() - 4));
        stayedOpen = viewer.isVisible();
        QTest::mouseClick(viewer.Picture1, Qt::LeftButton, {}, QPoint(75, 60));
        closedByPicture = !viewer.isVisible();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(closedByPicture);
}

} // namespace
