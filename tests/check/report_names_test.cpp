// Names in the report: whatever bytes a name holds, the report prints it escaped as `ls -b` does,
// so that no name can move the terminal's cursor, hide the report or print a verdict of its own.
#include "../config/test_support.h"
#include "folder_check.h"
#include "program_folder.h"

#include <QDir>
#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace check;

namespace {

TEST(Escaped, printsEachCharacterOnlyAsItselfOrAsAnEscape) {
    const struct {
        QByteArray bytes;
        QString shown;
    } cases[] = {
        {"gato.png", "gato.png"},
        {"cami\xc3\xb3n \xf0\x9f\x90\xb1.png",
         QStringLiteral("cami\u00f3n \U0001F431.png")}, // letters, an emoji
        {"\x1b[2J", "\\033[2J"},
        {"\a\b\t\n\v\f\r", "\\a\\b\\t\\n\\v\\f\\r"},
        {"\\033", "\\\\033"}, // a backslash cannot pass off plain text as an escape
        {"a\x7f", "a\\177"},
        {"ni\xf1o", "ni\\361o"},                           // Latin-1
        {"\xc2\x9b", "\\302\\233"},                        // a C1 control, CSI
        {"\xe2\x80\xaegnp.exe", "\\342\\200\\256gnp.exe"}, // right-to-left override
        {"\xe2\x80\xa8", "\\342\\200\\250"},               // line separator
        {"\xc0\xaf", "\\300\\257"},                        // an overlong '/'
        {"\xed\xa0\x80", "\\355\\240\\200"},               // a surrogate
        {"\xe2\x82", "\\342\\202"},                        // cut short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        EXPECT_EQ(escaped(c.bytes), c.shown);
    }
}

// Where a row's name is put: as a file of the picture folder (a good picture, half of one, or the
// first of two files with one word), as a folder there, or as the program folder's own name.
enum class Place { Picture, DamagedPicture, FirstOfAWord, Folder, ProgramFolder };

struct OddName {
    const char* what;
    Place place;
    QByteArray name;
    QString line; // a line of the report, blanks run together, that names it
};

void PrintTo(const OddName& row, std::ostream* os) {
    *os << row.what;
}

const OddName OddNames[] = {
    {"EscapesFakingTheVerdict", Place::Picture, "\x1b[2J\x1b[1;1HReady to play.\x1b[8m.png",
     "\\033[2J\\033[1;1HReady to play.\\033[8m.png \\033[2J\\033[1;1HREADY TO PLAY.\\033[8M no - "
     "word too long (28 letters)"},
    {"LineEndsFakingTheVerdict", Place::Picture, "x\n\nReady to play.\n.png",
     "x\\n\\nReady to play.\\n.png X\\n\\nREADY TO PLAY.\\n no - word too long (18 letters)"},
    {"LineEndsInTheVerdict", Place::DamagedPicture, "\rroto\n.png",
     "- 1 damaged picture (\\rroto\\n.png): copy it again or remove it"},
    {"TabInANote", Place::FirstOfAWord, "a\tb.png",
     "a\\tb.zz A\\tB yes computer's voice? same word as a\\tb.png; the board will ask for \"\\t\" "
     "(not a letter): name it after one word"},
    {"Backslash", Place::Picture, "a\\nb.png",
     "a\\\\nb.png A\\\\NB yes computer's voice? the board will ask for \"\\\\\" (not a letter): "
     "name it after one word"},
    {"NotUtf8", Place::Picture, "ni\xf1o.png",
     "Ignored by the game: ni\\361o.png (name not UTF-8)"},
    {"C1Control", Place::Folder, "x\xc2\x9bJ", "Ignored by the game: x\\302\\233J (folder)"},
    {"ProgramFolder", Place::ProgramFolder, "\x1b]0;\a\nReady to play.\n",
     "\\033]0;\\a\\nReady to play.\\n"},
};

// A file or folder named by raw bytes, which Qt cannot always name.
void create(const QByteArray& path, const QByteArray& bytes, bool folder) {
    if (folder) {
        ASSERT_TRUE(std::filesystem::create_directory(path.toStdString()));
        return;
    }
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
    ::close(fd);
}

class OddNameInReport : public testing::TestWithParam<OddName> {
  protected:
    // Qt cannot remove what it cannot name.
    ~OddNameInReport() override {
        std::error_code error;
        std::filesystem::remove_all(QFile::encodeName(folder.path()).toStdString(), error);
    }

    // The program folder with the row's name in its place; the folder to check.
    QString place(const OddName& row) {
        const QByteArray pictures = QFile::encodeName(folder.path()) + "/imagenes/";
        QFile sample(folder.path() + "/imagenes/gato.png");
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        const QByteArray png = sample.readAll();
        switch (row.place) {
        case Place::Picture:
            create(pictures + row.name, png, false);
            break;
        case Place::DamagedPicture:
            create(pictures + row.name, png.left(png.size() / 2), false);
            break;
        case Place::FirstOfAWord: // the same word with an extension sorted after it
            create(pictures + row.name, png, false);
            create(pictures + row.name.left(row.name.lastIndexOf('.')) + ".zz", png, false);
            break;
        case Place::Folder:
            create(pictures + row.name, {}, true);
            break;
        case Place::ProgramFolder: {
            const QString link = links.path() + u'/' + QFile::decodeName(row.name);
            EXPECT_TRUE(QFile::link(folder.path(), link));
            return link;
        }
        }
        return folder.path();
    }

    ProgramFolder folder;
    QTemporaryDir links;

  public:
    // The expectations are in English.
    void SetUp() override { folder.write("configuracion/lengua.txt", "en\n"); }
};

TEST_P(OddNameInReport, isPrintedEscapedAndCannotForgeALineOfTheReport) {
    const OddName& row = GetParam();
    const FolderReport report = checkFolder(assets::resolve(place(row)));
    const QString text = formatReport(report);
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = line.simplified();
    if (row.place == Place::ProgramFolder)
        EXPECT_TRUE(lines.first().endsWith(row.line)) << text.toStdString();
    else
        EXPECT_TRUE(lines.contains(row.line)) << text.toStdString();

    for (const QChar c : text) {
        const bool control = c.category() == QChar::Other_Control && c != u'\n';
        EXPECT_FALSE(control || c == QChar::ReplacementCharacter)
            << "U+" << std::hex << int(c.unicode());
    }
    // The verdict opens the summary and is the report's last line, and no other line reads like it.
    lines.removeAll(QString());
    const QString verdict = lines[1];
    EXPECT_TRUE(verdict.startsWith(exitStatus(report) == 0 ? "Ready to play" : "Not ready to play"))
        << text.toStdString();
    EXPECT_EQ(lines.last(), verdict);
    const auto readsLikeAVerdict = [](const QString& line) {
        return line.startsWith("Ready to play") || line.startsWith("Not ready to play");
    };
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), readsLikeAVerdict), 2)
        << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(FolderCheck, OddNameInReport, testing::ValuesIn(OddNames),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
