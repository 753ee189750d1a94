// The picture-word list: the word rule, the draw of six pictures, and hostile folder listings.
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

struct WordRow {
    const char* fileName;
    const char* word; // nullptr: the name gives no word
};

class WordRule : public ::testing::TestWithParam<WordRow> {};

TEST_P(WordRule, nameUpToItsLastDotInCapitals) {
    const auto word = pictureWord(QString::fromUtf8(GetParam().fileName));
    if (GetParam().word == nullptr) {
        EXPECT_FALSE(word.has_value());
    } else {
        ASSERT_TRUE(word.has_value());
        EXPECT_EQ(*word, QString::fromUtf8(GetParam().word));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WordRule,
    ::testing::Values(WordRow{"casa.gif", "CASA"}, WordRow{"Perro.JPG", "PERRO"},
                      WordRow{"camión.bmp", "CAMIÓN"}, WordRow{"perro.jpeg", "PERRO"},
                      WordRow{"tren.webp", "TREN"}, WordRow{"foto.TIFF", "FOTO"},
                      WordRow{"sol", "SOL"}, WordRow{"luna.llena.png", "LUNA.LLENA"},
                      WordRow{"pez2.png", "PEZ2"}, WordRow{"a.gif", "A"}, WordRow{".gif", nullptr},
                      WordRow{"ab", "AB"}, WordRow{"", nullptr},
                      WordRow{"pingüino.png", "PINGÜINO"}, WordRow{"araña.png", "ARAÑA"},
                      WordRow{"osa mayor.png", "OSA MAYOR"},
                      // Decomposed accents, as some file systems store names, are composed.
                      WordRow{"camio\xCC\x81n.png", "CAMIÓN"}));

TEST(PlaceableWords, onlyOneToTwelveLettersCanBeDrawn) {
    EXPECT_FALSE(givesPlaceableWord(QStringLiteral(".gif")));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("ab")));
    EXPECT_FALSE(givesPlaceableWord(QStringLiteral("abcdefghijklm")));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("abcdefghijkl.jpeg")));
    EXPECT_FALSE(givesPlaceableWord(QString()));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("a.gif")));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("abcdefghijkl.png")));
    EXPECT_FALSE(givesPlaceableWord(QStringLiteral("abcdefghijklm.png")));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("camio\u0301nabcdef.png"))); // 12 once composed
}

QStringList numbered(int n) {
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

struct ChooseTest : ::testing::Test {
    ScriptedRandom random;
    FakeFolder folder;
    Game game{random, folder};

    std::vector<QString> files() const {
        return {game.wordList.PictureFiles.begin(), game.wordList.PictureFiles.end()};
    }
};

TEST_F(ChooseTest, theLastFileOfTheListingCanBeDrawn) {
    folder.names = numbered(7);
    random.append({pick(6, 7), pick(0, 7), pick(1, 7), pick(2, 7), pick(3, 7), pick(4, 7)});
    ASSERT_TRUE(game.ChoosePictureWords());
    EXPECT_EQ(game.wordList.PictureFiles[0], QStringLiteral("p06.png"));
    EXPECT_EQ(game.wordList.Words[0], QStringLiteral("P06"));
}

TEST_F(ChooseTest, aRepeatIsDrawnAgainWithinTheRoundAndAcrossRounds) {
    folder.names = numbered(20);
    // Slot 2 first draws slot 0's file again.
    random.append({pick(0, 20), pick(1, 20), pick(0, 20), pick(2, 20), pick(3, 20), pick(4, 20),
                   pick(5, 20)});
    game.ChoosePictureWords();
    EXPECT_EQ(game.wordList.PictureFiles[2], QStringLiteral("p02.png"));
    EXPECT_EQ(random.drawsTaken(), 7u);
    // The next round meets p00 and p05 again and passes over them.
    random.append({pick(0, 20), pick(5, 20), pick(6, 20), pick(7, 20), pick(8, 20), pick(9, 20),
                   pick(10, 20), pick(11, 20)});
    game.ChoosePictureWords();
    EXPECT_EQ(files(), (std::vector<QString>{"p06.png", "p07.png", "p08.png", "p09.png", "p10.png",
                                             "p11.png"}));
    EXPECT_EQ(game.List1().size(), 12);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(folder.listings, 2); // once a round, not once a slot
}

TEST_F(ChooseTest, oneFileFillsAllSixSlotsTakingEachRepeatAtTheHundredthDraw) {
    folder.names = {QStringLiteral("sol.gif")};
    game.ChoosePictureWords();
    EXPECT_EQ(random.drawsTaken(), 1u + 5u * PictureChooser::MaxDraws);
    for (const QString& word : game.wordList.Words)
        EXPECT_EQ(word, QStringLiteral("SOL"));
    EXPECT_EQ(game.List1().size(), 6);
}

TEST_F(ChooseTest, twoToSixFilesAreAllUsedBeforeAnyRepeats) {
    for (int n = 2; n <= 6; ++n) {
        ScriptedRandom random2;
        FakeFolder folder2(numbered(n));
        Game game2(random2, folder2);
        game2.ChoosePictureWords();
        QSet<QString> distinct(game2.wordList.PictureFiles.begin(),
                               game2.wordList.PictureFiles.end());
        EXPECT_EQ(distinct.size(), n) << n << " files";
    }
}

TEST_F(ChooseTest, namesDifferingOnlyInCaseAreTwoFilesWithOneWord) {
    folder.names = {QStringLiteral("Sol.gif"), QStringLiteral("sol.gif")};
    random.append({pick(0, 2), pick(0, 2), pick(1, 2)});
    game.ChoosePictureWords();
    EXPECT_EQ(game.wordList.PictureFiles[0], QStringLiteral("Sol.gif"));
    EXPECT_EQ(game.wordList.PictureFiles[1], QStringLiteral("sol.gif"));
    EXPECT_EQ(game.wordList.Words[0], game.wordList.Words[1]);
}

TEST_F(ChooseTest, filesThatAreNoPicturesAreLeftOutWithoutCountingTheirDraws) {
    folder.names = {QStringLiteral("Thumbs.db"), QStringLiteral("gato.png"),
                    QStringLiteral("notas.txt")};
    folder.notPictures = {QStringLiteral("Thumbs.db"), QStringLiteral("notas.txt")};
    game.ChoosePictureWords();
    for (const QString& word : game.wordList.Words)
        EXPECT_EQ(word, QStringLiteral("GATO"));
    // Each no-picture is asked about at most once a round, and gato.png is accepted at the
    // first draw of slot 0 and the hundredth of every other slot.
    EXPECT_LE(folder.checks, 2 + 1 + 5 * PictureChooser::MaxDraws);
}

struct HostileListing {
    const char* what;
    QStringList names;
    QSet<QString> notPictures;
    bool anyWord;
};

class HostileFolders : public ::testing::TestWithParam<HostileListing> {};

TEST_P(HostileFolders, theRoundIsSetUpAndEveryWordCanBePlaced) {
    const HostileListing& row = GetParam();
    ClockRandom random;
    FakeFolder folder(row.names, row.notPictures);
    Game game(random, folder);
    EXPECT_EQ(game.ChoosePictureWords(), row.anyWord) << row.what;
    for (int k = 0; k < WordSlots; ++k) {
        const QString& word = game.wordList.Words[k];
        EXPECT_LE(wordLetters(word).size(), 12u) << row.what;
        EXPECT_EQ(word.isEmpty(), !row.anyWord) << row.what;
        if (row.anyWord) {
            EXPECT_EQ(word, *pictureWord(game.wordList.PictureFiles[k]));
        }
    }
    game.ClearBoard();
    game.PlaceWords(0);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, HostileFolders,
    ::testing::Values(
        HostileListing{"empty", {}, {}, false},
        HostileListing{"nothing before the dot", {"", ".gif", ".png"}, {}, false},
        HostileListing{"names without a dot", {"a", "ab", "abc", "abcd"}, {}, true},
        HostileListing{"long words", {"abcdefghijklm.png", "murciélagoxyzw.png"}, {}, false},
        HostileListing{
            "no pictures", {"Thumbs.db", "notas.txt"}, {"Thumbs.db", "notas.txt"}, false},
        HostileListing{"one usable among hostile names",
                       {"ab", ".gif", "abcdefghijklm.png", "x.png", "Thumbs.db"},
                       {"Thumbs.db"},
                       true},
        HostileListing{
            "odd characters", {"\xEF\xBF\xBD\xEF\xBF\xBD.png", "a b.png", "1-2.png"}, {}, true}));

TEST(DiskFolder, listsFilesOnlyInNameOrderIgnoringCase) {
    QTemporaryDir dir;
    for (const char* name : {"b.png", "A.png", "c.png", ".hidden.png", "Ñu.png"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("carpeta.png"));
    DiskPictureFolder folder(dir.path(), nullptr);
    EXPECT_EQ(folder.listing(), (QStringList{"A.png", "b.png", "c.png", "Ñu.png"}));
}

// The listing is kept between rounds; files added or removed since must still show at once,
// in a folder left alone for long as in one that changed a moment ago.
TEST(DiskFolder, seesFilesAddedAndRemovedBetweenRounds) {
    QTemporaryDir dir;
    const auto touch = [&](const char* name) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const auto age = [&] {
        const std::filesystem::path path = dir.path().toStdString();
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) -
                                                   std::chrono::hours(1));
    };
    touch("oso.png");
    age();
    DiskPictureFolder folder(dir.path(), nullptr);
    EXPECT_EQ(folder.listing(), QStringList{"oso.png"});
    EXPECT_EQ(folder.listing(), QStringList{"oso.png"});
    touch("Gato.png");
    EXPECT_EQ(folder.listing(), (QStringList{"Gato.png", "oso.png"}));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("oso.png"))));
    EXPECT_EQ(folder.listing(), QStringList{"Gato.png"});
    age();
    EXPECT_EQ(folder.listing(), QStringList{"Gato.png"});
    touch("ñu.png");
    EXPECT_EQ(folder.listing(), (QStringList{"Gato.png", "ñu.png"}));
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    EXPECT_EQ(folder.listing(), QStringList{});
}

TEST(DiskFolder, asksTheDecoderOnceUntilTheFileChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gato.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    int decodes = 0;
    DiskPictureFolder folder(dir.path(), [&](const QString&) { return ++decodes > 0; });
    EXPECT_TRUE(folder.isPicture(QStringLiteral("gato.png")));
    EXPECT_TRUE(folder.isPicture(QStringLiteral("gato.png")));
    EXPECT_EQ(decodes, 1);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("more");
    file.close();
    folder.isPicture(QStringLiteral("gato.png"));
    EXPECT_EQ(decodes, 2);
    EXPECT_FALSE(folder.isPicture(QStringLiteral("removed.png")));
}

// The lower-case word is the name's own letters lowered, not the capitals lowered again.
TEST(PictureWords, lowerCaseWordKeepsTheNamesOwnLetters) {
    EXPECT_EQ(lowerCaseWord(QStringLiteral("Ñandú.png")), QStringLiteral("ñandú"));
    EXPECT_EQ(lowerCaseWord(QStringLiteral("straße.jpeg")), QStringLiteral("straße"));
    EXPECT_EQ(*pictureWord(QStringLiteral("straße.jpeg")), QStringLiteral("STRASSE"));
    EXPECT_EQ(lowerCaseWord(QStringLiteral("PINGÜINO.webp")), QStringLiteral("pingüino"));
}

} // namespace
