// Tests of the level menu's row of themes: what it shows, how it is chosen, when it is not there.
#include "asset_paths.h"
#include "game_screen.h"
#include "level_menu.h"
#include "media_fakes.h"
#include "module1.h"
#include "navigation.h"
#include "picture_words.h"
#include "program_folder.h"
#include "user_settings.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Two themes of six pictures each, and two pictures of no theme.
class ThemeRowTest : public testing::Test {
  protected:
    ThemeRowTest() {
        QFile sample(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/imagenes/gato.png"));
        sample.open(QIODevice::ReadOnly);
        const QByteArray picture = sample.readAll();
        for (const char* name : {"perro", "vaca", "oveja", "cerdo", "pato", "gallo"})
            folder.write(QStringLiteral("imagenes/animales/%1.png").arg(name), picture);
        for (const char* name : {"pera", "uva", "kiwi", "lima", "coco", "fresa"})
            folder.write(QStringLiteral("imagenes/frutas/%1.png").arg(name), picture);
    }
    assets::AssetPaths paths() const {
        return assets::resolve(
            folder.path(), assets::UserFolders{home.path() + "/data", home.path() + "/config", {}});
    }
    void hideRow() const {
        UserSettings settings;
        settings.themeRowShown = false;
        ASSERT_FALSE(writeUserSettings(paths().settingsFile(), settings));
    }
    static void showActive(Form3& menu) {
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    }
    static bool checkedForScreenReaders(QWidget* button) {
        return QAccessible::queryAccessibleInterface(button)->state().checked;
    }

    ProgramFolder folder{{"casa.png", "sol.png"}};
    QTemporaryDir home;
    NoNavigation navigation;
    Module1 module1;
};

} // namespace

TEST_F(ThemeRowTest, RowShowsAllThenEachThemeByItsPictureAboveTheLevels) {
    module1.Theme = QStringLiteral("FRUTAS"); // as the settings may spell it
    Form3 menu(navigation, module1, paths());
    ASSERT_FALSE(menu.ThemeRow->isHidden());
    const QStringList names{"todas", "animales", "frutas"};
    ASSERT_EQ(menu.ThemeButtons.size(), names.size());
    for (int k = 0; k < names.size(); ++k) {
        SCOPED_TRACE(k);
        QPushButton* button = menu.ThemeButtons[k];
        EXPECT_EQ(button->accessibleName(), names[k]);
        EXPECT_EQ(button->toolTip(), names[k]);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->isChecked(), k == 2);
        EXPECT_EQ(checkedForScreenReaders(button), k == 2);
    }
    EXPECT_GT(menu.Command1[0]->geometry().top(), menu.ThemeRow->geometry().bottom());
    EXPECT_GT(menu.Command2->geometry().top(), menu.Command1[0]->geometry().bottom());
    EXPECT_LE(menu.Command3->geometry().bottom(), menu.height());
}

// A click or the arrows choose, as on the levels: the arrows stop at the row's ends.
TEST_F(ThemeRowTest, ClickAndArrowsMoveTheMarkAndChooseTheTheme) {
    const struct {
        int click; // the button clicked first
        std::vector<Qt::Key> keys;
        int chosen;
    } rows[] = {
        {2, {}, 2},
        {0, {Qt::Key_Right}, 1},
        {0, {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right}, 2},
        {2, {Qt::Key_Left}, 1},
        {1, {Qt::Key_Up, Qt::Key_Left}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        Form3 menu(navigation, module1, paths());
        showActive(menu);
        QTest::mouseClick(menu.ThemeButtons[row.click], Qt::LeftButton);
        for (Qt::Key key : row.keys)
            QTest::keyClick(QApplication::focusWidget(), key);
        const QStringList themes{QString(), "animales", "frutas"};
        EXPECT_EQ(module1.Theme, themes[row.chosen]);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(checkedForScreenReaders(menu.ThemeButtons[k]), k == row.chosen);
        if (!row.keys.empty())
            EXPECT_EQ(QApplication::focusWidget(), menu.ThemeButtons[row.chosen]);
        EXPECT_EQ(module1.Level, 0); // the level stays
    }
}

TEST_F(ThemeRowTest, TabGoesRowByRowThemesLevelsPlayExit) {
    module1.Level = 3;
    module1.Theme = QStringLiteral("animales");
    Form3 menu(navigation, module1, paths());
    showActive(menu);
    const std::vector<QWidget*> path{menu.Command2, menu.Command3, menu.ThemeButtons[1],
                                     menu.Command1[3], menu.Command2};
    for (QWidget* next : path) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), menu.ThemeButtons[1]);
}

// Without the row the menu is as it was: its size and its buttons' places.
TEST_F(ThemeRowTest, RowIsNotThereWhenHiddenOrWithoutThemes) {
    const struct {
        const char* what;
        std::function<void()> setUp;
    } rows[] = {
        {"hidden", [this] { hideRow(); }},
        {"no themes", [this] { QDir(folder.path() + "/imagenes").removeRecursively(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.setUp();
        Form3 menu(navigation, module1, paths());
        EXPECT_TRUE(menu.ThemeRow->isHidden());
        EXPECT_TRUE(menu.ThemeButtons.isEmpty());
        EXPECT_EQ(menu.size(), QSize(541, 338));
        EXPECT_EQ(menu.Command1[0]->geometry(), QRect(8, 176, 81, 97));
        EXPECT_EQ(menu.Command2->geometry(), QRect(8, 280, 257, 49));
    }
}

TEST_F(ThemeRowTest, RoundAfterChoosingIsDrawnFromThatTheme) {
    {
        Form3 menu(navigation, module1, paths());
        menu.ThemeButtons[1]->click();
        menu.Command2->click();
    }
    RecordingSound sound;
    Form1 game(paths(), navigation, module1, sound, QSize(800, 600));
    game.Form_Load();
    EXPECT_EQ(game.game().theme, "animales");
    for (const QString& file : game.game().wordList.PictureFiles)
        EXPECT_TRUE(inTheme(file, QStringLiteral("animales"))) << file.toStdString();
}
