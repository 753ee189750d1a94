// Tests of the level menu: what it shows, what its buttons do, how it copes with bad text files.
#include "level_menu.h"

#include "gif_control.h"
#include "hold_button.h"
#include "module1.h"
#include "navigation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

class RecordingNavigation final : public Navigation {
  public:
    void showLevelMenu() override { calls << QStringLiteral("showLevelMenu"); }
    bool gameScreenVisible() const override { return gameScreenShown; }
    void enableGameTimer3() override { calls << QStringLiteral("enableGameTimer3"); }
    void loadGameScreen() override {
        calls << QStringLiteral("loadGameScreen");
        if (onLoadGameScreen) onLoadGameScreen();
    }
    void quit() override { calls << QStringLiteral("quit"); }
    bool openSettings(QWidget* parent) override {
        calls << QStringLiteral("openSettings");
        EXPECT_NE(parent, nullptr);
        return settingsChanged;
    }
    const assets::AssetPaths* currentPaths() const override {
        return newPaths ? &*newPaths : nullptr;
    }

    bool gameScreenShown = false;
    bool settingsChanged = false;
    std::optional<assets::AssetPaths> newPaths;
    std::function<void()> onLoadGameScreen;
    QStringList calls;
};

const QByteArray SixLevels = "Level one\r\nLevel two\r\nLevel three\r\n"
                             "Level four\r\nLevel five\r\nLevel six\r\n";
const QByteArray FourLevels = "Level one\r\nLevel two\r\nLevel three\r\nLevel four\r\n";
const QByteArray FiveItems = "\"of\"\r\n\"Play\"\r\n\"Exit\"\r\n\"My words\"\r\n\"Hints\"\r\n";

// Each test gets a program folder of its own: the game's level pictures and text files that the
// test writes, so that it can remove or shorten them freely.
class LevelMenuTest : public testing::Test {
  protected:
    LevelMenuTest() {
        QDir dir(folder.path());
        dir.mkpath(QStringLiteral("configuracion"));
        dir.mkpath(QStringLiteral("gifs"));
        for (int n = 1; n <= 6; ++n)
            QFile::copy(QStringLiteral(TOLVANO_ASSET_DIR "/gifs/%1.gif").arg(n), gif(n));
        write(QStringLiteral("configuracion/nivel.txt"), SixLevels);
        write(QStringLiteral("configuracion/idioma.txt"), FiveItems);
    }

    void write(const QString& relative, const QByteArray& bytes) {
        QFile file(folder.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void remove(const QString& relative) { ASSERT_TRUE(QFile::remove(folder.filePath(relative))); }
    QString gif(int n) const { return folder.path() + QStringLiteral("/gifs/%1.gif").arg(n); }

    // Shown and active, as the player finds it: only then do the keys reach its focus.
    static void showActive(Form3& menu) {
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    }
    static void type(const std::vector<Qt::Key>& keys) {
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
    }

    QTemporaryDir folder;
    RecordingNavigation navigation;
    Module1 module1;
};

// What the player sees ----------------------------------------------------------------------------

TEST_F(LevelMenuTest, FirstAppearanceShowsLevelZeroAndTheButtonTexts) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(menu.windowTitle(), "Tolvano 2.0");
    EXPECT_EQ(menu.Marchoso1->gifFile(), gif(1));
    EXPECT_EQ(menu.Label1->text(), "Level one");
    EXPECT_EQ(menu.Command2->text(), "Play");
    EXPECT_EQ(menu.Command3->text(), "Exit");
    for (QPushButton* button : menu.Command1) {
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->text().isEmpty());
    }
    EXPECT_EQ(module1.Level, 0);
}

// A screen reader names each level button by its number, in the set's language, and reads its
// level line; a file short of a line gives its last line, as the description shows it.
TEST_F(LevelMenuTest, LevelButtonsAreNamedByNumberWithTheirLineAsDescription) {
    struct Row {
        const char* language; // lengua.txt; none: the Spanish default
        QByteArray levels;
        const char* name;
        std::array<const char*, 6> descriptions;
    };
    const Row rows[] = {
        {nullptr,
         SixLevels,
         "Nivel %1",
         {"Level one", "Level two", "Level three", "Level four", "Level five", "Level six"}},
        {"en\n",
         FourLevels,
         "Level %1",
         {"Level one", "Level two", "Level three", "Level four", "Level four", "Level four"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.language) write(QStringLiteral("configuracion/lengua.txt"), row.language);
        write(QStringLiteral("configuracion/nivel.txt"), row.levels);
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        for (int i = 0; i < Form3::LevelCount; ++i) {
            EXPECT_EQ(menu.Command1[i]->accessibleName(), QString::fromUtf8(row.name).arg(i + 1));
            EXPECT_EQ(menu.Command1[i]->accessibleDescription(),
                      QString::fromUtf8(row.descriptions[i]));
        }
    }
}

// The window's client area is 8,115 x 5,070 twips; placed by its outer size, rounded down in
// twips, on the offscreen platform's 800 x 800 px screen: Int((12,000 - 8,115) / 2) = 1,942
// (129 px, where rounding to nearest would give 130), (12,000 - 5,070) / 2 = 3,465 (231 px).
TEST_F(LevelMenuTest, WindowIsCentredAndControlsStandAtTheirPlaces) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
    EXPECT_EQ(menu.geometry(), QRect(129, 231, 541, 338));
    EXPECT_EQ(menu.Command1[0]->geometry(), QRect(8, 176, 81, 97));
    EXPECT_EQ(menu.Command1[5]->geometry(), QRect(448, 176, 81, 97));
    EXPECT_EQ(menu.Command2->geometry(), QRect(8, 280, 257, 49));
    EXPECT_EQ(menu.Command3->geometry(), QRect(272, 280, 257, 49));
    EXPECT_EQ(menu.Label1->geometry(), QRect(160, 16, 369, 153));
    EXPECT_EQ(menu.Marchoso1->geometry(), QRect(40, 32, 137, 129));
    EXPECT_TRUE(menu.Label1->wordWrap());
    EXPECT_EQ(menu.Label1->font().pointSize(), 18);
    EXPECT_FALSE(menu.Label1->font().bold());
    EXPECT_TRUE(menu.Command2->font().bold());
    EXPECT_TRUE(menu.Command3->font().bold());
}

// The back colours are what tells play from exit; a style that ignored them would lose that.
TEST_F(LevelMenuTest, ButtonsAndWindowShowTheirBackColours) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(3, 3)), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(QColor(shot.pixel(menu.Command2->geometry().topLeft() + QPoint(12, 6))),
              QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(QColor(shot.pixel(menu.Command3->geometry().topLeft() + QPoint(12, 6))),
              QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(QColor(shot.pixel(menu.Command1[1]->geometry().topLeft() + QPoint(40, 3))),
              QColor(Qt::white));
}

// Choosing a level
// ----------------------------------------------------------------------------------

TEST_F(LevelMenuTest, LevelButtonShowsThatLevelAndMakesItCurrent) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    QTest::mouseClick(menu.Command1[3], Qt::LeftButton);
    EXPECT_EQ(menu.Marchoso1->gifFile(), gif(4));
    EXPECT_EQ(menu.Label1->text(), "Level four");
    EXPECT_EQ(module1.Level, 3);
    EXPECT_TRUE(navigation.calls.isEmpty());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(LevelMenuTest, OnlyTheLastLevelChosenCounts) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.Command1_Click(5);
    EXPECT_EQ(menu.Label1->text(), "Level six");
    menu.Command1_Click(0);
    EXPECT_EQ(module1.Level, 0);
    EXPECT_EQ(menu.Label1->text(), "Level one");
    EXPECT_EQ(menu.Marchoso1->gifFile(), gif(1));
}

TEST_F(LevelMenuTest, LevelOutsideTheSixIsIgnored) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.Command1_Click(2);
    menu.Command1_Click(6);
    menu.Command1_Click(-1);
    EXPECT_EQ(module1.Level, 2);
    EXPECT_EQ(menu.Label1->text(), "Level three");
}

TEST_F(LevelMenuTest, MenuOpensOnTheLevelLastChosen) {
    module1.Level = 4;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(menu.Label1->text(), "Level five");
    EXPECT_EQ(menu.Marchoso1->gifFile(), gif(5));

    menu.Command1_Click(2);
    Form3 next(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(next.Label1->text(), "Level three");
    EXPECT_EQ(next.Marchoso1->gifFile(), gif(3));
}

// Leaving the menu
// ------------------------------------------------------------------------------------

TEST_F(LevelMenuTest, PlayAfterARoundStartsTheNextRoundAndCloses) {
    navigation.gameScreenShown = true;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    QTest::mouseClick(menu.Command1[3], Qt::LeftButton);
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    EXPECT_EQ(navigation.calls, QStringList{"enableGameTimer3"});
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(menu.result(), QDialog::Accepted);
    EXPECT_EQ(module1.Level, 3);
}

// A double-click or a repeated key on play starts one round, not two.
TEST_F(LevelMenuTest, PlayPressedTwiceStartsOneRound) {
    navigation.gameScreenShown = true;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.Command2_Click();
    menu.Command2_Click();
    EXPECT_EQ(navigation.calls, QStringList{"enableGameTimer3"});
}

// The menu opens under a hand still clicking (the splash's double-click) or a finger still on
// Enter: presses within the given time press nothing, and a held key's repeats never do.
TEST_F(LevelMenuTest, StrayPressesAsTheMenuOpensPressNothing) {
    navigation.gameScreenShown = true;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.ignoreStrayClicks(60'000);
    menu.show();
    QTest::mouseDClick(menu.Command2, Qt::LeftButton);
    QTest::mouseClick(menu.Command1[4], Qt::LeftButton);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(menu.Command1[0], key);
        QTest::keyClick(menu.Command2, key);
    }
    EXPECT_TRUE(navigation.calls.isEmpty());
    EXPECT_EQ(module1.Level, 0);
    menu.ignoreStrayClicks(0);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(menu.Command2, &held);
    EXPECT_TRUE(navigation.calls.isEmpty());
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    EXPECT_EQ(navigation.calls, QStringList{"enableGameTimer3"});
}

TEST_F(LevelMenuTest, TheCurrentLevelsButtonIsMarkedAndHasTheFocus) {
    for (int level : {0, 2, 5}) {
        module1.Level = static_cast<std::uint8_t>(level);
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        EXPECT_EQ(menu.focusWidget(), menu.Command1[level]) << level;
        menu.Command1_Click((level + 1) % Form3::LevelCount);
        for (int i = 0; i < Form3::LevelCount; ++i)
            EXPECT_EQ(menu.Command1[i]->isChecked(), i == (level + 1) % Form3::LevelCount);
    }
}

TEST_F(LevelMenuTest, FirstPlayLoadsTheGameScreenAndCloses) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    EXPECT_EQ(navigation.calls, QStringList{"loadGameScreen"});
    EXPECT_FALSE(menu.isVisible());
}

// The game screen's start-up closes the menu itself, and may delete it there and then.
TEST_F(LevelMenuTest, GameScreenStartUpMayCloseOrDeleteTheMenu) {
    auto* closed = new Form3(navigation, module1, assets::resolve(folder.path()));
    closed->show();
    navigation.onLoadGameScreen = [&] { EXPECT_TRUE(closed->close()); };
    closed->Command2_Click();
    EXPECT_FALSE(closed->isVisible());
    delete closed;

    QPointer<Form3> deleted = new Form3(navigation, module1, assets::resolve(folder.path()));
    deleted->show();
    navigation.onLoadGameScreen = [&] { delete deleted.data(); };
    deleted->Command2_Click();
    EXPECT_TRUE(deleted.isNull());
}

TEST_F(LevelMenuTest, ExitEndsTheProgram) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    EXPECT_EQ(navigation.calls, QStringList{"quit"});
    // Quitting may close every window: the menu must then let itself be closed.
    EXPECT_TRUE(menu.close());
}

TEST_F(LevelMenuTest, EscapeAndTheWindowManagersCloseDoNothing) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(menu.close());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(navigation.calls.isEmpty());
}

TEST_F(LevelMenuTest, ShownModallyItEndsOnlyThroughPlay) {
    navigation.gameScreenShown = true;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    QTimer::singleShot(0, &menu, [&] {
        QTest::keyClick(&menu, Qt::Key_Escape);
        menu.close();
        EXPECT_TRUE(menu.isVisible());
        menu.Command2->click();
    });
    EXPECT_EQ(menu.exec(), QDialog::Accepted);
    EXPECT_EQ(navigation.calls, QStringList{"enableGameTimer3"});
}

// The keyboard alone ------------------------------------------------------------------------------

constexpr int Play = Form3::LevelCount, Exit = Form3::LevelCount + 1;

QWidget* control(const Form3& menu, int n) {
    return n < Form3::LevelCount ? menu.Command1[n] : n == Play ? menu.Command2 : menu.Command3;
}

// The arrows choose a level as a click does, stop at the ends and never leave the level buttons:
// on play, Qt's own arrows would move on to the red exit button.
TEST_F(LevelMenuTest, ArrowsChooseTheNeighbouringLevelAndTabGoesOnToPlayThenExit) {
    const struct {
        int level;
        std::vector<Qt::Key> keys;
        int focus; // a level button, Play or Exit
    } rows[] = {
        {0, {Qt::Key_Right}, 1},
        {2, {Qt::Key_Down}, 3},
        {3, {Qt::Key_Left}, 2},
        {1, {Qt::Key_Up}, 0},
        {0, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}, 3},
        {0, {Qt::Key_Left}, 0},
        {0, {Qt::Key_Up}, 0},
        {5, {Qt::Key_Right}, 5},
        {5, {Qt::Key_Down}, 5},
        {2, {Qt::Key_Tab}, Play}, // not the next level button
        {2, {Qt::Key_Tab, Qt::Key_Tab}, Exit},
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}, 2},
        {4, {Qt::Key_Right, Qt::Key_Tab, Qt::Key_Backtab}, 5},
        {2, {Qt::Key_Backtab}, Exit},
        {2, {Qt::Key_Tab, Qt::Key_Right}, Play},
        {2, {Qt::Key_Tab, Qt::Key_Down}, Play},
    };
    const QStringList texts = QString::fromLatin1(SixLevels).split(QStringLiteral("\r\n"));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        module1.Level = static_cast<std::uint8_t>(row.level);
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        showActive(menu);
        type(row.keys);
        const int level = row.focus < Form3::LevelCount ? row.focus : row.level;
        EXPECT_EQ(QApplication::focusWidget(), control(menu, row.focus));
        EXPECT_EQ(module1.Level, level);
        EXPECT_TRUE(menu.Command1[level]->isChecked());
        EXPECT_EQ(menu.Label1->text(), texts[level]);
        EXPECT_EQ(menu.Marchoso1->gifFile(), gif(level + 1));
    }
    EXPECT_TRUE(navigation.calls.isEmpty());
}

// Enter on a level button plays that level; on exit, and only there, Enter exits.
TEST_F(LevelMenuTest, EnterPlaysTheFocusedLevelAndExitsOnlyFromExit) {
    navigation.gameScreenShown = true;
    const struct {
        int level;
        std::vector<Qt::Key> keys;
        const char* call;
    } rows[] = {
        {2, {Qt::Key_Return}, "enableGameTimer3"},
        {5, {Qt::Key_Enter}, "enableGameTimer3"},
        {2, {Qt::Key_Tab, Qt::Key_Return}, "enableGameTimer3"},
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, "quit"},
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Enter}, "quit"},
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}, "quit"},
        // Exit is the default only while it has the focus.
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, "enableGameTimer3"},
        {2, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return}, "enableGameTimer3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        module1.Level = static_cast<std::uint8_t>(row.level);
        navigation.calls.clear();
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        showActive(menu);
        type(row.keys);
        EXPECT_EQ(navigation.calls, QStringList{row.call});
        EXPECT_EQ(module1.Level, row.level);
    }
}

// Missing and short files
// -------------------------------------------------------------------------------

TEST_F(LevelMenuTest, MissingLevelFileGivesAnEmptyDescription) {
    remove(QStringLiteral("configuracion/nivel.txt"));
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(menu.Label1->text(), "");
    EXPECT_EQ(menu.Command2->text(), "Play");
    menu.Command1_Click(3);
    EXPECT_EQ(menu.Label1->text(), "");
    EXPECT_EQ(menu.Marchoso1->gifFile(), gif(4));
    EXPECT_EQ(module1.Level, 3);
}

TEST_F(LevelMenuTest, ShortLevelFileShowsItsLastLineForTheLevelsBeyond) {
    write(QStringLiteral("configuracion/nivel.txt"), FourLevels);
    module1.Level = 4;
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(menu.Label1->text(), "Level four");
    menu.Command1_Click(5);
    EXPECT_EQ(menu.Label1->text(), "Level four");
    menu.Command1_Click(1);
    EXPECT_EQ(menu.Label1->text(), "Level two");
}

// A button text the language file lacks is the game's own text for that button, never the level
// description or another button's text.
TEST_F(LevelMenuTest, EachButtonKeepsItsOwnTextWhateverTheLanguageFileLacks) {
    module1.Level = 2;
    const struct {
        QByteArray file; // empty: no language file
        const char *play, *exit;
    } rows[] = {{{}, "Jugar", "Salir"},
                {"\"of\"\r\n", "Jugar", "Salir"},
                {"\"of\"\r\n\"Play\"\r\n", "Play", "Salir"},
                {"of,Play,Exit,My words", "Play", "Exit"}};
    for (const auto& row : rows) {
        if (row.file.isEmpty())
            remove(QStringLiteral("configuracion/idioma.txt"));
        else
            write(QStringLiteral("configuracion/idioma.txt"), row.file);
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        EXPECT_EQ(menu.Command2->text(), row.play) << row.file.constData();
        EXPECT_EQ(menu.Command3->text(), row.exit) << row.file.constData();
    }
}

TEST_F(LevelMenuTest, MissingLevelPictureLeavesOnlyItsButtonPlain) {
    remove(QStringLiteral("gifs/3.gif"));
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    for (int i = 0; i < Form3::LevelCount; ++i)
        EXPECT_EQ(menu.Command1[i]->icon().isNull(), i == 2) << "level button " << i;
    menu.Command1_Click(2);
    EXPECT_EQ(menu.Label1->text(), "Level three");
    EXPECT_EQ(module1.Level, 2);
}

// The grown-ups' gear -----------------------------------------------------------------------------

// The gear's press on a clock of the test's own: two seconds pass when the test says.
struct GearClock {
    explicit GearClock(HoldButton* gear) : gear(gear) {
        gear->setClock([this] { return now; });
    }
    void press() { QTest::mousePress(gear, Qt::LeftButton); }
    void release() { QTest::mouseRelease(gear, Qt::LeftButton); }
    // The ring's repaint tick, ended now, as the game timer's tests end their countdown.
    void tick() {
        QTimer* timer = gear->findChild<QTimer*>();
        if (!timer->isActive()) return;
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }
    HoldButton* gear;
    qint64 now = 0;
};

TEST_F(LevelMenuTest, TappingTheGearShowsTheHintAndOpensNothing) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    GearClock clock(menu.Gear);
    EXPECT_FALSE(menu.GearHint->isVisible());
    clock.press();
    clock.now += 200;
    clock.tick();
    clock.release();
    EXPECT_TRUE(navigation.calls.isEmpty());
    EXPECT_TRUE(menu.GearHint->isVisible());
    EXPECT_EQ(menu.GearHint->text(), "mantén pulsado");
    // It goes at the next press, or by itself after a few seconds.
    QTest::mouseClick(menu.Command1[2], Qt::LeftButton);
    EXPECT_FALSE(menu.GearHint->isVisible());
    clock.press();
    clock.release();
    ASSERT_TRUE(menu.GearHint->isVisible());
    auto* hintTimer = menu.findChild<QTimer*>(QStringLiteral("GearHintTimer"));
    ASSERT_NE(hintTimer, nullptr);
    EXPECT_TRUE(hintTimer->isActive());
    EXPECT_EQ(hintTimer->interval(), Form3::HintMs);
    QTimerEvent event(hintTimer->timerId());
    QCoreApplication::sendEvent(hintTimer, &event);
    EXPECT_FALSE(menu.GearHint->isVisible());
    EXPECT_TRUE(navigation.calls.isEmpty());
}

TEST_F(LevelMenuTest, GearHeldTwoSecondsOpensTheSettingsOnce) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    GearClock clock(menu.Gear);
    clock.press();
    clock.now += 1900;
    clock.tick();
    EXPECT_TRUE(navigation.calls.isEmpty());
    clock.now += 100;
    clock.tick();
    EXPECT_EQ(navigation.calls, QStringList{"openSettings"});
    clock.now += 5000;
    clock.tick();
    clock.release();
    EXPECT_EQ(navigation.calls, QStringList{"openSettings"});
    EXPECT_FALSE(menu.GearHint->isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(LevelMenuTest, GearReleasedAtOnePointNineSecondsOpensNothing) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.show();
    GearClock clock(menu.Gear);
    clock.press();
    clock.now += 1900;
    clock.tick();
    clock.release();
    clock.now += 1000;
    clock.tick();
    EXPECT_TRUE(navigation.calls.isEmpty());
    EXPECT_TRUE(menu.GearHint->isVisible());
}

TEST_F(LevelMenuTest, StrayPressesOnTheGearPressNothing) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    menu.ignoreStrayClicks(60'000);
    menu.show();
    GearClock clock(menu.Gear);
    clock.press();
    clock.now += 3000;
    clock.tick();
    clock.release();
    EXPECT_FALSE(menu.Gear->holding());
    EXPECT_TRUE(navigation.calls.isEmpty());
    EXPECT_FALSE(menu.GearHint->isVisible());
}

TEST_F(LevelMenuTest, CtrlCommaOpensTheSettingsAtOnce) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    showActive(menu);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(navigation.calls, QStringList{"openSettings"});
    EXPECT_EQ(module1.Level, 0);
}

// The gear stays out of the children's keyboard path, which the Tab rows above follow.
TEST_F(LevelMenuTest, GearIsNamedForScreenReadersAndTakesNoFocus) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    EXPECT_EQ(menu.Gear->accessibleName(), "Ajustes");
    EXPECT_EQ(menu.Gear->accessibleDescription(), "mantén pulsado");
    EXPECT_EQ(menu.Gear->focusPolicy(), Qt::NoFocus);
}

// A twentieth of the width, in the corner, clear of every other control; so is its hint.
TEST_F(LevelMenuTest, GearAndItsHintStandClearOfTheOtherControls) {
    Form3 menu(navigation, module1, assets::resolve(folder.path()));
    const QRect gear = menu.Gear->geometry();
    EXPECT_EQ(gear, QRect(8, 4, 27, 27));
    EXPECT_NEAR(gear.width(), menu.width() / 20, 1);
    std::vector<QWidget*> others{menu.Marchoso1, menu.Label1, menu.Command2, menu.Command3};
    others.insert(others.end(), menu.Command1.begin(), menu.Command1.end());
    for (QWidget* other : others) {
        EXPECT_FALSE(gear.intersects(other->geometry())) << other->objectName().toStdString();
        EXPECT_FALSE(menu.GearHint->geometry().intersects(other->geometry()))
            << other->objectName().toStdString();
    }
    EXPECT_FALSE(gear.intersects(menu.GearHint->geometry()));
    EXPECT_TRUE(menu.rect().contains(menu.GearHint->geometry()));
}

// The settings may change the language: the menu speaks the new one at once.
TEST_F(LevelMenuTest, ChangedSettingsBringTheNewLanguagesTexts) {
    QTemporaryDir config;
    {
        QFile conf(config.filePath(QStringLiteral("tolvano.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("[general]\nlanguage=en\n");
    }
    module1.Level = 2;
    Form3 menu(navigation, module1,
               assets::resolve(QStringLiteral(TOLVANO_ASSET_DIR), assets::UserFolders{}));
    ASSERT_EQ(menu.Command2->text(), "Jugar");
    const QString spanishLevel = menu.Label1->text();
    EXPECT_EQ(menu.Gear->accessibleName(), "Ajustes");

    // Nothing changed: nothing is read again.
    menu.openSettings();
    EXPECT_EQ(menu.Command2->text(), "Jugar");

    navigation.settingsChanged = true;
    navigation.newPaths = assets::resolve(QStringLiteral(TOLVANO_ASSET_DIR),
                                          assets::UserFolders{{}, config.path(), {}});
    ASSERT_EQ(navigation.newPaths->set().name, "en");
    menu.openSettings();
    EXPECT_EQ(navigation.calls, (QStringList{"openSettings", "openSettings"}));
    EXPECT_EQ(menu.Command2->text(), "Play");
    EXPECT_EQ(menu.Command3->text(), "Exit");
    EXPECT_NE(menu.Label1->text(), spanishLevel);
    EXPECT_FALSE(menu.Label1->text().isEmpty());
    EXPECT_EQ(menu.Gear->accessibleName(), "Settings");
    EXPECT_EQ(menu.Gear->accessibleDescription(), "press and hold");
    EXPECT_EQ(menu.GearHint->text(), "press and hold");
    EXPECT_EQ(module1.Level, 2);
    EXPECT_TRUE(menu.Command1[2]->isChecked());
    EXPECT_EQ(menu.Marchoso1->gifFile(), navigation.newPaths->levelGif(3));
}

} // namespace
