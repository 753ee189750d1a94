// The program as a teacher runs it: its PDF as poppler reads it (the text, the embedded pictures),
// and every mistake refused with its reason, status 2 and no file left.
#include "asset_paths.h"
#include "hostile_media.h"
#include "picture_loader.h"
#include "sheet_set.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

const QString Bundled = QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/imagenes");

struct Ran {
    int exitCode = -1;
    QString out;
    QString errors;
};

Ran run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Ran makeSheets(const QStringList& arguments) {
    return run(QStringLiteral(TOLVANO_SHEETS_PROGRAM), arguments);
}

QStringList tokens(const QString& line) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return line.split(space, Qt::SkipEmptyParts);
}

// A page as pdftotext -layout reads it: the board's letters row by row, and the words between the
// board and the sheet's number at the foot.
struct ReadPage {
    QStringList letters;
    QStringList wordsBelow;
};

ReadPage readPage(const QString& pdf, int page) {
    const QString number = QString::number(page);
    QStringList lines =
        run(QStringLiteral("pdftotext"), {"-layout", "-f", number, "-l", number, pdf, "-"})
            .out.split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    ReadPage read;
    qsizetype lastRow = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList cells = tokens(lines[i]);
        if (cells.size() == BoardSide &&
            std::all_of(cells.begin(), cells.end(),
                        [](const QString& c) { return c.size() == 1; })) {
            read.letters += cells;
            lastRow = i;
        }
    }
    for (qsizetype i = lastRow + 1; i + 1 < lines.size(); ++i)
        read.wordsBelow += tokens(lines[i]);
    return read;
}

TEST(Program, aSheetReadsAsItsBoardAndItsAnswerPageAsItsWords) {
    const QTemporaryDir work;
    const QString pdf = work.filePath(QStringLiteral("sheet.pdf"));
    const Ran made = makeSheets(
        {"--level", "4", "--seed", "99", "--lower", "--words", "--folder", Bundled, pdf});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    // The same seed and folder in this process give the set the program printed.
    const sheets::MadeSet set = sheets::makeSheetSet({{Bundled}, 4, 1, 99, true, {}});
    ASSERT_TRUE(set.set);
    const sheets::Sheet& sheet = set.set->sheets.at(0);
    const QStringList letters(sheet.letters.begin(), sheet.letters.end());
    const QStringList words(sheet.words.begin(), sheet.words.end());
    const ReadPage front = readPage(pdf, 1);
    const ReadPage answers = readPage(pdf, 2);
    EXPECT_EQ(front.letters, letters);
    EXPECT_EQ(front.wordsBelow, words); // --words: each under its picture
    EXPECT_EQ(answers.letters, letters);
    EXPECT_EQ(answers.wordsBelow, words);
}

TEST(Program, plainPrintsTheBoardWithoutAccentsAndTheWordsAsWritten) {
    const QTemporaryDir work;
    const QString pdf = work.filePath(QStringLiteral("plain.pdf"));
    const Ran made =
        makeSheets({"--count", "8", "--seed", "5", "--plain", "--words", "--folder", Bundled, pdf});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    sheets::SheetRequest request{{Bundled}, 1, 8, 5, false, {}};
    request.letters = {QStringLiteral("es"), LetterStyle::Plain};
    const sheets::MadeSet set = sheets::makeSheetSet(request);
    ASSERT_TRUE(set.set);
    bool accented = false;
    for (int n = 0; n < 8; ++n) {
        const sheets::Sheet& sheet = set.set->sheets.at(static_cast<std::size_t>(n));
        const QStringList letters(sheet.letters.begin(), sheet.letters.end());
        const QStringList words(sheet.words.begin(), sheet.words.end());
        EXPECT_EQ(readPage(pdf, n + 1).letters, letters) << "sheet " << n + 1;
        EXPECT_EQ(readPage(pdf, n + 9).wordsBelow, words) << "answers " << n + 1;
        for (const QString& letter : letters)
            EXPECT_TRUE(letter == u"Ñ" || (letter >= u"A" && letter <= u"Z"))
                << letter.toStdString();
        accented = accented || words.join(QString()).contains(QRegularExpression("[ÁÉÍÓÚÜ]"));
    }
    EXPECT_TRUE(accented) << "no sheet had a word with an accent to leave out";
}

TEST(Program, picturesAreEmbeddedAtNoMoreThan300DpiOfTheirPrintedSize) {
    const QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("fotos")));
    int hue = 0;
    for (const char* word : {"playa", "bosque", "ciudad", "puente", "jardin", "campo"}) {
        QImage photo(2400, 1800, QImage::Format_RGB32);
        photo.fill(QColor::fromHsv(hue += 55, 160, 220));
        ASSERT_TRUE(photo.save(work.filePath(QStringLiteral("fotos/%1.jpg").arg(word))));
    }
    const QString pdf = work.filePath(QStringLiteral("sheets.pdf"));
    const Ran made = makeSheets({"--count", "2", "--folder", work.filePath("fotos"), pdf});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();

    const std::optional<QSize> level = pictureSize(QStringLiteral(TOLVANO_ASSET_DIR "/gifs/1.gif"));
    ASSERT_TRUE(level);
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    QStringList lines = run(QStringLiteral("pdfimages"), {"-list", pdf}).out.split('\n');
    ASSERT_GT(lines.size(), 2);
    std::map<int, std::vector<QString>> picturesOnPage; // by object
    for (const QString& line : lines.mid(2)) {
        const QStringList column = tokens(line);
        if (column.size() < 14 || column[2] != u"image") continue; // transparency masks aside
        const QSize size(column[3].toInt(), column[4].toInt());
        if (size == *level) continue;
        picturesOnPage[column[0].toInt()].push_back(column[10]);
        SCOPED_TRACE(line.toStdString());
        EXPECT_LT(size.width(), 2400);
        for (const QString& ppi : {column[12], column[13]}) {
            EXPECT_LE(ppi.toInt(), 300);
            EXPECT_GE(ppi.toInt(), 250); // decoded for the print, not for a screen
        }
    }
    ASSERT_EQ(picturesOnPage.size(), 2u); // the sheets; the answer pages show none
    for (const auto& [page, objects] : picturesOnPage) {
        EXPECT_EQ(objects.size(), 6u) << "page " << page;
        EXPECT_EQ(std::set<QString>(objects.begin(), objects.end()).size(), 6u) << "page " << page;
    }
}

// Files cut short in copying pass the game's header test and then fail to decode: the game shows
// nothing in their place, and so does a sheet, with nothing said on the terminal (libpng would
// print its complaint there itself).
TEST(Program, picturesCutShortAreLeftOutInSilence) {
    const QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("cut")));
    for (const char* word : {"abeja", "barco", "casa", "gato", "luna", "sol"}) {
        QFile whole(Bundled + QStringLiteral("/%1.png").arg(word));
        QFile cut(work.filePath(QStringLiteral("cut/%1.png").arg(word)));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(whole.size() / 2));
    }
    const QString pdf = work.filePath(QStringLiteral("sheet.pdf"));
    const Ran made = makeSheets({"--folder", work.filePath("cut"), pdf});
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_EQ(made.errors.toStdString(), "");
    EXPECT_EQ(readPage(pdf, 1).letters.size(), BoardCells);
}

TEST(Program, eachMistakeSaysWhyExitsWithTwoAndLeavesNoFile) {
    const QTemporaryDir work;
    QDir folder(work.path());
    ASSERT_TRUE(folder.mkdir(QStringLiteral("junk")) && folder.mkdir(QStringLiteral("five")));
    // No picture the game would show: a note, and pictures beyond the loader's pixel budget.
    const auto write = [&](const QString& relative, const QByteArray& bytes) {
        QFile file(work.filePath(relative));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(write(QStringLiteral("junk/notas.txt"), "hola"));
    for (const char* word : {"uno", "dos", "tres", "cuatro", "cinco", "seis"})
        ASSERT_TRUE(
            write(QStringLiteral("junk/%1.gif").arg(word), hostile::gifClaiming(9000, 9000, 1)));
    for (const char* word : {"abeja", "barco", "casa", "gato", "luna"})
        ASSERT_TRUE(QFile::copy(Bundled + QStringLiteral("/%1.png").arg(word),
                                work.filePath(QStringLiteral("five/%1.png").arg(word))));
    const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString out = work.filePath(QStringLiteral("out.pdf"));
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"--folder", work.filePath("junk"), out}, "no usable picture in " + work.filePath("junk")},
        {{"--folder", work.filePath("five"), out}, "only 5 usable pictures in"},
        {{"--folder", work.filePath("none"), out}, work.filePath("none") + " is not a folder"},
        {{"--level", "7", out}, "the level must be 1 to 6, not 7"},
        {{"--count", "0", out}, "the number of sheets must be 1 to 500, not 0"},
        {{"--count", "501", out}, "the number of sheets must be 1 to 500, not 501"},
        {{"--paper", "a3", out}, "--paper does not take a3"},
        {{"--colour", out}, "unknown option --colour"},
        {{"--seed", "7"}, "no output file given"},
        {{work.filePath("missing/out.pdf")}, "cannot write " + work.filePath("missing/out.pdf")},
        {{"/proc/out.pdf"}, "cannot write /proc/out.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Ran made = makeSheets(c.arguments);
        EXPECT_EQ(made.exitCode, 2);
        EXPECT_TRUE(made.errors.startsWith("tolvano-sheets: ") && made.errors.contains(c.message) &&
                    made.errors.count('\n') == 1)
            << made.errors.toStdString();
        EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/out.pdf")));
}

// What a path is, through any link, and the hash of a regular file's bytes; a FIFO or a device is
// never opened.
std::string fingerprint(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return "none";
    if (S_ISLNK(status.st_mode)) {
        const QString target = QFile::symLinkTarget(path);
        return "link to " + target.toStdString() + ", " + fingerprint(target);
    }
    QString what = QStringLiteral("mode %1").arg(status.st_mode, 0, 8);
    if (QFile file(path); S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly))
        what += QString::fromLatin1(
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
    return what.toStdString();
}

// Every name under the folders, hidden ones too: a file left beside the output shows here.
std::string namesUnder(const QStringList& folders) {
    QStringList names;
    for (const QString& folder : folders) {
        QDirIterator entries(folder,
                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext())
            names += entries.next();
    }
    names.sort();
    return names.join('\n').toStdString();
}

// A work folder with a picture folder, fotos/, of seven pictures: one may be lost to a fault, and
// six still make sheets.
class ProgramOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("fotos")));
        for (const char* word : {"abeja", "barco", "casa", "gato", "luna", "sol", "perro"})
            ASSERT_TRUE(QFile::copy(Bundled + QStringLiteral("/%1.png").arg(word),
                                    at(QStringLiteral("fotos/%1.png").arg(word))));
    }
    QString at(const QString& relative) const { return work.filePath(relative); }

    const QTemporaryDir work;
};

// A teacher's slip of tab completion: a picture, a text, a folder, a FIFO named as the output.
TEST_F(ProgramOutput, anythingButANewFileOrAnEarlierPdfIsRefusedAndLeftAsItWas) {
    const QString fotos = at("fotos");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/configuracion/nivel.txt"),
                            at("nivel.txt")));
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("hojas.pdf")));
    ASSERT_TRUE(QFile::copy(at("fotos/gato.png"), at("foto.pdf")));
    ASSERT_TRUE(QFile::link(at("fotos/gato.png"), at("enlace.pdf")));
    ASSERT_TRUE(QFile::link(at("nada.pdf"), at("roto.pdf"))); // would be created through the link
    ASSERT_TRUE(QFile::link(fotos, at("enlace-fotos")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("tubo.pdf")).constData(), 0644), 0);
    const QString gamePictures =
        assets::resolve(QFileInfo(QStringLiteral(TOLVANO_SHEETS_PROGRAM)).absolutePath())
            .pictureFolder();
    // A fault would leave its sheets among the game's pictures for every later run.
    const auto clean = qScopeGuard([&] { QFile::remove(gamePictures + "/hoja.pdf"); });
    const struct {
        QString out;
        QString why;
        bool withFolder = true;
    } cases[] = {
        {at("fotos/perro.png"), "the output's name must end in .pdf"},
        {at("nivel.txt"), "the output's name must end in .pdf"},
        {at("hojas.pdf"), "it is a folder"},
        {at("foto.pdf"), "it is not a PDF file"},
        {at("enlace.pdf"), "it is a symbolic link"},
        {at("roto.pdf"), "it is a symbolic link"},
        // A FIFO stands for every device: /dev/null itself, were it refused no longer, would be
        // replaced for the whole machine when the tests run as root.
        {at("tubo.pdf"), "it is not a regular file"},
        {at("fotos/hoja.pdf"), "inside the picture folder " + fotos},
        {at("fotos/./hoja.pdf"), "inside the picture folder " + fotos},
        {at("enlace-fotos/hoja.pdf"), "inside the picture folder " + fotos},
        {gamePictures + "/hoja.pdf", "inside the picture folder " + gamePictures, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out.toStdString());
        const std::string before = fingerprint(c.out);
        const std::string namesBefore = namesUnder({work.path(), gamePictures});
        const Ran made =
            makeSheets(c.withFolder ? QStringList{"--folder", fotos, c.out} : QStringList{c.out});
        EXPECT_EQ(made.exitCode, 2);
        EXPECT_TRUE(made.errors.startsWith("tolvano-sheets: ") && made.errors.contains(c.out) &&
                    made.errors.contains(c.why) && made.errors.count('\n') == 1)
            << made.errors.toStdString();
        EXPECT_EQ(fingerprint(c.out), before);
        EXPECT_EQ(namesUnder({work.path(), gamePictures}), namesBefore);
    }
    EXPECT_EQ(fingerprint(at("nada.pdf")), "none");
}

TEST_F(ProgramOutput, anEarlierPdfIsReplacedWhateverTheCaseOfItsName) {
    for (const char* name : {"clase.pdf", "CLASE.PDF"}) {
        const QString out = at(name);
        SCOPED_TRACE(name);
        for (const char* seed : {"1", "2"}) { // the second replaces the first
            const std::string before = fingerprint(out);
            const Ran made = makeSheets({"--seed", seed, "--folder", at("fotos"), out});
            EXPECT_EQ(made.exitCode, 0) << made.errors.toStdString();
            EXPECT_NE(fingerprint(out), before);
            QFile written(out);
            EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.read(4) == "%PDF");
        }
    }
    QStringList files = QDir(work.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.sort();
    EXPECT_EQ(files, QStringList({"CLASE.PDF", "clase.pdf"}));
}

} // namespace
