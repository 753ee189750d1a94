// The letters a board shows per language: plain spellings, filler alphabets, and no letter that
// only a word could have put there.
#include "fakes.h"

#include <QSet>
#include <gtest/gtest.h>
#include <tuple>

namespace {

LetterRule plain(const char* language) {
    return {QString::fromLatin1(language), LetterStyle::Plain};
}
LetterRule written(const char* language) {
    return {QString::fromLatin1(language), LetterStyle::AsWritten};
}

struct PlainRow {
    const char* language;
    const char16_t* word;
    const char16_t* board;
};

TEST(PlainLetters, eachLanguageKeepsItsOwnLettersAndDropsTheOtherMarks) {
    const PlainRow rows[] = {
        {"es", u"ÑANDÚ", u"ÑANDU"},
        {"es", u"PINGÜINO", u"PINGUINO"},
        {"es", u"CAMIÓN", u"CAMION"},
        {"es-MX", u"ÑU", u"ÑU"},
        {"de", u"STRASSE", u"STRASSE"},
        {"de", u"Straße", u"Strasse"},
        {"de", u"WÜRFEL", u"WÜRFEL"},
        {"de", u"MÄDCHEN", u"MÄDCHEN"},
        {"de", u"CAFÉ", u"CAFE"},
        {"fr", u"GARÇON", u"GARCON"},
        {"fr", u"ŒUF", u"OEUF"},
        {"fr", u"FÊTE", u"FETE"},
        {"pt", u"CORAÇÃO", u"CORACAO"},
        {"pt", u"AVIÃO", u"AVIAO"},
        {"it", u"PERCHÉ", u"PERCHE"},
        {"it", u"CITTÀ", u"CITTA"},
        {"ca", u"COL·LECCIÓ", u"COLLECCIO"},
        {"ca", u"CAÇA", u"CACA"},
        {"en", u"APPLE", u"APPLE"},
        {"xx", u"ÅNGSTRÖM", u"ANGSTROM"},
        {"es", u"CAMIO\u0301N", u"CAMION"}, // decomposed, as some file systems store names
    };
    for (const PlainRow& row : rows)
        EXPECT_EQ(plainLetters(QString::fromUtf16(row.word), QString::fromLatin1(row.language)),
                  QString::fromUtf16(row.board))
            << row.language << " " << QString::fromUtf16(row.word).toStdString();
}

TEST(PlainLetters, styleDefaultsToAsWrittenForSpanishAndEnglishOnly) {
    for (const char* code : {"es", "en", "en-GB", "ES"})
        EXPECT_EQ(defaultLetterStyle(QString::fromLatin1(code)), LetterStyle::AsWritten) << code;
    for (const char* code : {"fr", "pt", "it", "de", "ca", "nl", ""})
        EXPECT_EQ(defaultLetterStyle(QString::fromLatin1(code)), LetterStyle::Plain) << code;
}

TEST(PlainLetters, aWordThatGrowsPastTwelveCellsIsNeverDrawn) {
    // Twelve letters as written; thirteen once Œ is printed as OE.
    const QString name = QStringLiteral("œabcdefghijk.png");
    EXPECT_TRUE(givesPlaceableWord(name, written("fr")));
    EXPECT_FALSE(givesPlaceableWord(name, plain("fr")));
    EXPECT_TRUE(givesPlaceableWord(QStringLiteral("col·leccions.png"), plain("ca")));
}

struct AlphabetRow {
    LetterRule rule;
    const char16_t* words; // the round's words, as the board spells them, joined by blanks
    const char16_t* extra; // the fillers beyond A-Z
};

TEST(FillerAlphabets, perLanguageAndStyle) {
    const AlphabetRow rows[] = {
        {written("es"), u"ÑANDÚ CAMIÓN", u""}, // as boards always were
        {written("en"), u"CAFÉ", u""},
        {plain("en"), u"APPLE", u""},
        {plain("es"), u"ÑANDU", u"Ñ"},
        {plain("de"), u"WÜRFEL", u"ÄÖÜ"},
        {plain("fr"), u"GARCON", u""},
        {written("fr"), u"GARÇON ÉTÉ", u"ÇÉ"},
        {written("de"), u"WÜRFEL STRASSE", u"ÄÖÜ"},
        {written("ca"), u"COL·LECCIÓ", u"Ó"}, // the middle dot is no letter
        {plain("xx"), u"Ø", u"Ø"},            // a letter with no plain spelling is a filler too
    };
    for (const AlphabetRow& row : rows) {
        std::array<QString, WordSlots> words;
        const QStringList given = QString::fromUtf16(row.words).split(QLatin1Char(' '));
        std::copy(given.begin(), given.end(), words.begin());
        const FillerAlphabet fillers = fillerAlphabet(words, row.rule);
        const QString expected = QString::fromUtf16(row.extra);
        const std::string where =
            row.rule.language.toStdString() + " " + letterStyleValue(row.rule.style).toStdString();
        EXPECT_EQ(fillers.onlyAToZ(), expected.isEmpty()) << where;
        for (char32_t c = U'A'; c <= U'Z'; ++c)
            EXPECT_EQ(fillers.weight(c), FillerAlphabet::UniformWeight) << where;
        for (const char32_t c : expected.toUcs4())
            EXPECT_GT(fillers.weight(c), 0) << where;
        EXPECT_EQ(fillers.weight(U'·'), 0) << where;
    }
}

TEST(FillerAlphabets, ownLettersComeAsOftenAsInRunningText) {
    const FillerAlphabet german = fillerAlphabet({}, plain("de"));
    // ü is twice as common as ö in German, both well below an average letter.
    EXPECT_GT(german.weight(U'Ü'), 2 * german.weight(U'Ö') - 10);
    EXPECT_LT(german.weight(U'Ü'), FillerAlphabet::UniformWeight / 4);
}

TEST(FillerAlphabets, spanishAndEnglishAsWrittenTakeOneDrawOf26PerCell) {
    for (const char* code : {"es", "en"}) {
        ScriptedRandom random({pick(0, 26), pick(25, 26), pick(13, 26)});
        const FillerAlphabet fillers = fillerAlphabet({QStringLiteral("ÑU")}, written(code));
        EXPECT_EQ(fillers.draw(random), U'A');
        EXPECT_EQ(fillers.draw(random), U'Z');
        EXPECT_EQ(fillers.draw(random), U'N');
        EXPECT_EQ(random.drawsTaken(), 3u);
    }
}

// A Catalan word loses its middle dot on a plain board: its nine cells complete it, and the list,
// the caption and the lower-case board still read it as the picture names it.
TEST(PlainBoards, aWordIsFoundByItsPlainCellsAndListedAsWritten) {
    ScriptedRandom random;
    FakeFolder folder;
    Game game(random, folder);
    game.letters = plain("ca");
    game.wordList.PictureFiles[0] = QStringLiteral("col·lecció.png");
    game.wordList.Words = {QStringLiteral("COL·LECCIÓ"), "PAN", "SUR", "TRAM", "DUNA", "BAT"};
    game.ClearBoard();
    game.letters = written("ca"); // a change mid-round waits for the next round
    game.PlaceWords(0);
    ASSERT_EQ(game.boardLetters(0), U"COLLECCIO");
    QString lower;
    for (int j = 1; j <= 9; ++j) {
        const int cell = game.board.WordCells[0][j];
        lower += game.shownLetter(cell, true);
        game.Command1_Click(cell);
    }
    EXPECT_EQ(lower, QStringLiteral("colleccio"));
    EXPECT_TRUE(game.WordFound[0]);
    EXPECT_EQ(game.List2, QStringList{QStringLiteral("COL·LECCIÓ")});
}

// Words with every accented letter each language's sets use.
struct LanguageWords {
    LetterRule rule;
    QStringList words;
    QString own; // the marked letters a plain board may show
};

QList<LanguageWords> stressCases() {
    const QList<std::tuple<const char*, QStringList, QString>> words = {
        {"es",
         {"ÑANDÚ", "PINGÜINO", "CAMIÓN", "ÁRBOL", "LIMÓN", "PIÑA", "CIEMPIÉS", "MAÍZ"},
         QStringLiteral("Ñ")},
        {"en", {"APPLE", "HOUSE", "TRAIN", "ZEBRA", "QUEEN", "JUICE"}, QStringLiteral("")},
        {"de",
         {"STRASSE", "WÜRFEL", "MÄDCHEN", "FLÖTE", "BÄR", "KÄSE", "SCHLÜSSEL"},
         QStringLiteral("ÄÖÜ")},
        {"fr",
         {"GARÇON", "ŒUF", "ÉTÉ", "FÊTE", "ÎLE", "CŒUR", "NOËL", "HÔPITAL", "OÙ"},
         QStringLiteral("")},
        {"pt",
         {"CORAÇÃO", "AVIÃO", "MAÇÃ", "PÁSSARO", "ÔNIBUS", "PÉ", "LEÃO", "AVÓ"},
         QStringLiteral("")},
        {"it",
         {"PERCHÉ", "CITTÀ", "CAFFÈ", "TRIBÙ", "LUNEDÌ", "PERÒ", "GIOCO"},
         QStringLiteral("")},
        {"ca",
         {"COL·LECCIÓ", "CAÇA", "CAVALL", "PINGÜÍ", "ARBRE", "MÀ", "CAMIÓ", "PEÇA"},
         QStringLiteral("")},
    };
    QList<LanguageWords> cases;
    for (const auto& [code, list, own] : words)
        for (const LetterStyle style : {LetterStyle::AsWritten, LetterStyle::Plain})
            cases.append({{QString::fromLatin1(code), style}, list, own});
    return cases;
}

TEST(FillerAlphabets, noLetterOfAWordIsMissingFromTheFillersOverTenThousandBoards) {
    constexpr int Boards = 10000;
    for (const LanguageWords& language : stressCases()) {
        const LetterRule& rule = language.rule;
        const std::string where =
            rule.language.toStdString() + " " + letterStyleValue(rule.style).toStdString();
        if (rule.style == LetterStyle::AsWritten &&
            (rule.language == u"es" || rule.language == u"en"))
            continue; // their boards keep the A-Z fillers they always had
        SeededRandom random(7);
        FakeFolder folder;
        Game game(random, folder);
        game.letters = rule;
        QSet<char32_t> inWords, asFillers;
        for (int b = 0; b < Boards; ++b) {
            for (QString& word : game.wordList.Words)
                word = language.words[random.draw(int(language.words.size()))];
            game.ClearBoard();
            game.PlaceWords(4);
            for (int k = 0; k < WordSlots; ++k)
                for (const char32_t c : game.boardLetters(k))
                    if (QChar::isLetter(c)) {
                        inWords.insert(c);
                        ASSERT_GT(game.fillers().weight(c), 0) << where << " board " << b;
                    }
            for (int i = 0; i < BoardCells; ++i)
                if (!game.board.CellUsed[i]) asFillers.insert(game.board.Letters[i]);
        }
        for (const char32_t c : inWords)
            EXPECT_TRUE(asFillers.contains(c))
                << where << " " << QString::fromUcs4(&c, 1).toStdString();
        if (rule.style != LetterStyle::Plain) continue;
        for (const char32_t c : asFillers) {
            EXPECT_TRUE(c < 0x80 || language.own.contains(QString::fromUcs4(&c, 1)))
                << where << " shows " << QString::fromUcs4(&c, 1).toStdString();
        }
    }
}

} // namespace
