// The sets the worksheet library makes: words placed by their level's rules, no picture twice on a
// sheet, and the same set again for the same seed.
#include "sheet_set.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace {

const QString Bundled = QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/imagenes");
constexpr std::uint64_t Seed = 2026;

sheets::SheetSet makeSet(const QString& folder, int level, int count, std::uint64_t seed) {
    const sheets::MadeSet made = sheets::makeSheetSet({{folder}, level, count, seed, false, {}});
    EXPECT_TRUE(made.set) << made.problem.toStdString();
    return made.set.value_or(sheets::SheetSet{});
}

// 30 sheets of level 6: words run every way but right and down, and 180 of the 183 bundled
// pictures are used, so the last sheets are drawn from the few left.
const sheets::SheetSet& levelSix() {
    static const sheets::SheetSet set = makeSet(Bundled, 6, 30, Seed);
    return set;
}

// Level 6 in board steps: left, up, down-right, up-right, up-left, down-left.
const std::set<int> LevelSixSteps = {-1, -12, 13, -11, -13, 11};

TEST(SheetSet, everyWordReadsAlongADirectionItsLevelAllows) {
    ASSERT_EQ(levelSix().sheets.size(), 30u);
    for (const sheets::Sheet& sheet : levelSix().sheets) {
        for (int k = 0; k < WordSlots; ++k) {
            SCOPED_TRACE(sheet.words[k].toStdString());
            const QList<uint> letters = sheet.words[k].toUcs4();
            const auto& cells = sheet.board.WordCells[k];
            for (int j = 1; j <= letters.size(); ++j)
                ASSERT_EQ(sheet.board.Letters[cells[j]], letters[j - 1]);
            for (int j = 2; j <= letters.size(); ++j) {
                EXPECT_EQ(cells[j] - cells[j - 1], cells[2] - cells[1]);
                EXPECT_TRUE(LevelSixSteps.count(cells[j] - cells[j - 1]));
                // One column a step, or none straight up: a step that wrapped round the board's
                // edge would jump from one side to the other.
                EXPECT_EQ(std::abs(cells[j] % 12 - cells[j - 1] % 12),
                          std::abs(cells[j] - cells[j - 1]) == 12 ? 0 : 1);
            }
        }
    }
}

TEST(SheetSet, theSameSeedGivesTheSameSetAndAnotherSeedAnother) {
    const auto lettersOf = [](const sheets::SheetSet& set) {
        std::vector<std::array<QString, BoardCells>> letters;
        for (const sheets::Sheet& sheet : set.sheets)
            letters.push_back(sheet.letters);
        return letters;
    };
    EXPECT_EQ(lettersOf(makeSet(Bundled, 6, 30, Seed)), lettersOf(levelSix()));
    EXPECT_NE(lettersOf(makeSet(Bundled, 6, 30, Seed + 1)), lettersOf(levelSix()));
}

// Once a folder's pictures are all used, the game's chooser may take one picture for two slots of
// a round; a folder of exactly six gets there after the first sheet.
TEST(SheetSet, noSheetShowsAPictureTwice) {
    QTemporaryDir six;
    for (const char* name : {"abeja", "barco", "casa", "gato", "luna", "sol"}) {
        const QString file = QStringLiteral("/%1.png").arg(QLatin1String(name));
        ASSERT_TRUE(QFile::copy(Bundled + file, six.path() + file)) << name;
    }
    const sheets::SheetSet fromSix = makeSet(six.path(), 1, 10, Seed);
    for (const sheets::SheetSet* set : {&levelSix(), &fromSix}) {
        ASSERT_FALSE(set->sheets.empty());
        for (const sheets::Sheet& sheet : set->sheets) {
            const std::set<QString> files(sheet.pictureFiles.begin(), sheet.pictureFiles.end());
            EXPECT_EQ(files.size(), 6u) << set->pictureFolders.join(u',').toStdString();
        }
    }
}

} // namespace

// A theme's sheets keep to it; one the folders do not hold is refused with the themes they do.
TEST(SheetSet, aThemesSheetsKeepToItsPictures) {
    QTemporaryDir dir;
    const QStringList names = {"granja/gato", "granja/vaca", "granja/cerdo", "granja/oveja",
                               "granja/gallo", "granja/pato", "granja/rana", "mar/barco",
                               "mar/ballena", "sol", "luna", "casa"};
    const QStringList bundled = {"gato", "vaca", "cerdo", "oveja", "gallo", "pato", "rana",
                                 "barco", "ballena", "sol", "luna", "casa"};
    QDir(dir.path()).mkpath("granja");
    QDir(dir.path()).mkpath("mar");
    for (qsizetype k = 0; k < names.size(); ++k)
        ASSERT_TRUE(QFile::copy(Bundled + "/" + bundled[k] + ".png", dir.filePath(names[k] + ".png")))
            << bundled[k].toStdString();
    sheets::SheetRequest request{{dir.path()}, 1, 5, Seed, false, {}};
    request.theme = QStringLiteral("Granja");
    const sheets::MadeSet made = sheets::makeSheetSet(request);
    ASSERT_TRUE(made.set) << made.problem.toStdString();
    for (const sheets::Sheet& sheet : made.set->sheets)
        for (const QString& file : sheet.pictureFiles) EXPECT_TRUE(file.startsWith(u"granja/"));
    // The short sea is topped up from the others.
    request.theme = QStringLiteral("mar");
    ASSERT_TRUE(sheets::makeSheetSet(request).set);
    request.theme = QStringLiteral("circo");
    EXPECT_EQ(sheets::makeSheetSet(request).problem,
              QStringLiteral("no theme circo in %1 (themes: granja, mar)").arg(dir.path()));
}
