// Tests of the language file's captions and the texts file, each falling back to its own default.
#include "language_file.h"
#include "test_support.h"
#include "texts_file.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

constexpr std::array Items = {LanguageItem::ScoreWord, LanguageItem::Play, LanguageItem::Exit,
                              LanguageItem::WordList, LanguageItem::Hints};

struct LanguageRow {
    const char* name;
    std::optional<QByteArray> bytes; // std::nullopt: no file at all
    QStringList expected;            // text and caption of each item, in file order
};

void PrintTo(const LanguageRow& row, std::ostream* os) {
    *os << row.name;
}

class LanguageItems : public ::testing::TestWithParam<LanguageRow> {};

TEST_P(LanguageItems, eachItemShowsTheFilesTextOrItsOwnDefault) {
    TempFiles files;
    const auto& bytes = GetParam().bytes;
    const LanguageFile file(bytes ? files.write("idioma.txt", *bytes) : files.path("idioma.txt"));
    QStringList texts, captions;
    for (const LanguageItem item : Items) {
        texts << file.text(item);
        captions << file.caption(item);
    }
    EXPECT_EQ(texts, GetParam().expected);
    EXPECT_EQ(captions, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageItems,
    ::testing::Values(
        LanguageRow{"Missing", std::nullopt, {"de", "Jugar", "Salir", "Mis palabras", "Pistas"}},
        LanguageRow{"Empty", "", {"de", "Jugar", "Salir", "Mis palabras", "Pistas"}},
        LanguageRow{"OneItem", "y", {"y", "Jugar", "Salir", "Mis palabras", "Pistas"}},
        LanguageRow{"TwoItems", "de,A jugar", {"de", "A jugar", "Salir", "Mis palabras", "Pistas"}},
        LanguageRow{"FourItems", "a\nb\nc\nd\n", {"a", "b", "c", "d", "Pistas"}},
        LanguageRow{"FiveItemsAndMore", "a,b,c,d,e,f", {"a", "b", "c", "d", "e"}},
        LanguageRow{"EmptyItemsStayEmpty", "\"\",b,,d", {"", "b", "", "d", "Pistas"}}),
    [](const auto& info) { return info.param.name; });

TEST(LanguageFileItems, aNumberItemIsTextAsWrittenAndCaptionAsNumber) {
    const auto file = LanguageFile::fromBytes("de,Jugar,Salir,007");
    EXPECT_EQ(file.text(LanguageItem::WordList), "007");
    EXPECT_EQ(file.caption(LanguageItem::WordList), "7");
}

// The score word and the menu's buttons show an item as written, the game screen's buttons as a
// caption; only what the file holds is read from it.
TEST(LanguageFileItems, eachItemIsShownTheGamesWayAndReadOnlyWhereTheFileHasIt) {
    const auto file = LanguageFile::fromBytes("007,007,007,007");
    QStringList shown;
    std::vector<std::optional<QString>> read;
    for (const LanguageItem item : Items) {
        shown << file.shown(item);
        read.push_back(file.asRead(item));
    }
    EXPECT_EQ(shown, QStringList({"007", "007", "007", "7", "Pistas"}));
    EXPECT_EQ(read, (std::vector<std::optional<QString>>{"007", "007", "007", "7", std::nullopt}));
}

TEST(LanguageFileItems, englishDefaultsFillWhatTheFileLacks) {
    const auto file = LanguageFile::fromBytes("de,Jugar", Language::English);
    QStringList captions;
    for (const LanguageItem item : Items)
        captions << file.caption(item);
    EXPECT_EQ(captions, QStringList({"de", "Jugar", "Exit", "Found words", "Hints"}));
}

constexpr std::array<TextDefault, 3> Rows = {{
    {u"Fin", u"End"},
    {u"Se acab\u00f3", u"Time's up"},
    {u"Hoja", u"Sheet"},
}};

constexpr Language Es = Language::Spanish;
constexpr Language En = Language::English;

struct TextsRow {
    const char* name;
    std::optional<QByteArray> bytes; // std::nullopt: no file at all
    Language language;
    QStringList expected;
};

void PrintTo(const TextsRow& row, std::ostream* os) {
    *os << row.name;
}

class TextsLines : public ::testing::TestWithParam<TextsRow> {};

TEST_P(TextsLines, eachRowTakesItsLineOrItsDefault) {
    TempFiles files;
    const auto& bytes = GetParam().bytes;
    const QString path = bytes ? files.write("textos.txt", *bytes) : files.path("textos.txt");
    EXPECT_EQ(readTexts(path, Rows, GetParam().language), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextsLines,
    ::testing::Values(
        TextsRow{"Missing", std::nullopt, Es, {"Fin", "Se acab\u00f3", "Hoja"}},
        TextsRow{"MissingInEnglish", std::nullopt, En, {"End", "Time's up", "Sheet"}},
        TextsRow{"ShortFile", "Adi\xC3\xB3s\r\n", Es, {"Adi\u00f3s", "Se acab\u00f3", "Hoja"}},
        TextsRow{"ExtraLinesIgnored", "a\rb\rc\rd\r", Es, {"a", "b", "c"}},
        TextsRow{"Windows1252", "a\r\nYa acab\xF3\r\nc", Es, {"a", "Ya acab\u00f3", "c"}},
        TextsRow{"BlankLinesDefaultOthersTrimmed",
                 "\n \t\n  Mi hoja \t\n",
                 En,
                 {"End", "Time's up", "Mi hoja"}}),
    [](const auto& info) { return info.param.name; });

} // namespace
