// Themes: the folders inside a picture folder, as listed, and the rounds drawn from one of them.
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void age(const QString& path) {
    const std::filesystem::path p = path.toStdString();
    std::filesystem::last_write_time(p,
                                     std::filesystem::last_write_time(p) - std::chrono::hours(1));
}

// A teacher's folder with everything a theme folder can be: one with its tema.png and a folder
// inside it, one without, hidden and unreachable folders, links to a FIFO and a device.
struct ThemeFolder : ::testing::Test {
    QTemporaryDir dir;
    QString at(const char* relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    void SetUp() override {
        for (const char* name : {"sol.png", "animales/perro.png", "animales/Gato.png",
                                 "animales/tema.png", "animales/perros/caniche.png",
                                 "comida/pan.png", "comida/notes.txt", ".oculto/luna.png"})
            touch(at(name));
        ASSERT_EQ(::mkfifo(QFile::encodeName(at("tubo")).constData(), 0600), 0);
        ASSERT_EQ(::symlink(QFile::encodeName(at("tubo")).constData(),
                            QFile::encodeName(at("atubo")).constData()),
                  0);
        ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(at("nulo")).constData()), 0);
        // A folder named by bytes that are not UTF-8, as an old archive may leave one.
        const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xE9";
        ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
        const int fd = ::open((latin1 + "/tarta.png").constData(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    // QTemporaryDir cannot name that folder either.
    void TearDown() override {
        std::filesystem::remove_all(QFile::encodeName(dir.path()).toStdString());
    }
};

TEST_F(ThemeFolder, listsOneLevelOfThemesAndTellsWhatItPassedOver) {
    DiskPictureFolder folder(dir.path(),
                             [](const QString& path) { return path.endsWith(u".png"); });
    // Links to a FIFO and a device are files to the listing, and fail as pictures; the folder whose
    // name is not UTF-8 cannot be named, and is passed over without a word.
    EXPECT_EQ(folder.listing(),
              (QStringList{"animales/Gato.png", "animales/perro.png", "atubo", "comida/notes.txt",
                           "comida/pan.png", "nulo", "sol.png"}));
    EXPECT_EQ(*pictureWord(QStringLiteral("animales/Gato.png")), QStringLiteral("GATO"));
    EXPECT_EQ(lowerCaseWord(QStringLiteral("animales/Gato.png")), QStringLiteral("gato"));
    EXPECT_EQ(folder.pathOf(QStringLiteral("animales/Gato.png")), at("animales/Gato.png"));
    EXPECT_EQ(themeOf(QStringLiteral("sol.png")), QString());
    ASSERT_EQ(folder.skippedFolders().size(), 1);
    EXPECT_EQ(folder.skippedFolders()[0].name, QStringLiteral("animales/perros"));

    const QList<Theme> themes = themesIn(folder);
    ASSERT_EQ(themes.size(), 2);
    EXPECT_EQ(themes[0].name, QStringLiteral("animales"));
    EXPECT_EQ(themes[0].picture, at("animales/tema.png"));
    EXPECT_EQ(themes[0].words, 2);
    EXPECT_EQ(themes[1].name, QStringLiteral("comida"));
    EXPECT_EQ(themes[1].picture, at("comida/pan.png")); // its first picture stands for it
    EXPECT_EQ(themes[1].words, 2);                      // notes.txt gives a word; decoding fails
}

// A picture added to a theme changes the theme folder's time, not the picture folder's.
TEST_F(ThemeFolder, seesAPictureAddedToAThemeLongUnchanged) {
    for (const char* folder : {"", "animales", "comida"})
        age(at(folder));
    DiskPictureFolder folder(dir.path(), nullptr);
    EXPECT_FALSE(folder.listing().contains(QStringLiteral("comida/queso.png")));
    touch(at("comida/queso.png"));
    EXPECT_TRUE(folder.listing().contains(QStringLiteral("comida/queso.png")));
}

// The user's theme and the set's of the same name are one; a word the user gives wins.
TEST_F(ThemeFolder, theUsersThemesMergeWithTheSets) {
    QTemporaryDir user;
    touch(user.filePath(QStringLiteral("Animales/gato.jpg")));
    touch(user.filePath(QStringLiteral("Animales/tema.jpg")));
    LayeredPictureFolder folder({user.path(), dir.path()}, nullptr);
    const QStringList listed = folder.listing();
    EXPECT_TRUE(listed.contains(QStringLiteral("Animales/gato.jpg")));
    EXPECT_FALSE(listed.contains(QStringLiteral("animales/Gato.png")));
    EXPECT_TRUE(listed.contains(QStringLiteral("animales/perro.png")));
    const QList<Theme> themes = themesIn(folder);
    ASSERT_EQ(themes.size(), 2);
    EXPECT_EQ(themes[0].words, 2);
    EXPECT_EQ(themes[0].picture, user.filePath(QStringLiteral("Animales/tema.jpg")));
}

QStringList themed(const char* theme, int n) {
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("%1/%1%2.png").arg(theme).arg(i);
    return names;
}

struct ThemeRounds : ::testing::Test {
    SeededRandom random{7};
    FakeFolder folder{themed("granja", 10) + themed("cocina", 8) +
                      QStringList{"sol.png", "mar.png"}};
    Game game{random, folder};

    QStringList round() {
        game.ChoosePictureWords();
        return {game.wordList.PictureFiles.begin(), game.wordList.PictureFiles.end()};
    }
};

TEST_F(ThemeRounds, aRoundKeepsToItsThemeWhateverTheCaseOfItsName) {
    game.theme = QStringLiteral("Granja");
    for (int n = 0; n < 5; ++n)
        for (const QString& name : round())
            EXPECT_TRUE(name.startsWith(u"granja/")) << name.toStdString();
    EXPECT_EQ(game.List1().size(), 30);
}

TEST_F(ThemeRounds, aThemeTheFolderDoesNotHoldPlaysAllPictures) {
    game.theme = QStringLiteral("circo");
    QSet<QString> themes;
    for (int n = 0; n < 6; ++n)
        for (const QString& name : round())
            themes.insert(themeOf(name));
    EXPECT_GE(themes.size(), 2);
}

// A theme of 0 to 5 usable pictures shows each once and tops the round up from the others.
class ShortTheme : public ::testing::TestWithParam<int> {};

TEST_P(ShortTheme, showsEachOfItsPicturesOnceAndTopsUpFromTheRest) {
    const int usable = GetParam();
    QStringList names = themed("circo", usable + 1) + themed("granja", 18);
    FakeFolder folder(names, {QStringLiteral("circo/circo%1.png").arg(usable)}); // one is broken
    SeededRandom random(usable);
    Game game(random, folder);
    game.theme = QStringLiteral("circo");
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(game.ChoosePictureWords());
        const QStringList files(game.wordList.PictureFiles.begin(),
                                game.wordList.PictureFiles.end());
        EXPECT_EQ(QSet<QString>(files.begin(), files.end()).size(), WordSlots)
            << files.join(u' ').toStdString();
        EXPECT_EQ(std::count_if(files.begin(), files.end(),
                                [](const QString& f) { return f.startsWith(u"circo/"); }),
                  usable);
        EXPECT_FALSE(files.contains(QStringLiteral("circo/circo%1.png").arg(usable)));
    }
}

INSTANTIATE_TEST_SUITE_P(ZeroToFive, ShortTheme, ::testing::Range(0, 6));

TEST(ThemeRecord, eachThemeCountsItsOwnRepeats) {
    FakeFolder folder(themed("granja", 6) + themed("mar", 6));
    SeededRandom random(3);
    PictureChooser chooser;
    chooser.choose(folder, random, QStringLiteral("granja"));
    chooser.choose(folder, random);
    EXPECT_EQ(chooser.usedPictures(QStringLiteral("GRANJA")).size(), 6);
    EXPECT_EQ(chooser.usedPictures(QString()).size(), 6);
    EXPECT_TRUE(chooser.usedPictures(QStringLiteral("mar")).isEmpty());
    // After one round of the farm, the next farm round has only repeats: the same six, taken at
    // each slot's hundredth draw, none of them from the sea.
    for (const QString& name : chooser.choose(folder, random, QStringLiteral("granja")))
        EXPECT_TRUE(name.startsWith(u"granja/"));
    EXPECT_EQ(chooser.usedPictures().size(), 18);
}

} // namespace
