// Tests of the item and line readers, the decoding of the files and the leading number.
#include "test_support.h"
#include "text_file.h"

#include <QDir>
#include <QLocale>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

using Texts = std::vector<QString>;

// Every read until the first failure; a cap keeps a reader that never fails from hanging the test.
template <typename Read> Texts readAll(Read read) {
    Texts texts;
    while (auto text = read()) {
        texts.push_back(*text);
        if (texts.size() > 1000) break;
    }
    return texts;
}

Texts itemsOf(const QString& path) {
    ItemFile file(path);
    return readAll([&] { return file.readText(); });
}

Texts linesOf(const QString& path) {
    LineFile file(path);
    return readAll([&] { return file.readLine(); });
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    Texts expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ItemReading, GivesEachItemThenFails) {
    TempFiles files;
    EXPECT_EQ(itemsOf(files.write("idioma.txt", GetParam().bytes)), GetParam().expected);
}

const Texts Captions = {"de", "Jugar", "Salir", "Palabras", "Pista"};

INSTANTIATE_TEST_SUITE_P(
    Files, ItemReading,
    ::testing::Values(
        ReadCase{"FiveQuotedOnFiveLines",
                 "\"de\"\r\n\"Jugar\"\r\n\"Salir\"\r\n\"Palabras\"\r\n\"Pista\"\r\n", Captions},
        ReadCase{"FiveUnquotedOnOneLine", "de,Jugar,Salir,Palabras,Pista", Captions},
        ReadCase{
            "BlanksAroundUnquotedDropped", "  de ,\tJugar  \n Salir\t", {"de", "Jugar", "Salir"}},
        ReadCase{"QuotedKeepsCommaAndBlanks", "\"Ver, leer \",x", {"Ver, leer ", "x"}},
        ReadCase{"QuotedKeepsLineEnds", "\"a\r\nb\"", {"a\r\nb"}},
        ReadCase{"AfterClosingQuoteDropped", "\"a\" sobra,b\n\"c\"x\"y\"\nd", {"a", "b", "c", "d"}},
        ReadCase{"EmptyLinesAreNoItems", "\n\r\na\n\n\r\n  \nb\n\n", {"a", "b"}},
        ReadCase{"EmptyItemBetweenCommas", "a,,b,\t,c", {"a", "", "b", "", "c"}},
        ReadCase{"CommaEndingLineAddsNoItem", "a,\nb,\r\n,c,", {"a", "b", "", "c"}},
        ReadCase{"LoneCrSeparates", "a\rb", {"a", "b"}},
        ReadCase{"UnterminatedQuoteRunsToEnd", "a,\"b,c\nd", {"a", "b,c\nd"}},
        ReadCase{"Windows1252Accents", "cami\xF3n,a\xF1o", {"camión", "año"}},
        ReadCase{"EmptyFile", "", {}}, ReadCase{"OnlyBlanksAndLineEnds", " \r\n\t\n", {}},
        // Notepad's "Unicode": "de",Jugar\r\n in UTF-16LE with its mark, and the same big-endian.
        ReadCase{"Utf16LittleEndianWithMark",
                 QByteArray("\xFF\xFE\"\0d\0e\0\"\0,\0J\0u\0g\0a\0r\0\r\0\n\0", 24),
                 {"de", "Jugar"}},
        ReadCase{"Utf16BigEndianWithMark",
                 QByteArray("\xFE\xFF\0\"\0d\0e\0\"\0,\0J\0u\0g\0a\0r\0\r\0\n", 24),
                 {"de", "Jugar"}}),
    [](const auto& info) { return info.param.name; });

class LineReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineReading, GivesEachLineThenFails) {
    TempFiles files;
    EXPECT_EQ(linesOf(files.write("nivel.txt", GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineReading,
    ::testing::Values(
        ReadCase{"AnyLineEnd", "uno\r\ndos\ntres\rcuatro", {"uno", "dos", "tres", "cuatro"}},
        ReadCase{"NoLineEndIsOneLine", " a, \"b\" ", {" a, \"b\" "}},
        ReadCase{"FinalLineEndAddsNoLine", "a\n", {"a"}},
        ReadCase{"EmptyLinesKept", "a\n\r\n\rb\n\n", {"a", "", "", "b", ""}},
        ReadCase{"EmptyFile", "", {}},
        ReadCase{
            "Utf16LittleEndianCrOnly", QByteArray("\xFF\xFEn\0\xED\0\r\0b\0", 10), {"ní", "b"}}),
    [](const auto& info) { return info.param.name; });

// A locale for the duration of one test: captions follow the default locale.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_saved); }
    QLocale m_saved;
};

TEST(ItemVariant, NumberItemsShowInOrdinaryFormOthersAsWritten) {
    DefaultLocale english{QLocale(QLocale::English)};
    const QByteArray line = "007,1.50,-0.0,+12,1e3,.5,\"007\",007abc,inf,1e999,.,1.2.3, 42 ";
    const Texts expected = {"7",      "1.5", "0",     "12", "1000",  "0.5", "007",
                            "007abc", "inf", "1e999", ".",  "1.2.3", "42"};
    TempFiles files;
    ItemFile file(files.write("idioma.txt", line));
    EXPECT_EQ(readAll([&] { return file.readVariant(); }), expected);
}

TEST(ItemVariant, SameItemReadsAsSevenAsVariantButStays007AsText) {
    TempFiles files;
    const QString path = files.write("idioma.txt", "007,Jugar,Salir,007,Pista");
    EXPECT_EQ(ItemFile(path).readText(), "007");
    ItemFile layout(path);
    for (int i = 0; i < 3; ++i)
        layout.readVariant();
    EXPECT_EQ(layout.readVariant(), "7");
}

TEST(ItemVariant, SpanishCaptionStillGivesTheRoundedSpeed) {
    DefaultLocale spanish{QLocale(QLocale::Spanish, QLocale::Spain)};
    TempFiles files;
    const auto caption = ItemFile(files.write("velocidad.txt", "2.7")).readVariant();
    EXPECT_EQ(caption, "2,7");
    EXPECT_EQ(leadingNumber(*caption), 3);
}

TEST(ShortFiles, ReadsPastTheEndLeaveTheLastValueRead) {
    TempFiles files;
    ItemFile items(files.write("idioma.txt", "de,Jugar,Salir"));
    LineFile lines(files.write("nivel.txt", "uno\ndos\ntres\ncuatro\n"));
    QString item, line;
    for (int i = 0; i < 5; ++i)
        item = items.readText().value_or(item);
    for (int i = 0; i < 6; ++i)
        line = lines.readLine().value_or(line);
    EXPECT_EQ(item, "Salir");
    EXPECT_EQ(line, "cuatro");
}

TEST(LeadingNumber, TakesTheRoundedNumberAtTheStart) {
    DefaultLocale english{QLocale(QLocale::English)};
    const std::vector<std::pair<QString, std::optional<qint32>>> cases = {
        {"250", 250},
        {"abc", 0},
        {"250abc", 250},
        {" -12", -12},
        {"\t+7", 7},
        {"", 0},
        {"-", 0},
        {"25 0", 25},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"0.5", 0},
        {".6", 1},
        {"2.5000001", 3},
        {"3.49999999999999999999", 3},
        {"1e3", 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"2147483647.5", std::nullopt},
        {"99999999999", std::nullopt},
        {QString(400, u'9'), std::nullopt},
        {QString(400, u'0') + "12", 12}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(leadingNumber(text), expected) << text.toStdString();
}

TEST(Decoding, Utf8WhenValidOtherwiseWindows1252) {
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"cami\xC3\xB3n \xC3\xB1 \xE2\x82\xAC", "camión ñ €"},
        {"\xEF\xBB\xBF"
         "cami\xC3\xB3n",
         "camión"},
        {"\xE1\xF1\x80\x9F", "áñ€Ÿ"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"ca\xC3", "caÃ"},
        {"\xC0\xAF", "À¯"},
        {"\xED\xA0\x80", "í\u00A0€"}};
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(decodeText(bytes), expected) << bytes.toHex().toStdString();
}

// Only a text with NULs and no UTF-16 mark is taken for a file saved in another format.
TEST(Decoding, NulsWithoutAUtf16MarkAreNoText) {
    const std::vector<std::pair<QByteArray, bool>> cases = {
        {"velocidad 300", true},
        {QByteArray("\xFF\xFE"
                    "3\0"
                    "0\0",
                    6),
         true},
        {QByteArray("\xFE\xFF\0"
                    "3\0"
                    "0",
                    6),
         true},
        {QByteArray("3\0"
                    "0\0"
                    "0\0",
                    6),
         false},
        {QByteArray("PK\x03\x04\0\0", 6), false},
        {"", true}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(looksLikeText(bytes), text) << bytes.toHex().toStdString();
}

TEST(HostileFiles, FilesThatCannotBeOpenedFailEveryRead) {
    TempFiles files;
    QDir().mkpath(files.path("carpeta"));
    ASSERT_EQ(::mkfifo(files.path("tuberia").toLocal8Bit().constData(), 0600), 0);
    for (const QString& path :
         {files.path("falta.txt"), files.path("carpeta"), files.path("tuberia"), QString()}) {
        ItemFile items(path);
        LineFile lines(path);
        EXPECT_FALSE(items.isOpen() || lines.isOpen()) << path.toStdString();
        EXPECT_FALSE(items.readText() || items.readVariant() || lines.readLine());
    }
}

TEST(HostileFiles, HugeGarbageOrUnendingContentReadsWithinBounds) {
    TempFiles files;
    QRandomGenerator random(7);
    QByteArray garbage(1 << 16, '\0');
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    const QString tenMegabyteLine = files.write("linea.txt", QByteArray(10'000'000, '7'));
    EXPECT_EQ(ItemFile(tenMegabyteLine).readText()->size(), MaxShownCharacters);
    EXPECT_EQ(LineFile(tenMegabyteLine).readLine()->size(), MaxShownCharacters);
    const QString garbageFile = files.write("basura.bin", garbage);
    qsizetype lineChars = 0;
    for (const QString& line : linesOf(garbageFile))
        lineChars += line.size();
    EXPECT_LE(lineChars, garbage.size());
    EXPECT_FALSE(itemsOf(garbageFile).empty());

    const QString oversized = files.write("enorme.txt", QByteArray(MaxFileBytes + 4096, 'a'));
    EXPECT_EQ(linesOf(oversized), Texts{QString(MaxShownCharacters - 1, u'a') + u'…'});
}

// Long texts from a teacher's file: cut to 200 characters as a reader counts them, and a pile of
// accents on one letter cut to a few, whichever reader took the text.
TEST(ShownText, LongTextsAndAccentPilesAreCut) {
    const QString accents = QString(32000, QChar(0x0301));
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467"); // one
    const struct {
        QString text, shown;
    } rows[] = {
        {QString(200, u'a'), QString(200, u'a')},
        {QString(201, u'a'), QString(199, u'a') + u'…'},
        {u'a' + accents + u'b', u'a' + accents.left(MaxClusterUnits - 1) + u'b'},
        {family.repeated(200), family.repeated(200)},
        {family.repeated(201), family.repeated(199) + u'…'},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(shownText(row.text), row.shown) << row.text.size();
        LineFile line = LineFile::fromBytes(row.text.toUtf8());
        EXPECT_EQ(line.readLine(), row.shown);
        ItemFile item = ItemFile::fromBytes('"' + row.text.toUtf8() + '"');
        EXPECT_EQ(item.readText(), row.shown);
    }
}

} // namespace
