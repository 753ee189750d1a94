// Tests of each person's own layer: tolvano.conf read and written, the user's pictures and
// recordings before the set's, and which setting wins.
#include "asset_paths.h"
#include "picture_words.h"
#include "play_settings.h"
#include "regular_file.h"
#include "test_support.h"
#include "user_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A program folder with the sets es and en, and a user with folders of their own.
class UserLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* set : {"es", "en"}) {
            QDir(program()).mkpath(QStringLiteral("idiomas/%1/configuracion").arg(set));
            QDir(program()).mkpath(QStringLiteral("idiomas/%1/imagenes").arg(set));
        }
        writeFile(program() + "/idiomas/activo.txt", "es\n");
        writeFile(program() + "/idiomas/en/configuracion/lengua.txt", "en\n");
    }
    QString program() const { return m_program.path(); }
    assets::UserFolders user() const {
        return {m_home.path() + "/data/tolvano", m_home.path() + "/config/tolvano", {}};
    }
    QString conf() const { return assets::settingsFile(user()); }
    QString userPictures(const char* set = "es") const {
        return user().data + QStringLiteral("/idiomas/%1/imagenes").arg(set);
    }
    QString setPictures(const char* set = "es") const {
        return program() + QStringLiteral("/idiomas/%1/imagenes").arg(set);
    }
    assets::AssetPaths paths() const { return assets::resolve(program(), user()); }

  private:
    QTemporaryDir m_program;
    QTemporaryDir m_home;
};

TEST_F(UserLayer, picturesComeFromTheUserFirstAndFromTheUserAloneWhenOnlyMine) {
    EXPECT_EQ(paths().pictureFolders(), QStringList({userPictures(), setPictures()}));
    EXPECT_EQ(assets::resolve(program(), {}).pictureFolders(), QStringList{setPictures()});
    writeFile(conf(), "[general]\npictures=mine\n");
    EXPECT_EQ(paths().pictureFolders(), QStringList{userPictures()});
    // The user's folders follow the set in use.
    writeFile(conf(), "[general]\nlanguage=en\n");
    EXPECT_EQ(paths().pictureFolders(), QStringList({userPictures("en"), setPictures("en")}));
}

TEST_F(UserLayer, aWordGivenByBothIsTheUsersPicture) {
    writeFile(setPictures() + "/perro.png", "set");
    writeFile(setPictures() + "/gato.png", "set");
    writeFile(userPictures() + "/Perro.jpg", "mine");
    writeFile(userPictures() + "/pato.png", "mine");
    LayeredPictureFolder folder(paths().pictureFolders(), {});
    EXPECT_EQ(folder.listing(), QStringList({"gato.png", "pato.png", "Perro.jpg"}));
    EXPECT_EQ(folder.pathOf("Perro.jpg"), userPictures() + "/Perro.jpg");
    EXPECT_EQ(folder.pathOf("gato.png"), setPictures() + "/gato.png");
    EXPECT_EQ(paths().picture("Perro.jpg"), userPictures() + "/Perro.jpg");
    EXPECT_EQ(paths().picture("gato.png"), setPictures() + "/gato.png");
    folder.setFolders({userPictures()});
    EXPECT_EQ(folder.listing(), QStringList({"pato.png", "Perro.jpg"}));
}

TEST_F(UserLayer, recordingsComeFromTheUserFirst) {
    writeFile(program() + "/idiomas/es/voces/perro.wav", "set");
    writeFile(program() + "/idiomas/es/voces/gato.wav", "set");
    writeFile(user().data + "/idiomas/es/voces/PERRO.WAV", "mine");
    EXPECT_EQ(paths().recording("perro.png"), user().data + "/idiomas/es/voces/PERRO.WAV");
    EXPECT_EQ(paths().recording("gato.png"), program() + "/idiomas/es/voces/gato.wav");
    EXPECT_EQ(paths().recording("pez.png"), program() + "/idiomas/es/voces/pez.wav");
}

// Whatever stands where the user's folders should be, the set's pictures still play.
TEST_F(UserLayer, aStrangeOrMissingUserFolderLeavesTheSetsPictures) {
    writeFile(setPictures() + "/gato.png", "set");
    const auto listing = [&] {
        return LayeredPictureFolder(paths().pictureFolders(), {}).listing();
    };
    EXPECT_EQ(listing(), QStringList{"gato.png"}); // no folder of one's own yet
    QDir().mkpath(QFileInfo(userPictures()).path());
    for (const char* target : {"/dev/null", "/dev/zero", "/nowhere"}) {
        QFile::remove(userPictures());
        ASSERT_TRUE(QFile::link(QString::fromLatin1(target), userPictures()));
        EXPECT_EQ(listing(), QStringList{"gato.png"}) << target;
    }
    QFile::remove(userPictures());
    ASSERT_EQ(::mkfifo(QFile::encodeName(userPictures()).constData(), 0600), 0);
    EXPECT_EQ(listing(), QStringList{"gato.png"});
    QFile::remove(userPictures());
    writeFile(userPictures() + "/pato.png", "mine");
    ::chmod(QFile::encodeName(userPictures()).constData(), 0);
    if (::geteuid() != 0) EXPECT_EQ(listing(), QStringList{"gato.png"});
    ::chmod(QFile::encodeName(userPictures()).constData(), 0700);
}

TEST(UserFolders, aHomeWhoseNameIsNoTextGivesNoUserFolders) {
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME"),
                     data = qgetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", "/tmp/caf\xe9");
    const assets::UserFolders folders = assets::userFolders();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("XDG_DATA_HOME", data);
    if (config.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    if (data.isEmpty()) qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(folders.data.isEmpty());
    EXPECT_TRUE(folders.config.isEmpty());
    EXPECT_FALSE(folders.problem.isEmpty());
    EXPECT_TRUE(assets::settingsFile(folders).isEmpty());
}

// --- The settings file ---

struct SettingsRow {
    const char* what;
    QByteArray file;
    QString expected; // language voice lowercase seconds pictures theme themes letters, "-" where
                      // not given
    QStringList problems; // the keys reported, "" for an unreadable file
};

QString shown(const UserSettings& s) {
    const auto opt = [](const auto& o, auto text) { return o ? text(*o) : QStringLiteral("-"); };
    return QStringList{opt(s.language, [](const QString& t) { return t; }),
                       opt(s.voice, voiceValue),
                       opt(s.lowerCase, [](bool b) { return QString(b ? "true" : "false"); }),
                       opt(s.secondsPerWord, [](int n) { return QString::number(n); }),
                       opt(s.onlyMine, [](bool b) { return QString(b ? "mine" : "all"); }),
                       opt(s.theme, [](const QString& t) { return t.isEmpty() ? "(all)" : t; }),
                       opt(s.themeRowShown, [](bool b) { return QString(b ? "shown" : "hidden"); }),
                       opt(s.letters, letterStyleValue)}
        .join(u' ');
}

class SettingsFile : public ::testing::TestWithParam<SettingsRow> {};

TEST_P(SettingsFile, givesWhatItSaysAndReportsTheRest) {
    TempFiles files;
    const UserSettings read = readUserSettings(files.write("tolvano.conf", GetParam().file));
    EXPECT_TRUE(read.exists);
    EXPECT_EQ(shown(read), GetParam().expected);
    QStringList keys;
    for (const SettingsProblem& problem : read.problems)
        keys << problem.key;
    EXPECT_EQ(keys, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsFile,
    ::testing::Values(
        SettingsRow{
            "every key",
            "[general]\nlanguage=en\nvoice=recordings\nlowercase=true\n"
            "secondsPerWord=40\npictures=mine\ntheme=granja\nthemes=hidden\nletters=plain\n",
            "en recordings true 40 mine granja hidden plain",
            {}},
        SettingsRow{"an empty theme is all pictures",
                    "[general]\ntheme=\nthemes=shown\n",
                    "- - - - - (all) shown -",
                    {}},
        SettingsRow{"letters as written",
                    "[general]\nletters=as-written\n",
                    "- - - - - - - as-written",
                    {}},
        SettingsRow{"[General], as Qt itself writes the group",
                    "[General]\nvoice=off\n",
                    "- off - - - - - -",
                    {}},
        SettingsRow{"an empty file", "", "- - - - - - - -", {}},
        SettingsRow{"bad values change nothing",
                    "[general]\nvoice=loud\nlowercase=yes\nsecondsPerWord=60\npictures=some\n"
                    "language=../etc\ntheme=../granja\nthemes=maybe\nletters=Plain\n",
                    "- - - - - - - -",
                    {"language", "voice", "lowercase", "secondsPerWord", "pictures", "theme",
                     "themes", "letters"}},
        SettingsRow{
            "a list is no value", "[general]\nvoice=on,off\n", "- - - - - - - -", {"voice"}},
        SettingsRow{"unknown keys",
                    "[general]\nvoz=no\n[other]\nx=1\n",
                    "- - - - - - - -",
                    {"other/x", "voz"}},
        SettingsRow{"not INI at all", QByteArray(2000, '\xff'), "- - - - - - - -", {}}),
    [](const auto& info) {
        QString name = QString::fromUtf8(info.param.what);
        name.replace(QRegularExpression("[^A-Za-z0-9]"), "_");
        return name.toStdString();
    });

TEST(SettingsFileOnDisk, missingIsNothingAndStrangeFilesAreUnreadableWithoutHanging) {
    TempFiles files;
    EXPECT_FALSE(readUserSettings(files.path("none.conf")).exists);
    EXPECT_FALSE(readUserSettings({}).exists);
    const QString fifo = files.path("fifo.conf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = files.path("link.conf");
    QFile::link("/dev/zero", link);
    const QString large = files.write("large.conf", QByteArray(100 * 1024, 'a'));
    for (const QString& path : {fifo, link, large, QDir::tempPath()}) {
        const UserSettings read = readUserSettings(path);
        ASSERT_EQ(read.problems.size(), 1) << path.toStdString();
        EXPECT_EQ(read.problems[0].kind, SettingsProblem::Kind::Unreadable);
        // Nor is one written over it.
        EXPECT_TRUE(writeUserSettings(path, UserSettings{}).has_value()) << path.toStdString();
    }
}

TEST(SettingsFileOnDisk, writingKeepsOtherKeysAndFailsPlainlyWhereNothingCanBeWritten) {
    TempFiles files;
    const QString path = files.path("home/.config/tolvano/tolvano.conf");
    UserSettings settings;
    settings.voice = Speaking::Off;
    settings.secondsPerWord = SecondsNoClock;
    ASSERT_EQ(writeUserSettings(path, settings), std::nullopt);
    writeFile(path, QByteArray(readRegularFile(path, 4096).value_or("")) + "[extra]\nkept=1\n");
    settings.voice = Speaking::RecordingsOnly;
    settings.language = "en";
    ASSERT_EQ(writeUserSettings(path, settings), std::nullopt);
    const UserSettings read = readUserSettings(path);
    EXPECT_EQ(shown(read), "en recordings - 0 - - - -");
    ASSERT_EQ(read.problems.size(), 1); // the extra key, kept as it was
    EXPECT_EQ(read.problems[0].key, "extra/kept");
    // Nothing but the settings file is left in its folder.
    EXPECT_EQ(QDir(QFileInfo(path).path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"tolvano.conf"});
    // A home that cannot hold the folder.
    const QString file = files.write("plain", "x");
    EXPECT_TRUE(writeUserSettings(file + "/tolvano/tolvano.conf", settings).has_value());
    EXPECT_TRUE(writeUserSettings({}, settings).has_value());
}

// --- Which setting wins ---

TEST_F(UserLayer, theUsersSettingsWinOverTheTextFilesWhichWinOverTheDefaults) {
    const QString texts = program() + "/idiomas/es/configuracion/";
    EXPECT_EQ(playSettings(paths()).speaking, Speaking::On);
    EXPECT_FALSE(playSettings(paths()).lowerCase);
    writeFile(texts + "voz.txt", "no, minusculas\n");
    writeFile(texts + "velocidad.txt", "100\n");
    EXPECT_EQ(playSettings(paths()).speaking, Speaking::Off);
    EXPECT_TRUE(playSettings(paths()).lowerCase);
    EXPECT_EQ(playSettings(paths()).runnerInterval, 100);
    writeFile(conf(), "[general]\nvoice=on\nlowercase=false\nsecondsPerWord=40\n");
    EXPECT_EQ(playSettings(paths()).speaking, Speaking::On);
    EXPECT_FALSE(playSettings(paths()).lowerCase);
    EXPECT_EQ(playSettings(paths()).runnerInterval, 150);
    for (const auto& [seconds, interval] : {std::pair{120, 450}, {80, 300}, {0, 0}})
        EXPECT_EQ(runnerIntervalFor(seconds), interval);
    // A bad value leaves the text file's setting.
    writeFile(conf(), "[general]\nvoice=loud\n");
    EXPECT_EQ(playSettings(paths()).speaking, Speaking::Off);
}

TEST_F(UserLayer, boardLettersFollowTheSetsLanguageUntilTheUserChooses) {
    writeFile(program() + "/idiomas/de/configuracion/lengua.txt", "de-AT\n");
    const QList<std::tuple<QByteArray, QString, LetterStyle>> rows = {
        {"", "es", LetterStyle::AsWritten},
        {"language=en\n", "en", LetterStyle::AsWritten},
        {"language=de\n", "de-AT", LetterStyle::Plain},
        {"language=de\nletters=as-written\n", "de-AT", LetterStyle::AsWritten},
        {"letters=plain\n", "es", LetterStyle::Plain},
        {"letters=sin-tildes\n", "es", LetterStyle::AsWritten}, // a bad value changes nothing
    };
    int row = 0;
    for (const auto& [file, language, style] : rows) {
        // Each of its own size: Qt knows the file changed by its time and size, and two rows can
        // be written within the same tick of the clock.
        writeFile(conf(), "[general]\n" + file + QByteArray(++row, '\n'));
        const LetterRule rule = playSettings(paths()).letters;
        EXPECT_EQ(rule.language, language) << file.constData();
        EXPECT_EQ(rule.style, style) << file.constData();
    }
}

TEST_F(UserLayer, theUsersLanguageWinsWhenItNamesASetThatIsThere) {
    writeFile(conf(), "[general]\nlanguage=en\n");
    EXPECT_EQ(paths().set().name, "en");
    EXPECT_EQ(paths().set().language, Language::English);
    EXPECT_TRUE(paths().set().userChoiceFollowed);
    EXPECT_EQ(paths().setNames(), QStringList({"en", "es"}));
    // (Qt knows a file changed by its time and size: this one changes its size.)
    writeFile(conf(), "[general]\nlanguage=fra\n");
    EXPECT_EQ(paths().set().name, "es");
    EXPECT_EQ(paths().set().userChoice, "fra");
    EXPECT_FALSE(paths().set().userChoiceFollowed);
    // Found again, the paths follow a file changed meanwhile.
    const assets::AssetPaths before = paths();
    writeFile(conf(), "[general]\nlanguage=en\n");
    EXPECT_EQ(before.resolvedAgain().set().name, "en");
}

} // namespace
