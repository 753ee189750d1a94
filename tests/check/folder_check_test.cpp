// The report on crafted program folders: each picture's verdict, the texts as read, the verdict.
#include "../config/test_support.h"
#include "folder_check.h"
#include "program_folder.h"

#include <QDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace check;

namespace {

QByteArray bigEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray& type, const QByteArray& data) {
    const QByteArray body = type + data;
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : body) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return bigEndian(static_cast<quint32>(data.size())) + body + bigEndian(~crc);
}

// A PNG header claiming a size, with no pixels behind it.
QByteArray pngClaiming(quint32 width, quint32 height) {
    return QByteArray::fromHex("89504E470D0A1A0A") +
           chunk("IHDR", bigEndian(width) + bigEndian(height) + QByteArray::fromHex("0806000000")) +
           chunk("IDAT", {}) + chunk("IEND", {});
}

QByteArray bundledPicture() {
    QFile file(QStringLiteral(TOLVANO_ASSET_DIR "/imagenes/gato.png"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The report's lines with runs of blanks made one, so that column padding does not matter.
QStringList lines(const FolderReport& report) {
    QStringList result = formatReport(report).split(u'\n');
    for (QString& line : result)
        line = line.simplified();
    return result;
}

TEST(FolderCheck, judgesEveryPictureByTheGamesRulesInItsListingOrder) {
    ProgramFolder folder({"casa.png", "gato.png", "helicopteros.png", "murcielaguito.png",
                          "Sol.png", "sol.png", "camio\u0301n.png", "nube", "ojo", ".oculto.png"});
    folder.write("imagenes/x.png", "no soy un dibujo\n");
    folder.write("imagenes/enorme.png", pngClaiming(30000, 30000));
    folder.write("imagenes/vacio.png", {});
    const QByteArray png = bundledPicture();
    folder.write("imagenes/roto.png", png.left(png.size() / 2));
    QDir(folder.path()).mkdir("imagenes/carpeta.png");
    QFile::link(folder.path() + "/imagenes/nada.png", folder.path() + "/imagenes/enlace.png");

    const PictureRow expected[] = {
        {"camio\u0301n.png", "CAMI\u00d3N", true, "", ""},
        {"casa.png", "CASA", true, "", ""},
        {"enorme.png", "ENORME", false, "too large (30000 x 30000)", ""},
        {"gato.png", "GATO", true, "", ""},
        {"helicopteros.png", "HELICOPTEROS", true, "", ""},
        {"murcielaguito.png", "MURCIELAGUITO", false, "word too long (13 letters)", ""},
        {"nube", "", false, "name too short", ""},
        {"ojo", "", false, "name too short", ""},
        {"roto.png", "ROTO", true, "",
         "damaged: its word is offered but the picture does not show"},
        {"Sol.png", "SOL", true, "", ""},
        {"sol.png", "SOL", true, "", "same word as Sol.png"},
        {"vacio.png", "VACIO", false, "not a picture (empty file)", ""},
        {"x.png", "X", false, "not a picture", ""},
    };
    const FolderReport report = checkFolder(folder.path());
    ASSERT_EQ(report.pictures.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const PictureRow& row = report.pictures[i];
        SCOPED_TRACE(expected[i].file.toStdString());
        EXPECT_EQ(row.file, expected[i].file);
        EXPECT_EQ(row.word, expected[i].word);
        EXPECT_EQ(row.usable, expected[i].usable);
        EXPECT_EQ(row.why, expected[i].why);
        EXPECT_EQ(row.note, expected[i].note);
    }
    EXPECT_EQ(report.usableCount, 7);
    QStringList ignored;
    for (const IgnoredEntry& entry : report.ignored)
        ignored.append(entry.name + " (" + entry.kind + ")");
    EXPECT_EQ(ignored, QStringList({".oculto.png (hidden file)", "carpeta.png (folder)",
                                    "enlace.png (broken link)"}));
}

TEST(FolderCheck, aRoundNeedsSixUsablePicturesEvenIfTwoShareAWord) {
    const struct {
        QStringList pictures;
        QStringList problems;
    } cases[] = {
        {{"casa.png", "sol.png", "pato.png", "luna.png", "gato.png"},
         {"only 5 pictures usable; a round needs 6"}},
        {{"casa.png", "sol.png", "pato.png", "luna.png", "gato.png", "oso.png"}, {}},
        {{"casa.png", "Sol.png", "sol.png", "luna.png", "gato.png", "oso.png"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pictures.join(' ').toStdString());
        ProgramFolder folder(c.pictures);
        const FolderReport report = checkFolder(folder.path());
        EXPECT_EQ(problems(report), c.problems);
        EXPECT_EQ(exitStatus(report), c.problems.isEmpty() ? 0 : 1);
    }
}

TEST(FolderCheck, aNeededFileMissingOrUnreadableIsAProblem) {
    using Spoil = std::function<void(ProgramFolder&)>;
    const auto remove = [](const char* file) { return [=](ProgramFolder& f) { f.remove(file); }; };
    const auto garble = [](const char* file) {
        return [=](ProgramFolder& f) { f.write(file, "RIFF\x10\0\0\0AVI LIST"); };
    };
    const struct {
        Spoil spoil;
        QString problem;
    } cases[] = {
        {remove("configuracion/velocidad.txt"), "configuracion/velocidad.txt is missing"},
        {remove("gifs/4.gif"), "gifs/4.gif is missing"},
        {remove("sonidos/final.wav"), "sonidos/final.wav is missing"},
        {garble("gifs/corre.gif"), "gifs/corre.gif is unreadable"},
        {garble("sonidos/acierto.wav"), "sonidos/acierto.wav is unreadable"},
        {[](ProgramFolder& f) {
             f.remove("configuracion/nivel.txt");
             QDir(f.path()).mkdir("configuracion/nivel.txt");
         },
         "configuracion/nivel.txt is unreadable"},
        {[](ProgramFolder& f) { QDir(f.path() + "/imagenes").removeRecursively(); },
         "the picture folder imagenes is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem.toStdString());
        ProgramFolder folder;
        c.spoil(folder);
        const FolderReport report = checkFolder(folder.path());
        EXPECT_EQ(problems(report), QStringList{c.problem});
        EXPECT_EQ(exitStatus(report), 1);
        EXPECT_TRUE(lines(report).contains("- " + c.problem));
    }
}

// Odd texts are reported, not refused: the game still runs on them.
TEST(FolderCheck, textFilesAreReportedAsTheGameWillShowThem) {
    const struct {
        const char* file;
        std::optional<QByteArray> content; // none: the file is removed
        QStringList expectedLines;
    } cases[] = {
        {"configuracion/velocidad.txt",
         std::nullopt,
         {"configuracion/velocidad.txt: missing",
          "no first item, read as 0: the clock never runs"}},
        {"configuracion/velocidad.txt", "-5\n", {"first item \"-5\": refused, 300 ms used"}},
        {"configuracion/velocidad.txt", "65535", {"first item \"65535\": 65535 ms a step"}},
        {"configuracion/velocidad.txt", "65536", {"first item \"65536\": refused, 300 ms used"}},
        {"configuracion/velocidad.txt",
         "9999999999",
         {"first item \"9999999999\": refused, 300 ms used"}},
        {"configuracion/velocidad.txt", "0 ms", {"first item \"0 ms\": the clock never runs"}},
        {"configuracion/idioma.txt",
         "\"de\"\n\"Jugar\"\n\"Salir\"\n",
         {"3 exit button \"Salir\"", "4 word-list button missing: the game shows item 3 instead",
          "5 hints caption missing: the game shows item 3 instead"}},
        {"configuracion/idioma.txt",
         "\"de\",\"Jugar\",\"Salir\",007,\"Pistas\"",
         {"1 score word \"de\"", "4 word-list button \"7\"", "5 hints caption \"Pistas\""}},
        {"configuracion/idioma.txt",
         "",
         {"1 score word missing: the score shows no word",
          "3 exit button missing: the button shows the level description",
          "4 word-list button missing: the button shows no text"}},
        {"configuracion/nivel.txt",
         "uno\ndos\ntres\ncuatro\n",
         {"level 4 \"cuatro\"", "level 5 missing: line 4 is shown instead",
          "level 6 missing: line 4 is shown instead"}},
        {"configuracion/nivel.txt", "", {"level 1 missing: no description is shown"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedLines.first().toStdString());
        ProgramFolder folder;
        if (c.content)
            folder.write(c.file, *c.content);
        else
            folder.remove(c.file);
        const FolderReport report = checkFolder(folder.path());
        const QStringList shown = lines(report);
        for (const QString& line : c.expectedLines)
            EXPECT_TRUE(shown.contains(line)) << line.toStdString();
        EXPECT_EQ(exitStatus(report), c.content ? 0 : 1);
    }
}

} // namespace
