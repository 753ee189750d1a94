// The report on crafted program folders: each picture's verdict, each broken file with its reason,
// the texts as read, the verdict.
#include "../config/test_support.h"
#include "decoding.h"
#include "folder_check.h"
#include "hostile_media.h"
#include "program_folder.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace check;

namespace {

QByteArray bigEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndian(quint32 value, int size) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes.left(size);
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

QByteArray fileIn(const ProgramFolder& folder, const QString& relative) {
    QFile file(folder.path() + u'/' + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The folder's sample picture saved in another format.
QByteArray sampleAs(const ProgramFolder& folder, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage::fromData(fileIn(folder, QStringLiteral("imagenes/gato.png"))).save(&buffer, format);
    return bytes;
}

// The opening box of an ISO media file (a phone's HEIC or AVIF photo) naming the given brands.
QByteArray isoMedia(const QByteArray& major, const QByteArray& compatible) {
    const QByteArray box = "ftyp" + major + QByteArray(4, '\0') + compatible;
    return bigEndian(static_cast<quint32>(4 + box.size())) + box + QByteArray(200, '\x5a');
}

// A 1 x 1 GIF of two colours, one frame per block of LZW data.
QByteArray gif(const QByteArrayList& frames, bool trailer = true) {
    QByteArray bytes = "GIF89a" + QByteArray::fromHex("01000100800000ffffff000000");
    for (const QByteArray& data : frames) {
        bytes += QByteArray::fromHex("21f904000a000000"); // a tenth of a second each
        bytes += QByteArray::fromHex("2c0000000001000100"
                                     "00"
                                     "02") +
                 char(data.size()) + data;
        bytes += '\0';
    }
    return trailer ? bytes + ';' : bytes;
}
const QByteArray Pixel = QByteArray::fromHex("4401"); // clear, colour 0, end

// A mono 8 kHz WAV whose header promises some bytes of sound and holds others.
QByteArray wav(quint16 encoding, quint16 bits, quint32 promised, int held) {
    const QByteArray fmt = littleEndian(encoding, 2) + littleEndian(1, 2) + littleEndian(8000, 4) +
                           littleEndian(8000u * bits / 8, 4) + littleEndian(bits / 8, 2) +
                           littleEndian(bits, 2);
    const QByteArray body = "WAVEfmt " + littleEndian(16, 4) + fmt + "data" +
                            littleEndian(promised, 4) + QByteArray(held, '\x40');
    return "RIFF" + littleEndian(static_cast<quint32>(body.size()), 4) + body;
}

// A program folder whose set says it is English: the expectations below are written in English, and
// the Spanish report has a test of its own.
class EnglishFolder : public ProgramFolder {
  public:
    EnglishFolder() { english(); }
    explicit EnglishFolder(const QStringList& pictures) : ProgramFolder(pictures) { english(); }

  private:
    void english() const { write("configuracion/lengua.txt", "en\n"); }
};

// The report's lines with runs of blanks made one, so that column padding does not matter.
QStringList lines(const FolderReport& report) {
    QStringList result = formatReport(report).split(u'\n');
    for (QString& line : result)
        line = line.simplified();
    return result;
}

TEST(FolderCheck, judgesEveryPictureByTheGamesRulesInItsListingOrder) {
    EnglishFolder folder({"casa.png", "gato.png", "helicopteros.png", "murcielaguito.png",
                          "Sol.png", "sol.png", "camio\u0301n.png", ".oculto.png"});
    folder.write("imagenes/x.png", "no soy un dibujo\n");
    folder.write("imagenes/enorme.png", pngClaiming(30000, 30000));
    folder.write("imagenes/vacio.png", {});
    folder.write("imagenes/tren.bmp", sampleAs(folder, "bmp"));
    folder.write("imagenes/tren.webp", sampleAs(folder, "webp"));
    // A theme's pictures are rows of their own; an empty folder is passed over.
    QDir(folder.path()).mkpath("imagenes/animales");
    folder.write("imagenes/animales/oso.bmp", sampleAs(folder, "bmp"));
    QDir(folder.path()).mkdir("imagenes/carpeta.png");
    QFile::link(folder.path() + "/imagenes/nada.png", folder.path() + "/imagenes/enlace.png");

    const PictureRow expected[] = {
        {"animales/oso.bmp", "OSO", true, false, "", ""},
        {"camio\u0301n.png", "CAMI\u00d3N", true, false, "", ""},
        {"casa.png", "CASA", true, false, "", ""},
        {"enorme.png", "ENORME", false, false, "too large: 30,000 x 30,000", ""},
        {"gato.png", "GATO", true, false, "", ""},
        {"helicopteros.png", "HELICOPTEROS", true, false, "", ""},
        {"murcielaguito.png", "MURCIELAGUITO", false, false, "word too long (13 letters)", ""},
        {"Sol.png", "SOL", true, false, "", ""},
        {"sol.png", "SOL", true, false, "", "same word as Sol.png"},
        {"tren.bmp", "TREN", true, false, "", ""},
        {"tren.webp", "TREN", true, false, "", "same word as tren.bmp"},
        {"vacio.png", "VACIO", false, false, "not a picture (empty file)", ""},
        {"x.png", "X", false, false, "not a picture", ""},
    };
    const FolderReport report = checkFolder(assets::resolve(folder.path()));
    ASSERT_EQ(report.pictures.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const PictureRow& row = report.pictures[i];
        SCOPED_TRACE(expected[i].file.toStdString());
        EXPECT_EQ(row.file, expected[i].file);
        EXPECT_EQ(row.word, expected[i].word);
        EXPECT_EQ(row.usable, expected[i].usable);
        EXPECT_EQ(row.damaged, expected[i].damaged);
        EXPECT_EQ(row.why, expected[i].why);
        EXPECT_EQ(row.note, expected[i].note);
    }
    EXPECT_EQ(report.usableCount, 9);
    QStringList ignored;
    for (const IgnoredEntry& entry : report.ignored)
        ignored.append(escaped(entry.name) + " (" + entry.kind + ")");
    EXPECT_EQ(ignored, QStringList({".oculto.png (hidden file)", "carpeta.png (folder)",
                                    "enlace.png (broken link)"}));
}

TEST(FolderCheck, aRoundNeedsSixUsablePicturesEvenIfTwoShareAWord) {
    const struct {
        QStringList pictures;
        QStringList problems;
    } cases[] = {
        {{"casa.png", "sol.png", "pato.png", "luna.png", "gato.png"},
         {"only 5 pictures usable; a round needs 6: add pictures to imagenes"}},
        {{"casa.png", "sol.png", "pato.png", "luna.png", "gato.png", "oso.png"}, {}},
        {{"casa.png", "Sol.png", "sol.png", "luna.png", "gato.png", "oso.png"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pictures.join(' ').toStdString());
        EnglishFolder folder(c.pictures);
        const FolderReport report = checkFolder(assets::resolve(folder.path()));
        EXPECT_EQ(problems(report), c.problems);
        EXPECT_EQ(exitStatus(report), c.problems.isEmpty() ? 0 : 1);
    }
}

// One file of a good program folder spoilt: the line the teacher reads about it, and what the
// verdict lists (nothing for a catch the game copes with).
struct Spoilt {
    const char* name;
    std::function<void(const ProgramFolder&)> spoil;
    QString line;
    QStringList problems;
};

void PrintTo(const Spoilt& spoilt, std::ostream* os) {
    *os << spoilt.name;
}

std::function<void(const ProgramFolder&)> put(const char* file, const QByteArray& bytes) {
    return [=](const ProgramFolder& f) { f.write(file, bytes); };
}
// The sample picture in the given format, cut short as a copy that did not finish.
std::function<void(const ProgramFolder&)> cutPicture(const char* file, const char* format) {
    return [=](const ProgramFolder& f) {
        const QByteArray whole = sampleAs(f, format);
        f.write(file, whole.left(whole.size() / 2));
    };
}
std::function<void(const ProgramFolder&)> cutFile(const char* file, int keep) {
    return [=](const ProgramFolder& f) { f.write(file, fileIn(f, file).left(keep)); };
}
std::function<void(const ProgramFolder&)> sample(const char* file) {
    return [=](const ProgramFolder& f) { f.write(file, fileIn(f, "imagenes/gato.png")); };
}
std::function<void(const ProgramFolder&)> removeFile(const char* file) {
    return [=](const ProgramFolder& f) { f.remove(file); };
}
// Opening a FIFO for reading waits for a writer: the check must not.
std::function<void(const ProgramFolder&)> fifo(const char* file) {
    return [=](const ProgramFolder& f) {
        f.remove(file);
        ::mkfifo(QFile::encodeName(f.path() + u'/' + file).constData(), 0600);
    };
}

QStringList damagedPicture(const char* file) {
    return {QStringLiteral("1 damaged picture (%1): copy it again or remove it").arg(file)};
}

const Spoilt SpoiltFiles[] = {
    {"CutShortPng", cutPicture("imagenes/roto.png", "png"),
     "roto.png ROTO no - the file is cut short or damaged: copy it again (libpng error: Read "
     "Error)",
     damagedPicture("roto.png")},
    {"CutShortJpeg", cutPicture("imagenes/cortada.jpg", "jpg"),
     "cortada.jpg CORTADA no - the file is cut short or damaged: copy it again (Corrupt JPEG data: "
     "premature end of data segment)",
     damagedPicture("cortada.jpg")},
    {"CutShortBmp", cutPicture("imagenes/corta.bmp", "bmp"),
     "corta.bmp CORTA no - the file is cut short: copy it again", damagedPicture("corta.bmp")},
    {"CutShortGif", put("imagenes/corta.gif", gif({Pixel}, false).chopped(2)),
     "corta.gif CORTA no - the file is cut short: copy it again", damagedPicture("corta.gif")},
    {"CutShortWebp", cutPicture("imagenes/corta.webp", "webp"),
     "corta.webp CORTA no - the file is cut short or damaged: copy it again",
     damagedPicture("corta.webp")},
    {"PngWithAHarmlessNote",
     [](const ProgramFolder& f) {
         const QByteArray png = fileIn(f, "imagenes/gato.png");
         const qsizetype idat = png.indexOf("IDAT") - 4;
         QByteArray text = chunk("tEXt", QByteArray("Comment\0x", 9));
         text[text.size() - 1] ^= 1; // a wrong checksum on a comment, which libpng only notes
         f.write("imagenes/nota.png", png.left(idat) + text + png.mid(idat));
     },
     "nota.png NOTA yes computer's voice?",
     {}},
    {"HeicPhoto",
     put("imagenes/foto.heic", isoMedia("heic", "mif1heic")),
     "foto.heic FOTO no - HEIC photo, which the game cannot show: convert it to JPEG or PNG",
     {}},
    {"AvifPhoto",
     put("imagenes/foto.avif", isoMedia("avif", "avifmif1miaf")),
     "foto.avif FOTO no - AVIF photo, which the game cannot show: convert it to JPEG or PNG",
     {}},
    {"DigitInName",
     sample("imagenes/pez2.png"),
     "pez2.png PEZ2 yes computer's voice? the board will ask for \"2\" (not a letter): rename it "
     "(not pez.png: PEZ is another picture's word)",
     {}},
    {"BlankInName",
     sample("imagenes/luna llena.png"),
     "luna llena.png LUNA LLENA yes computer's voice? a blank is a cell too: name it after one "
     "word",
     {}},
    {"DashInName",
     sample("imagenes/t-shirt.png"),
     "t-shirt.png T-SHIRT yes computer's voice? the board will ask for \"-\" (not a letter): name "
     "it "
     "after one word",
     {}},
    {"SeveralNonLetters",
     sample("imagenes/12 uvas.png"),
     "12 uvas.png 12 UVAS yes computer's voice? the board will ask for \"1\", \"2\" and a blank "
     "(not "
     "letters): rename it uvas.png",
     {}},
    {"GifFrameThatDoesNotDecode",
     put("gifs/corre.gif", gif({Pixel, "\xff\xff\xff", Pixel})),
     "gifs/corre.gif damaged (frame 2)",
     {"gifs/corre.gif is damaged (frame 2): copy it again from the game's own files"}},
    {"GifCutInAFrame",
     put("gifs/acierto.gif", gif({Pixel, Pixel}, false).chopped(3)),
     "gifs/acierto.gif damaged (frame 2)",
     {"gifs/acierto.gif is damaged (frame 2): copy it again from the game's own files"}},
    {"GifCutAfterAFrame",
     put("gifs/1.gif", gif({Pixel, Pixel}, false)),
     "gifs/1.gif damaged (cut short after frame 2)",
     {"gifs/1.gif is damaged (cut short after frame 2): copy it again from the game's own files"}},
    {"JpegOfTooManyScans",
     put("imagenes/escaneos.jpg", hostile::jpegOfScans(2000)),
     "escaneos.jpg ESCANEOS no - too many scans (2,000; at most 100)",
     {}},
    {"RecordingThatIsMp3",
     put("voces/sol.wav", "ID3\x04" + QByteArray(60, '\0')),
     "sol.png SOL yes not playable recording not playable: an MP3 file, not a WAV (save it as a "
     "WAV "
     "file)",
     {}},
    {"PictureWithoutRecording",
     removeFile("voces/sol.wav"),
     "Words without a recording are said by the computer's voice, where it has one.",
     {}},
    {"PictureWithoutRecordingAndNoComputerVoice",
     put("configuracion/voz.txt", "grabaciones"),
     "sol.png SOL yes silent",
     {}},
    {"ProgressiveJpegTooLargeToDecode",
     put("imagenes/foto.jpg", hostile::jpegClaiming(7000, 7000, true)),
     "foto.jpg FOTO no - too large to decode progressively (280.4 MB; at most 72 MB)",
     {}},
    {"PngOfSixteenBitsTooLarge",
     put("imagenes/grande.png", hostile::pngClaiming(7000, 7000, 16)),
     "grande.png GRANDE no - too large: 7,000 x 7,000 at 16 bits a colour (373.8 MB to decode; "
     "at most 128 MB)",
     {}},
    {"RleBmpTooLarge",
     put("imagenes/grande.bmp", hostile::rleBmpClaiming(7000, 7000)),
     "grande.bmp GRANDE no - too large: 7,000 x 7,000 (186.9 MB to decode; at most 128 MB)",
     {}},
    {"WebpCanvasTooLarge",
     put("imagenes/grande.webp", hostile::animatedWebp(16001, 16001, 2)),
     "grande.webp GRANDE no - too large: a canvas of 16,001 x 16,001 (976.7 MB to decode; at "
     "most 128 MB)",
     {}},
    {"TopDownBmp",
     [](const ProgramFolder& f) {
         f.write("imagenes/abajo.bmp", hostile::topDownBmp(hostile::noisyPicture(40, 30)));
     },
     "abajo.bmp ABAJO yes computer's voice?",
     {}},
    {"GifThatIsAPngFullOfText",
     put("gifs/corre.gif", hostile::pngOfThousandTexts()),
     "gifs/corre.gif ok",
     {}},
    {"GifOfTooManyPixels",
     put("gifs/corre.gif", hostile::gifClaiming(5000, 5000, 12)),
     "gifs/corre.gif too large: 5,000 x 5,000 x 12 frames",
     {"gifs/corre.gif is too large: 5,000 x 5,000 x 12 frames: copy it again from the game's own "
      "files"}},
    {"GifThatIsAFifo",
     fifo("gifs/2.gif"),
     "gifs/2.gif unreadable (not a regular file)",
     {"gifs/2.gif is unreadable (not a regular file): copy it again from the game's own files"}},
    {"GifThatIsNoPicture",
     put("gifs/corre.gif", QByteArray("RIFF\x10\0\0\0AVI LIST", 16)),
     "gifs/corre.gif unreadable",
     {"gifs/corre.gif is unreadable: copy it again from the game's own files"}},
    {"LevelGifMissing",
     removeFile("gifs/4.gif"),
     "gifs/4.gif missing",
     {"gifs/4.gif is missing: copy it again from the game's own files"}},
    {"SoundCutInItsHeader",
     cutFile("sonidos/acierto.wav", 30),
     "sonidos/acierto.wav not playable: the header is cut short (30 bytes)",
     {"sonidos/acierto.wav is not playable: the header is cut short (30 bytes): copy it again from "
      "the game's own files"}},
    {"SoundThatIsMp3",
     put("sonidos/error.wav", "ID3\x04" + QByteArray(60, '\0')),
     "sonidos/error.wav not playable: an MP3 file, not a WAV",
     {"sonidos/error.wav is not playable: an MP3 file, not a WAV: copy it again from the game's "
      "own files"}},
    {"SoundInFloatingPoint",
     put("sonidos/final.wav", wav(3, 32, 800, 800)),
     "sonidos/final.wav not playable: floating-point sound; the game plays only 8- or 16-bit PCM "
     "WAV",
     {"sonidos/final.wav is not playable: floating-point sound; the game plays only 8- or 16-bit "
      "PCM WAV: copy it again from the game's own files"}},
    {"SoundCutShort",
     put("sonidos/final.wav", wav(1, 16, 1000, 100)),
     "sonidos/final.wav not playable: cut short: the header promises 1000 bytes of sound, the "
     "file holds 100",
     {"sonidos/final.wav is not playable: cut short: the header promises 1000 bytes of sound, "
      "the file holds 100: copy it again from the game's own files"}},
    {"SoundThatIsNoWav",
     put("sonidos/acierto.wav", QByteArray("RIFF\x10\0\0\0AVI LIST", 16)),
     "sonidos/acierto.wav not playable: not a WAV file",
     {"sonidos/acierto.wav is not playable: not a WAV file: copy it again from the game's own "
      "files"}},
    {"SoundMissing",
     removeFile("sonidos/final.wav"),
     "sonidos/final.wav missing",
     {"sonidos/final.wav is missing: copy it again from the game's own files"}},
    {"LostRoundSoundMissing",
     removeFile("sonidos/perdida.wav"),
     "sonidos/perdida.wav missing",
     {"sonidos/perdida.wav is missing: copy it again from the game's own files"}},
    {"LanguageFileShort",
     put("configuracion/idioma.txt", "\"de\"\n\"Jugar\"\n\"Salir\"\n"),
     "4 word-list button missing: the game shows its own text \"Found words\"",
     {"configuracion/idioma.txt has only 3 of its 5 texts: the game shows its own for the others"}},
    {"LanguageFileEmpty",
     put("configuracion/idioma.txt", ""),
     "1 score word missing: the game shows its own text \"of\"",
     {"configuracion/idioma.txt has none of its 5 texts: the buttons show the game's own texts"}},
    {"LanguageFileFromNotepad",
     put("configuracion/idioma.txt", QByteArray("\xFF\xFE"
                                                "d\0e\0,\0J\0u\0g\0a\0r\0\n\0",
                                                18)),
     "2 play button \"Jugar\"",
     {"configuracion/idioma.txt has only 2 of its 5 texts: the game shows its own for the others"}},
    {"SpeedFileInAnotherFormat",
     put("configuracion/velocidad.txt", QByteArray("3\0"
                                                   "0\0"
                                                   "0\0",
                                                   6)),
     "configuracion/velocidad.txt: not a text file (saved in another format?)",
     {"configuracion/velocidad.txt is not a text file (saved in another format?): save it again "
      "as text"}},
    {"LevelFileShort",
     put("configuracion/nivel.txt", "uno\ndos\ntres\ncuatro\n"),
     "level 5 missing: line 4 is shown instead",
     {"configuracion/nivel.txt has only 4 of its 6 level lines: the last line stands in for the "
      "others"}},
    {"LevelFileEmpty",
     put("configuracion/nivel.txt", ""),
     "level 1 missing: no description is shown",
     {"configuracion/nivel.txt has none of its 6 level lines: the menu describes no levels"}},
    {"LevelFileIsAFolder",
     [](const ProgramFolder& f) {
         f.remove("configuracion/nivel.txt");
         QDir(f.path()).mkdir("configuracion/nivel.txt");
     },
     "configuracion/nivel.txt: unreadable",
     {"configuracion/nivel.txt is unreadable: the menu describes no levels"}},
    {"SpeedFileMissing",
     removeFile("configuracion/velocidad.txt"),
     "configuracion/velocidad.txt: missing",
     {"configuracion/velocidad.txt is missing: the clock never runs; write the speed in it (300 is "
      "usual)"}},
    {"PictureFolderMissing",
     [](const ProgramFolder& f) { QDir(f.path() + "/imagenes").removeRecursively(); },
     "Pictures: the folder imagenes is missing",
     {"the picture folder imagenes is missing: make it and put at least 6 pictures in it"}},
};

class SpoiltFile : public testing::TestWithParam<Spoilt> {
  protected:
    EnglishFolder folder;
};

TEST_P(SpoiltFile, isReportedWithItsReasonAndCountsOnlyWhenThePlayWouldSuffer) {
    GetParam().spoil(folder);
    const FolderReport report = checkFolder(assets::resolve(folder.path()));
    const QStringList shown = lines(report);
    EXPECT_TRUE(shown.contains(GetParam().line)) << formatReport(report).toStdString();
    EXPECT_EQ(problems(report), GetParam().problems);
    for (const QString& problem : GetParam().problems)
        EXPECT_TRUE(shown.contains("- " + problem)) << problem.toStdString();
    EXPECT_EQ(exitStatus(report), GetParam().problems.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(FolderCheck, SpoiltFile, testing::ValuesIn(SpoiltFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// Qt's pooled threads may speak while a picture is read, when the machine's load has it so: only
// the reading thread's messages tell of the picture.
TEST(DecoderMessages, hearOnlyTheThreadThatReads) {
    const DecoderMessages messages;
    std::thread([] { qWarning("libpng error: from another thread"); }).join();
    EXPECT_TRUE(messages.damage().isEmpty());
    qWarning("libpng error: Read Error");
    EXPECT_EQ(messages.damage(), QStringList{"libpng error: Read Error"});
}

// Odd speeds are reported, not refused: the game still runs on them.
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
         "\"de\",\"Jugar\",\"Salir\",007,\"Pistas\"",
         {"1 score word \"de\"", "4 word-list button \"7\"", "5 hints caption \"Pistas\""}},
        {"configuracion/idioma.txt",
         std::nullopt,
         {"2 play button missing: the game shows its own text \"Play\"",
          "5 hints caption missing: the game shows its own text \"Hints\""}},
        {"configuracion/nivel.txt",
         std::nullopt,
         {"configuracion/nivel.txt: missing", "level 6 missing: no description is shown"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedLines.first().toStdString());
        EnglishFolder folder;
        if (c.content)
            folder.write(c.file, *c.content);
        else
            folder.remove(c.file);
        const FolderReport report = checkFolder(assets::resolve(folder.path()));
        const QStringList shown = lines(report);
        for (const QString& line : c.expectedLines)
            EXPECT_TRUE(shown.contains(line)) << line.toStdString();
        EXPECT_EQ(exitStatus(report), c.content ? 0 : 1);
    }
}

// The computer's voice is asked once, and only for words without a recording that the switch lets
// it say; its answer decides whether those words are said or silent.
TEST(FolderCheck, wordsWithoutARecordingGoToTheComputersVoiceAsItAnswers) {
    const struct {
        SpeechSupport answer;
        const char* line;
    } answers[] = {
        {SpeechSupport::Speaks, "Words without a recording are said by the computer's voice."},
        {SpeechSupport::NoEngine, "Words without a recording are silent: no speech engine answers "
                                  "on this computer."},
        {SpeechSupport::NoVoice,
         "Words without a recording are silent: the computer's voice speaks no English."},
        {SpeechSupport::NoAnswer, "Could not tell whether the computer's voice works: words "
                                  "without a recording may be silent."},
    };
    EnglishFolder folder;
    QFile recording(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/voces/sol.wav"));
    ASSERT_TRUE(recording.open(QIODevice::ReadOnly));
    const QByteArray said = recording.readAll();
    for (const QString& picture : QDir(folder.path() + "/imagenes").entryList(QDir::Files))
        folder.write("voces/" + QFileInfo(picture).completeBaseName() + ".wav", said);
    int asked = 0;
    SpeechSupport answer = SpeechSupport::Speaks;
    const SpeechAnswer speech = [&] {
        ++asked;
        return answer;
    };
    EXPECT_FALSE(voiceMayBeNeeded(assets::resolve(folder.path())));
    checkFolder(assets::resolve(folder.path()), speech);
    EXPECT_EQ(asked, 0) << "every word has its recording";
    folder.remove("voces/sol.wav");
    folder.remove("voces/luna.wav");
    EXPECT_TRUE(voiceMayBeNeeded(assets::resolve(folder.path())));
    for (const auto& a : answers) {
        asked = 0;
        answer = a.answer;
        const QStringList shown = lines(checkFolder(assets::resolve(folder.path()), speech));
        EXPECT_TRUE(shown.contains(a.line)) << a.line;
        EXPECT_EQ(asked, 1);
    }
    asked = 0;
    folder.write("configuracion/voz.txt", "grabaciones");
    EXPECT_FALSE(voiceMayBeNeeded(assets::resolve(folder.path())));
    EXPECT_TRUE(lines(checkFolder(assets::resolve(folder.path()), speech))
                    .contains("sol.png SOL yes silent"));
    EXPECT_EQ(asked, 0);
}

} // namespace

namespace {

// A set in the idiomas/ layout, made of the folder's own texts and pictures, which activo.txt
// names: only there can a teacher name a set that is not there.
void asSet(const ProgramFolder& f, const QByteArray& chosen) {
    QDir dir(f.path());
    dir.mkpath("idiomas/es");
    dir.rename("configuracion", "idiomas/es/configuracion");
    dir.rename("imagenes", "idiomas/es/imagenes");
    f.write("idiomas/activo.txt", chosen);
}

// A teacher's mistake the game copes with, and the line of the summary that tells of it; every
// such line is a thing to look at, and the folder is still ready to play.
struct Mistake {
    const char* name;
    std::function<void(const ProgramFolder&)> make;
    QString warning;
};

void PrintTo(const Mistake& mistake, std::ostream* os) {
    *os << mistake.name;
}

const Mistake Mistakes[] = {
    {"SpeedWithADecimalComma", put("configuracion/velocidad.txt", "3,5\r\n"),
     "configuracion/velocidad.txt says \"3,5\", probably a mistake: each word gets 0.8 seconds"},
    {"SpeedWithWordsAfterIt", put("configuracion/velocidad.txt", "250 milisegundos"),
     "configuracion/velocidad.txt says \"250 milisegundos\", probably a mistake: each word gets "
     "66 seconds"},
    {"SetThatIsMissing", [](const ProgramFolder& f) { asSet(f, "fr\n"); },
     "idiomas/activo.txt names the set \"fr\", which is missing: \"es\" plays instead"},
    {"SetNameThatClimbsOut", [](const ProgramFolder& f) { asSet(f, "../..\n"); },
     "idiomas/activo.txt names \"../..\", which is no set's name: \"es\" plays instead"},
    {"VoiceSwitchNotUnderstood", put("configuracion/voz.txt", "tal vez"),
     "configuracion/voz.txt says \"tal vez\", which the game does not understand: it says the "
     "words (write si, grabaciones or no)"},
    {"LettersNotUnderstood", put("configuracion/voz.txt", "si,grandes"),
     "configuracion/voz.txt says \"grandes\" for the letters, which the game does not "
     "understand: it shows capitals (write minusculas for lower case)"},
    {"VoiceSwitchInAnotherFormat", put("configuracion/voz.txt", QByteArray("n\0o\0", 4)),
     "configuracion/voz.txt is not a text file (saved in another format?): save it again as "
     "text"},
    // No language code: the game takes Spanish, and so does the report.
    {"LanguageCodeNotUnderstood", put("configuracion/lengua.txt", "ingl\xc3\xa9s"),
     "configuracion/lengua.txt dice \"inglés\", que no es un código de idioma: el juego toma es "
     "(escribe es o en)"},
    {"PictureLeftOut", sample("imagenes/murcielaguito.png"),
     "1 picture the game leaves out (murcielaguito.png): see why below"},
    {"NamesNotOnlyLetters",
     [](const ProgramFolder& f) {
         for (const char* name : {"imagenes/pez2.png", "imagenes/mi casa.png", "imagenes/a-b.png",
                                  "imagenes/uva 1.png"})
             sample(name)(f);
     },
     "4 pictures with a note (a-b.png, mi casa.png, pez2.png and 1 more): see below"},
};

class TeacherMistake : public testing::TestWithParam<Mistake> {
  protected:
    EnglishFolder folder;
};

TEST_P(TeacherMistake, isAThingToLookAtAndTheFolderStillPlays) {
    GetParam().make(folder);
    const FolderReport report = checkFolder(assets::resolve(folder.path()));
    const QStringList summary = formatSummary(report).split(u'\n');
    EXPECT_EQ(warnings(report), QStringList{GetParam().warning});
    EXPECT_TRUE(summary.contains("  - " + GetParam().warning))
        << formatSummary(report).toStdString();
    EXPECT_EQ(summary[1], report.say(Say::ReadyButOne));
    EXPECT_EQ(lines(report).last(), QString()) << "the report ends with a line end";
    EXPECT_EQ(lines(report).at(lines(report).size() - 2), report.say(Say::ReadyButOne));
    EXPECT_EQ(exitStatus(report), 0);
}

INSTANTIATE_TEST_SUITE_P(FolderCheck, TeacherMistake, testing::ValuesIn(Mistakes),
                         [](const auto& info) { return std::string(info.param.name); });

// The verdict opens the summary and closes the report; the summary never runs past ten lines, and
// a Spanish set is told in Spanish.
TEST(FolderCheck, theSummaryGivesTheVerdictFirstInTenLinesAtMost) {
    {
        ProgramFolder spanish;
        const FolderReport report = checkFolder(assets::resolve(spanish.path()));
        const QStringList summary = formatSummary(report).split(u'\n');
        EXPECT_EQ(summary.mid(1),
                  QStringList({"Listo para jugar.", "Se pueden jugar 8 de sus 8 imágenes.", ""}));
        EXPECT_TRUE(formatReport(report).endsWith("\nListo para jugar.\n"));
        EXPECT_TRUE(formatReport(report).contains("\nEn detalle\n"));
        // Every reason is in Spanish too, the sound reader's among them.
        spanish.write("sonidos/error.wav", "ID3\x04" + QByteArray(60, '\0'));
        EXPECT_EQ(problems(checkFolder(assets::resolve(spanish.path()))),
                  QStringList{"sonidos/error.wav: no se puede oír: un archivo MP3, no un WAV; "
                              "cópialo otra vez de los archivos del juego"});
    }
    EnglishFolder broken;
    for (const char* file : {"gifs/1.gif", "gifs/2.gif", "gifs/3.gif", "gifs/4.gif", "gifs/5.gif",
                             "gifs/6.gif", "sonidos/error.wav", "sonidos/final.wav"})
        broken.remove(file);
    broken.write("configuracion/voz.txt", "tal vez");
    const FolderReport report = checkFolder(assets::resolve(broken.path()));
    const QStringList summary = formatSummary(report).trimmed().split(u'\n');
    ASSERT_EQ(summary.size(), MaxSummaryLines) << formatSummary(report).toStdString();
    EXPECT_EQ(summary[1], "Not ready to play: 8 things to do.");
    EXPECT_EQ(summary[3], "To do:");
    EXPECT_EQ(summary.last(), "  … and 4 more");
    EXPECT_EQ(exitStatus(report), 1);
}

// A folder of pictures alone is checked as the pictures a round would draw: no missing texts,
// animations or sounds are held against it.
TEST(FolderCheck, aPlainPictureFolderIsCheckedForItsPicturesAlone) {
    EnglishFolder folder;
    const QString pictures = folder.path() + "/imagenes";
    EXPECT_TRUE(isPictureFolder(assets::resolve(pictures)));
    EXPECT_FALSE(isPictureFolder(assets::resolve(folder.path())));
    const FolderReport report = checkPictureFolder(pictures, Language::English);
    const QString text = formatReport(report);
    EXPECT_TRUE(text.startsWith("Checking the picture folder ")) << text.toStdString();
    EXPECT_FALSE(text.contains("Texts")) << text.toStdString();
    EXPECT_TRUE(lines(report).contains("gato.png GATO yes"));
    EXPECT_TRUE(problems(report).isEmpty());
    EXPECT_TRUE(text.endsWith("\nReady to play.\n"));
}

} // namespace

namespace {

// The user's own folders, in a temporary folder: pictures of their own and tolvano.conf.
class OwnLayer {
  public:
    assets::UserFolders folders() const {
        return {m_dir.filePath("data"), m_dir.filePath("config"), {}};
    }
    QString settingsFile() const { return m_dir.filePath("config/tolvano.conf"); }
    void settings(const QByteArray& text) const { writeFile(settingsFile(), text); }
    // Pictures of the set's language, each the bundled sample in the format its name asks for.
    void pictures(const QString& set, const QStringList& names) const {
        const QImage sample(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/imagenes/gato.png"));
        const QString folder = m_dir.filePath("data/idiomas/" + set + "/imagenes");
        QDir().mkpath(folder);
        for (const QString& name : names)
            sample.save(folder + u'/' + name);
    }
    assets::AssetPaths paths(const ProgramFolder& folder) const {
        return assets::resolve(folder.path(), folders());
    }

  private:
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    }
    QTemporaryDir m_dir;
};

// A round draws the user's own pictures first: a word they give is not drawn from the set, and
// with pictures=mine nothing is.
TEST(OwnPictures, countAsTheGameDrawsThemAndSayWhereEachComesFrom) {
    const QStringList six{"uno.png", "dos.png", "tres.png", "cuatro.png", "cinco.png", "seis.png"};
    const struct {
        const char* name;
        QStringList own;
        QByteArray settings;
        int usable;
        QStringList lines; // "%own" stands for the user's picture folder
        QStringList problems;
    } cases[] = {
        {"OneOfTheirOwn",
         {"maestra.png"},
         {},
         9,
         {"Your own pictures in %own (1 files)", "maestra.png MAESTRA yes computer's voice?",
          "9 of its 9 pictures can be played, 1 of them your own."},
         {}},
        {"AWordInBoth",
         {"Pato.jpg"},
         {},
         8,
         {"Pato.jpg PATO yes computer's voice?",
          "pato.png PATO no - your own picture Pato.jpg gives this word",
          "The set's pictures in imagenes (8 files)"},
         {}},
        {"OnlyMine",
         six,
         "[general]\npictures=mine\n",
         6,
         {"Only your own pictures are played (pictures=mine in tolvano.conf): the set's are not "
          "checked.",
          "pictures=mine: only your own pictures"},
         {}},
        {"OnlyMineWithNone",
         {},
         "[general]\npictures=mine\n",
         0,
         {"Your own pictures: none yet (they go in %own)"},
         {"only 0 pictures usable; a round needs 6: add pictures to %own"}},
        {"NoneYet", {}, {}, 8, {"Your own pictures: none yet (they go in %own)"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnglishFolder folder;
        OwnLayer user;
        if (!c.own.isEmpty()) user.pictures("en", c.own);
        if (!c.settings.isEmpty()) user.settings(c.settings);
        const assets::AssetPaths paths = user.paths(folder);
        const FolderReport report = checkFolder(paths);
        const QString own = QDir::cleanPath(paths.userPictureFolder());
        EXPECT_EQ(report.usableCount, c.usable);
        EXPECT_TRUE(warnings(report).isEmpty()) << warnings(report).join('\n').toStdString();
        QStringList expected = c.problems;
        expected.replaceInStrings("%own", own);
        EXPECT_EQ(problems(report), expected);
        EXPECT_EQ(exitStatus(report), expected.isEmpty() ? 0 : 1);
        const QStringList shown = lines(report);
        for (QString line : c.lines)
            EXPECT_TRUE(shown.contains(line.replace("%own", own))) << line.toStdString();
        if (paths.userSettings().onlyMine) {
            EXPECT_TRUE(std::all_of(report.pictures.begin(), report.pictures.end(),
                                    [](const PictureRow& row) { return row.own; }));
        }
    }
}

// A settings file the game cannot follow is a thing to look at, never a reason not to play.
TEST(OwnSettings, thatTheGameCannotFollowAreThingsToLookAt) {
    const struct {
        const char* name;
        std::optional<QByteArray> settings; // none: a FIFO, which must not hang the check
        QString warning;                    // "%file" stands for the settings file in full
        QString line;
    } cases[] = {
        {"UnknownKey", "[general]\ncolour=blue\n",
         "tolvano.conf: colour is not a setting the game knows (language, voice, lowercase, "
         "secondsPerWord, pictures, theme, themes or letters): it changes nothing",
         "colour: not a setting the game knows"},
        {"BadValue", "[general]\nvoice=loud\n",
         "tolvano.conf: voice=loud is not understood (on, recordings or off); the game uses "
         "configuracion/voz.txt's setting",
         "voice=loud: not understood: not used"},
        {"BadLetters", "[general]\nletters=accented\n",
         "tolvano.conf: letters=accented is not understood (as-written or plain); the game uses "
         "the board shows the letters as written, with their accents",
         "letters=accented: not understood: not used"},
        {"Unreadable", std::nullopt,
         "%file cannot be read (not a regular file, or too large?): the game ignores it; remove "
         "it or save the settings again",
         "cannot be read: none of it is used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnglishFolder folder;
        OwnLayer user;
        user.settings({});
        if (c.settings) {
            user.settings(*c.settings);
        } else {
            QFile::remove(user.settingsFile());
            ::mkfifo(QFile::encodeName(user.settingsFile()).constData(), 0600);
        }
        const FolderReport report = checkFolder(user.paths(folder));
        const QString warning = QString(c.warning).replace("%file", user.settingsFile());
        EXPECT_EQ(warnings(report), QStringList{warning});
        EXPECT_TRUE(formatSummary(report).contains("  - " + warning + "\n"));
        EXPECT_TRUE(lines(report).contains(c.line)) << formatReport(report).toStdString();
        EXPECT_EQ(exitStatus(report), 0);
    }
    EnglishFolder folder;
    const OwnLayer none;
    EXPECT_TRUE(lines(checkFolder(none.paths(folder)))
                    .contains("Settings: no settings of your own (" + none.settingsFile() + ")"));
}

// The program folder as two sets, a Spanish "es" and an English "en", activo.txt naming one.
std::function<void(const ProgramFolder&)> twoSets(const QByteArray& active) {
    return [=](const ProgramFolder& f) {
        asSet(f, active + '\n');
        const QString spanish = f.path() + "/idiomas/es";
        QDirIterator files(spanish, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                f.write("idiomas/en" + file.fileName().mid(spanish.size()), file.readAll());
        }
        f.write("idiomas/es/configuracion/lengua.txt", "es\n");
        f.write("idiomas/en/configuracion/lengua.txt", "en\n");
    };
}

// Where tolvano.conf wins over the set's files, the report tells what the game does and names
// tolvano.conf; the files it leaves unread are no longer held against the folder.
TEST(OwnSettings, thatWinAreReportedAsTheGamePlaysThem) {
    const struct {
        const char* name;
        QByteArray settings;
        std::function<void(const ProgramFolder&)> make;
        QString line;
        QStringList warnings;
    } cases[] = {
        {"SecondsPerWord",
         "[general]\nsecondsPerWord=40\n",
         removeFile("configuracion/velocidad.txt"),
         "40 seconds a word (tolvano.conf)",
         {}},
        {"VoiceOff",
         "[general]\nvoice=off\n",
         put("configuracion/voz.txt", "tal vez"),
         "The game says no words: tolvano.conf turns the voice off.",
         {}},
        {"LanguageOfASet",
         "[general]\nlanguage=en\n",
         twoSets("es"),
         "set \"en\" (tolvano.conf), language en",
         {}},
        {"LanguageOfNoSet",
         "[general]\nlanguage=fr\n",
         twoSets("en"),
         "language=fr: no such set: \"en\" plays",
         {"tolvano.conf: language=fr names no set here (there are \"en\" and \"es\"): \"en\" "
          "plays instead"}},
        {"PlainLetters",
         "[general]\nletters=plain\n",
         [](const ProgramFolder&) {},
         "letters=plain: the board has no accents, as in printed word searches",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnglishFolder folder;
        c.make(folder);
        OwnLayer user;
        user.settings(c.settings);
        const FolderReport report = checkFolder(user.paths(folder));
        EXPECT_TRUE(lines(report).contains(c.line)) << formatReport(report).toStdString();
        EXPECT_EQ(warnings(report), c.warnings);
        EXPECT_TRUE(problems(report).isEmpty()) << problems(report).join('\n').toStdString();
    }
}

} // namespace

namespace {

// Themes over the set's folder and the user's own, merged as a round merges them: animales has
// two of the set's pictures and one of the user's, frutas six, and one folder sits too deep.
TEST(Themes, areCountedAsARoundOfThemDrawsAndWhatTheGameCannotFollowIsToLookAt) {
    const QString tooDeep =
        "1 folder inside a theme that the game does not read "
        "(imagenes/animales/perros/): move its pictures into the theme's folder";
    const struct {
        const char* name;
        QByteArray settings;
        bool found;
        QStringList warnings;
        QString line;
    } cases[] = {
        {"ChosenThemeThere",
         "[general]\ntheme=Frutas\nthemes=hidden\n",
         true,
         {tooDeep},
         "tolvano.conf chooses theme=Frutas: rounds start with this theme"},
        {"ChosenThemeNotThere",
         "[general]\ntheme=plantas\n",
         false,
         {"tolvano.conf: theme=plantas names no theme here (the themes are \"animales\" and "
          "\"frutas\"): rounds draw from all the pictures",
          tooDeep},
         "tolvano.conf chooses theme=plantas: no such theme: rounds draw from all the pictures"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnglishFolder folder;
        for (const char* name :
             {"animales/vaca.png", "animales/cerdo.png", "animales/tema.png",
              "animales/perros/perro.png", "frutas/pera.png", "frutas/uva.png", "frutas/kiwi.png",
              "frutas/lima.png", "frutas/coco.png", "frutas/higo.png"})
            folder.write(QStringLiteral("imagenes/") + name, fileIn(folder, "imagenes/gato.png"));
        OwnLayer user;
        user.pictures("en", {});
        QDir(user.folders().data).mkpath("idiomas/en/imagenes/animales");
        user.pictures("en", {"animales/lobo.png"});
        user.settings(c.settings);
        const FolderReport report = checkFolder(user.paths(folder));

        QStringList themes;
        for (const ThemeRow& theme : report.themes.themes)
            themes.append(QStringLiteral("%1 %2%3")
                              .arg(theme.name)
                              .arg(theme.usable)
                              .arg(theme.isShort ? " short" : ""));
        EXPECT_EQ(themes, QStringList({"animales 3 short", "frutas 6"}));
        ASSERT_EQ(report.themes.tooDeep.size(), 1);
        EXPECT_EQ(report.themes.tooDeep[0].name, "animales/perros");
        EXPECT_FALSE(report.themes.tooDeep[0].own);
        EXPECT_EQ(report.themes.chosenFound, c.found);
        // The theme's own picture gives no word: 8 loose pictures, 3 animals and 6 fruits.
        EXPECT_EQ(report.usableCount, 17);
        EXPECT_EQ(warnings(report), c.warnings);
        EXPECT_TRUE(problems(report).isEmpty()) << problems(report).join('\n').toStdString();
        const QStringList shown = lines(report);
        EXPECT_TRUE(shown.contains(c.line)) << formatReport(report).toStdString();
        EXPECT_TRUE(shown.contains(
            "animales 3 usable short: a round of this theme is topped up from all the pictures"));
        EXPECT_TRUE(shown.contains(c.found ? "theme=Frutas: rounds start with this theme"
                                           : "theme=plantas: no such theme: all the pictures"));
    }
    EnglishFolder plain;
    EXPECT_TRUE(lines(checkFolder(assets::resolve(plain.path()))).contains("Themes: none"));
}

} // namespace
