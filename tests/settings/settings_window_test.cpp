// Tests of the settings window.
#include "asset_paths.h"
#include "focus_ring.h"
#include "play_settings.h"
#include "settings_host.h"
#include "settings_window.h"
#include "texts_file.h"
#include "user_settings.h"
#include "worksheets_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

// The bundled sets copied once: every language, never the repository's own files.
QString programCopy() {
    static const std::unique_ptr<QTemporaryDir> copy = [] {
        auto dir = std::make_unique<QTemporaryDir>();
        const QString source = QStringLiteral(TOLVANO_ASSET_DIR);
        for (const char* folder : {"idiomas", "gifs", "sonidos"}) {
            QDirIterator files(source + u'/' + QLatin1String(folder), QDir::Files,
                               QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString from = files.next();
                const QString to = dir->path() + from.mid(source.size());
                QDir().mkpath(QFileInfo(to).path());
                QFile::copy(from, to);
            }
        }
        return dir;
    }();
    return copy->path();
}

// The game's side: its paths found again at each change, as the game does.
class FakeHost final : public SettingsHost {
  public:
    explicit FakeHost(assets::UserFolders user) : m_user(std::move(user)), m_paths(resolved()) {}
    const assets::AssetPaths& paths() const override { return m_paths; }
    void settingsChanged() override {
        m_paths = resolved();
        ++changes;
    }
    int changes = 0;

  private:
    assets::AssetPaths resolved() const {
        const QString copy = programCopy();
        return assets::resolve(assets::Roots{copy, copy, copy}, copy, m_user);
    }
    assets::UserFolders m_user;
    assets::AssetPaths m_paths;
};

class SettingsWindowTest : public ::testing::Test {
  protected:
    QString data() const { return m_home.path() + QStringLiteral("/data"); }
    QString config() const { return m_home.path() + QStringLiteral("/config"); }
    QString text(TextId id) const {
        return textOf(readTexts(host.paths().file(assets::TextsFile), host.paths().language()), id);
    }
    QAbstractButton* button(TextId id) const {
        for (QAbstractButton* found : window->findChildren<QAbstractButton*>())
            if (found->text() == text(id)) return found;
        ADD_FAILURE() << "no button " << text(id).toStdString();
        return nullptr;
    }
    bool hasLabel(const QString& shown) const {
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->text() == shown && label->isVisibleTo(window.get())) return true;
        return false;
    }
    UserSettings written() const { return readUserSettings(host.paths().settingsFile()); }

    QTemporaryDir m_home;
    FakeHost host{assets::UserFolders{data(), config(), {}}};
    std::unique_ptr<SettingsWindow> window = std::make_unique<SettingsWindow>(host);
};

struct ControlRow {
    const char* what;
    TextId control;
    std::function<bool(const UserSettings&)> written;
    std::function<bool(const assets::AssetPaths&)> followed;
    bool checkedAfter = true; // a check box that starts ticked is unticked by the click
};

const ControlRow ControlRows[] = {
    {"voice off", TextId::VoiceOff, [](const UserSettings& s) { return s.voice == Speaking::Off; },
     [](const assets::AssetPaths& p) { return playSettings(p).speaking == Speaking::Off; }},
    {"recordings only", TextId::VoiceRecordings,
     [](const UserSettings& s) { return s.voice == Speaking::RecordingsOnly; },
     [](const assets::AssetPaths& p) {
         return playSettings(p).speaking == Speaking::RecordingsOnly;
     }},
    {"lower case", TextId::LowerCaseLetters,
     [](const UserSettings& s) { return s.lowerCase == true; },
     [](const assets::AssetPaths& p) { return playSettings(p).lowerCase; }},
    {"plain letters", TextId::PlainLetters,
     [](const UserSettings& s) { return s.letters == LetterStyle::Plain; },
     [](const assets::AssetPaths& p) {
         return playSettings(p).letters.style == LetterStyle::Plain;
     }},
    {"slow", TextId::TimeSlow, [](const UserSettings& s) { return s.secondsPerWord == 120; },
     [](const assets::AssetPaths& p) {
         return playSettings(p).runnerInterval == runnerIntervalFor(120);
     }},
    {"no clock", TextId::TimeNone, [](const UserSettings& s) { return s.secondsPerWord == 0; },
     [](const assets::AssetPaths& p) { return playSettings(p).runnerInterval == 0; }},
    {"only mine", TextId::PicturesMine, [](const UserSettings& s) { return s.onlyMine == true; },
     [](const assets::AssetPaths& p) {
         return p.pictureFolders() == QStringList{p.userPictureFolder()};
     }},
    {"themes hidden from the children", TextId::ThemeRowShown,
     [](const UserSettings& s) { return s.themeRowShown == false; },
     [](const assets::AssetPaths& p) { return !playSettings(p).themeRow; }, false},
};

// Tab through the first controls of the settings window, and of the worksheets window over it:
// each focused control has the ring just outside its left edge, the one before has it no more.
TEST_F(SettingsWindowTest, TheFocusedControlIsRingedInBothWindows) {
    WorksheetsWindow sheets(host.paths());
    for (QWidget* shown : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(&sheets)}) {
        SCOPED_TRACE(shown->metaObject()->className());
        shown->show();
        shown->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
        const auto innerBand = [shown](QWidget* control) {
            const QPoint left = control->mapTo(shown, QPoint(0, control->height() / 2));
            return shown->grab().toImage().pixelColor(left - QPoint(2, 0));
        };
        QWidget* before = nullptr;
        for (int step = 0; step < 3; ++step) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            ASSERT_EQ(focus->window(), shown);
            EXPECT_EQ(innerBand(focus), FocusRing::InnerColour) << focus->metaObject()->className();
            if (before && before != focus) EXPECT_NE(innerBand(before), FocusRing::InnerColour);
            before = focus;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        shown->hide();
    }
}

} // namespace

TEST_F(SettingsWindowTest, EachControlIsWrittenAndTheNextRoundFollowsIt) {
    for (const ControlRow& row : ControlRows) {
        SCOPED_TRACE(row.what);
        const int before = host.changes;
        button(row.control)->click();
        EXPECT_TRUE(row.written(written()));
        EXPECT_EQ(host.changes, before + 1);
        EXPECT_TRUE(row.followed(host.paths()));
        EXPECT_EQ(button(row.control)->isChecked(), row.checkedAfter); // shown again from the paths
    }
}

// Until the box is clicked each set keeps its own letters: Spanish as written, German plain.
TEST_F(SettingsWindowTest, OtherControlsLeaveTheLettersToTheSetsLanguage) {
    button(TextId::VoiceOff)->click();
    EXPECT_FALSE(written().letters.has_value());
    EXPECT_FALSE(button(TextId::PlainLetters)->isChecked());
}

TEST_F(SettingsWindowTest, ChoosingEnglishSpeaksEnglish) {
    auto* sets = window->findChild<QComboBox*>();
    ASSERT_TRUE(sets);
    EXPECT_EQ(sets->currentText(), QStringLiteral("Español"));
    const int english = sets->findData(QStringLiteral("en"));
    ASSERT_GE(english, 0);
    sets->setCurrentIndex(english);
    emit sets->activated(english);
    EXPECT_EQ(written().language, QStringLiteral("en"));
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(host.paths().set().name, QStringLiteral("en"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(button(TextId::BackToGame)->text(), QStringLiteral("Back to the game"));
    EXPECT_EQ(sets->currentData().toString(), QStringLiteral("en"));
}

// A child's parent finds the language by the name its speakers know it by, whatever the window's
// own language, and without the folder's code.
TEST_F(SettingsWindowTest, EachBundledSetIsListedByItsLanguagesOwnName) {
    struct Row {
        const char* set;
        const char16_t* shown;
    };
    static constexpr Row Rows[] = {{"es", u"Español"},   {"en", u"English"},  {"fr", u"Français"},
                                   {"pt", u"Português"}, {"it", u"Italiano"}, {"de", u"Deutsch"},
                                   {"ca", u"Català"}};
    auto* sets = window->findChild<QComboBox*>();
    ASSERT_TRUE(sets);
    for (const Row& row : Rows) {
        const int index = sets->findData(QLatin1String(row.set));
        ASSERT_GE(index, 0) << row.set;
        EXPECT_EQ(sets->itemText(index), QString::fromUtf16(row.shown)) << row.set;
    }
}

TEST_F(SettingsWindowTest, ChoosingAThemeWritesItAndTheMenuOffersTheUsersThemes) {
    const QString mine = host.paths().userPictureFolder();
    for (const char* theme : {"frutas", "animales"}) {
        QDir().mkpath(mine + u'/' + QLatin1String(theme));
        QFile::copy(host.paths().pictureFolder() + QStringLiteral("/abeja.png"),
                    mine + u'/' + QLatin1String(theme) + QStringLiteral("/abeja.png"));
    }
    window = std::make_unique<SettingsWindow>(host);
    QComboBox* themes = nullptr;
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        if (combo->accessibleName() == text(TextId::SettingsTheme)) themes = combo;
    ASSERT_TRUE(themes);
    ASSERT_EQ(themes->count(), 3);
    EXPECT_EQ(themes->itemText(0), text(TextId::PicturesAll));
    EXPECT_EQ(themes->itemText(1), QStringLiteral("animales"));
    EXPECT_EQ(themes->currentIndex(), 0);
    themes->setCurrentIndex(2);
    emit themes->activated(2);
    EXPECT_EQ(written().theme, QStringLiteral("frutas"));
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(playSettings(host.paths()).theme, QStringLiteral("frutas"));
    EXPECT_EQ(themes->currentData().toString(), QStringLiteral("frutas"));
}

// Root writes through any permission: a config folder under a regular file cannot be made by
// anyone.
TEST(SettingsWindowNotSaved, AFileThatCannotBeWrittenLeavesTheGameAsItWas) {
    QTemporaryDir home;
    QString config = home.path() + QStringLiteral("/config");
    if (geteuid() == 0) {
        QFile(home.path() + QStringLiteral("/file")).open(QIODevice::WriteOnly);
        config = home.path() + QStringLiteral("/file/tolvano");
    } else {
        QDir().mkpath(config);
        QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    }
    FakeHost host(assets::UserFolders{home.path() + QStringLiteral("/data"), config, {}});
    SettingsWindow window(host);
    const QStringList texts = readTexts({}, host.paths().language());
    QAbstractButton* off = nullptr;
    for (QAbstractButton* found : window.findChildren<QAbstractButton*>())
        if (found->text() == textOf(texts, TextId::VoiceOff)) off = found;
    ASSERT_TRUE(off);
    off->click();
    EXPECT_EQ(host.changes, 0);
    EXPECT_EQ(playSettings(host.paths()).speaking, Speaking::On);
    EXPECT_TRUE(off->isChecked());
    const QString said = textOf(texts, TextId::SettingsNotSaved).section(u'%', 0, 0);
    bool shown = false;
    for (const QLabel* label : window.findChildren<QLabel*>())
        shown |= label->isVisibleTo(&window) && label->text().startsWith(said) &&
                 label->text().contains(host.paths().settingsFile());
    EXPECT_TRUE(shown);
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsWindowTest, OpenMyPicturesMakesTheFolderAndOpensIt) {
    QUrl opened;
    window->openFolder = [&](const QUrl& folder) { opened = folder; };
    button(TextId::OpenMyPictures)->click();
    EXPECT_TRUE(QFileInfo(host.paths().userPictureFolder()).isDir());
    EXPECT_EQ(opened, QUrl::fromLocalFile(host.paths().userPictureFolder()));
}

TEST(SettingsWindowNoHome, WithoutAUserFolderTheButtonIsOffAndTheLineSaysWhy) {
    FakeHost host(assets::UserFolders{{}, {}, QStringLiteral("no home here")});
    SettingsWindow window(host);
    bool said = false;
    for (const QLabel* label : window.findChildren<QLabel*>())
        said |= label->text() == QStringLiteral("no home here");
    EXPECT_TRUE(said);
    for (QAbstractButton* found : window.findChildren<QAbstractButton*>())
        if (found->text() == textOf(readTexts({}), TextId::OpenMyPictures)) {
            EXPECT_FALSE(found->isEnabled());
        }
}

TEST_F(SettingsWindowTest, CheckThePicturesShowsTheSummaryThenEverything) {
    button(TextId::CheckPictures)->click();
    auto* report = window->findChild<QPlainTextEdit*>();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->toPlainText(), text(TextId::Checking));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return button(TextId::ShowEverything)->isEnabled(); }, 60'000));
    const QString summary = report->toPlainText();
    EXPECT_TRUE(summary.contains(QStringLiteral("Listo para jugar"))) << summary.toStdString();
    button(TextId::ShowEverything)->click();
    EXPECT_TRUE(report->toPlainText().startsWith(summary.section(u'\n', 0, 0)));
    EXPECT_GT(report->toPlainText().size(), summary.size());
}

TEST_F(SettingsWindowTest, CountsTheUserPicturesThatCanBeUsed) {
    const QString mine = host.paths().userPictureFolder();
    QDir().mkpath(mine);
    QFile::copy(host.paths().pictureFolder() + QStringLiteral("/abeja.png"),
                mine + QStringLiteral("/abeja.png"));
    QFile notPicture(mine + QStringLiteral("/x.png"));
    notPicture.open(QIODevice::WriteOnly);
    notPicture.write("not a picture");
    notPicture.close();
    window = std::make_unique<SettingsWindow>(host);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return hasLabel(text(TextId::MyPicturesUsable).arg(1)); }, 10'000));
}
