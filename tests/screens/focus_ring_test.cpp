// Tests of the focus ring: drawn outside whichever control has the focus, in the menu, the splash
// and the picture viewer, and apart from the chosen level's own border.
#include "focus_ring.h"
#include "level_menu.h"
#include "module1.h"
#include "navigation.h"
#include "picture_viewer.h"
#include "program_folder.h"
#include "splash_screen.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class NoNavigation final : public Navigation {
  public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return false; }
    void enableGameTimer3() override {}
    void loadGameScreen() override {}
    void quit() override {}
};

// The colours just outside a control's left edge, at mid-height, as the window shows them: the
// ring's inner band lies 1 to 3 px out, its outer band 4 and 5 px out.
struct Edge {
    QColor inner, outer;
};
Edge edgeOf(const QImage& shot, const QWidget* control) {
    const QPoint left = control->mapTo(control->window(), QPoint(0, control->height() / 2));
    return {shot.pixelColor(left - QPoint(2, 0)), shot.pixelColor(left - QPoint(5, 0))};
}
bool ringed(const QImage& shot, const QWidget* control) {
    const Edge edge = edgeOf(shot, control);
    return edge.inner == FocusRing::InnerColour && edge.outer == FocusRing::OuterColour;
}

// A folder with one theme, so that the menu has its row of themes too.
class FocusRingTest : public testing::Test {
  protected:
    FocusRingTest() {
        QFile sample(folder.path() + QStringLiteral("/imagenes/casa.png"));
        sample.open(QIODevice::ReadOnly);
        const QByteArray picture = sample.readAll();
        for (const char* name : {"perro", "vaca", "oveja", "cerdo", "pato", "gallo"})
            folder.write(QStringLiteral("imagenes/animales/%1.png").arg(name), picture);
    }
    static QImage shot(QWidget& window) { return window.grab().toImage(); }

    ProgramFolder folder;
    QTemporaryDir home;
    const assets::AssetPaths paths = assets::resolve(
        folder.path(), assets::UserFolders{home.path() + "/data", home.path() + "/config", {}});
    NoNavigation navigation;
    Module1 module1;
};

// Tab goes themes, levels, play, exit: each in turn is ringed and the one before is not; the
// chosen level and theme keep their own blue border while the ring is elsewhere.
TEST_F(FocusRingTest, TabInTheMenuMovesTheRingFromControlToControl) {
    Form3 menu(navigation, module1, paths);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    ASSERT_FALSE(menu.ThemeButtons.isEmpty());
    QWidget* level = menu.Command1[0];
    const QList<QWidget*> path{menu.Command2, menu.Command3, menu.ThemeButtons[0], level};
    QWidget* before = level;
    ASSERT_EQ(QApplication::focusWidget(), before);
    EXPECT_TRUE(ringed(shot(menu), before));
    for (QWidget* next : path) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
        const QImage after = shot(menu);
        EXPECT_TRUE(ringed(after, next)) << next->objectName().toStdString();
        EXPECT_FALSE(ringed(after, before)) << before->objectName().toStdString();
        before = next;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QImage ringOnPlay = shot(menu);
    const QColor checkedBorder(0x3a, 0x6f, 0xd8);
    EXPECT_EQ(ringOnPlay.pixelColor(level->mapTo(&menu, QPoint(1, level->height() / 2))),
              checkedBorder);
    EXPECT_NE(edgeOf(ringOnPlay, level).inner, FocusRing::InnerColour);
}

// The splash is its own one control: the ring runs along its edge. The viewer's picture is its.
TEST_F(FocusRingTest, TheSplashAndTheViewerShowTheRingOnTheirOneControl) {
    auto* splash = new Form2(navigation, paths);
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    const QImage splashShot = shot(*splash);
    EXPECT_EQ(splashShot.pixelColor(0, splash->height() / 2), FocusRing::OuterColour);
    EXPECT_EQ(splashShot.pixelColor(3, splash->height() / 2), FocusRing::InnerColour);
    delete splash;

    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("imagenes"));
    QImage picture(QSize(100, 100), QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("imagenes/casa.png"))));
    Form4 viewer(assets::resolve(folder.path()), QStringLiteral("casa.png"));
    ASSERT_TRUE(viewer.pictureLoaded());
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    EXPECT_EQ(QApplication::focusWidget(), viewer.Picture1);
    EXPECT_TRUE(ringed(shot(viewer), viewer.Picture1));
}

} // namespace
