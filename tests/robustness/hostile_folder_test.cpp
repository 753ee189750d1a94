// A picture folder filled with whatever a classroom computer holds, played for 50 rounds through
// the real game screen: no crash, no hang, every round with pictures winnable, the folder as it
// was.
#include "module1.h"
#include "play_folder.h"
#include "round_player.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QSet>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Rounds = 50;
// A refused giant must cost no more than an ordinary round; decoding it would take seconds.
constexpr qint64 MaxSetUpMs = 3000;

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(body), crc.data());
    return chunk + body + crc;
}

// A well-formed PNG announcing width x height RGB pixels and holding only the first row of them:
// enough for Qt's reader to report the size (it looks on to the first data chunk), a few hundred
// bytes on disk.
QByteArray giantPng(quint32 width, quint32 height) {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(width, header.data());
    qToBigEndian<quint32>(height, header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    // qCompress puts the length in front of a zlib stream: the stream is what a PNG holds.
    const QByteArray firstRow = qCompress(QByteArray(1 + 3 * qsizetype(width), '\0')).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", firstRow) + pngChunk("IEND", {});
}

QByteArray garbage(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// One hostile folder: what lies in it, and which names the game may draw from it.
class Hostile {
  public:
    explicit Hostile(const PlayFolder& folder) : m_folder(folder) {}

    void picture(const QString& name, const QByteArray& bytes) {
        file(name, bytes);
        drawable.insert(name);
    }
    void goodPictures() {
        picture(QStringLiteral("sol.png"), bundledPng(QStringLiteral("sol.png")));
        picture(QStringLiteral("luna.png"), bundledPng(QStringLiteral("luna.png")));
        picture(QStringLiteral("pato.jpg"), bundledJpeg(QStringLiteral("pato.png")));
    }
    QString path(const QString& name) const {
        return m_folder.path() + QStringLiteral("/imagenes/") + name;
    }
    void file(const QString& name, const QByteArray& bytes) const {
        m_folder.write(QStringLiteral("imagenes/") + name, bytes);
    }
    void rawFile(const std::string& name, const QByteArray& bytes) const {
        m_folder.writeRaw("imagenes/" + name, bytes);
    }
    void folder(const QString& name) const {
        QDir(m_folder.path() + QStringLiteral("/imagenes")).mkpath(name);
    }
    void link(const char* name, const char* target) const {
        const std::string at = m_folder.pictureFolder() + '/' + name;
        ASSERT_EQ(::symlink(target, at.c_str()), 0) << name;
    }
    void fifo(const char* name) const {
        const std::string at = m_folder.pictureFolder() + '/' + name;
        ASSERT_EQ(::mkfifo(at.c_str(), 0644), 0) << name;
    }

    QSet<QString> drawable;

  private:
    const PlayFolder& m_folder;
};

void emptyFolder(Hostile&) {}

void noPictures(Hostile& h) {
    h.file(QStringLiteral("carta.txt"), "Querida maestra:\nlas fotos van mañana.\n");
    h.file(QStringLiteral("dibujo.png"), "no soy un dibujo, soy un texto");
    h.file(QStringLiteral("foto.jpg"), garbage(5000, 1));
    h.file(QStringLiteral("pagina.gif"), "<html><body>GIF89a</body></html>");
    h.file(QStringLiteral("sonido.png"), garbage(64, 2).prepend("RIFF\0\0\0\0WAVEfmt ", 16));
    h.fifo("tuberia.png"); // reading it would block the game for ever
}

void emptyFiles(Hostile& h) {
    h.goodPictures();
    for (const char* name : {"vacio.png", "nada.jpg", "cero.gif", "hueco.bmp"})
        h.file(QString::fromLatin1(name), {});
}

void truncatedFiles(Hostile& h) {
    h.goodPictures();
    const QByteArray png = bundledPng(QStringLiteral("rana.png"));
    const QByteArray jpeg = bundledJpeg(QStringLiteral("oso.png"));
    h.file(QStringLiteral("firma.png"), png.left(8));
    h.file(QStringLiteral("cabecera.png"), png.left(40));
    h.file(QStringLiteral("inicio.jpg"), jpeg.left(100));
    // Their headers are whole: the game may take them, and the round must stay playable.
    h.picture(QStringLiteral("mitad.png"), png.left(png.size() / 2));
    h.picture(QStringLiteral("cortada.jpg"), jpeg.left(jpeg.size() / 2));
}

void giantPicture(Hostile& h) {
    h.goodPictures();
    h.file(QStringLiteral("gigante.png"), giantPng(30000, 30000));
    // Qt's reader sees its whole size: only the game's own limit can refuse it.
    EXPECT_EQ(QImageReader(h.path(QStringLiteral("gigante.png"))).size(), QSize(30000, 30000));
}

void shortNames(Hostile& h) {
    h.goodPictures();
    // A file name cannot be empty; ".png" gives a word of 0 letters, and is a hidden file too.
    const QByteArray png = bundledPng(QStringLiteral("pez.png"));
    for (const char* name : {".png", ".jpg"})
        h.file(QString::fromLatin1(name), png);
    // The word is the name up to its last dot, or the whole name: these are pictures with words.
    for (const char* name : {"a", "ab", "abc", "abcd", "x.p", "o.png"})
        h.picture(QString::fromLatin1(name), png);
}

void longWords(Hostile& h) {
    h.goodPictures();
    const QByteArray png = bundledPng(QStringLiteral("casa.png"));
    for (const char* name : {"abcdefghijklm.png", "mariposamonarca.png", "camióncisterna.png",
                             "trece letras!.jpeg", "ñandúgrandote.png"})
        h.file(QString::fromUtf8(name), png);
    h.picture(QStringLiteral("doceletrasya.png"), png);
    h.picture(QStringLiteral("doce letras!.jpeg"), png); // twelve: the extension is not counted
    // Twelve letters once the accent is composed, thirteen code points as some disks store it.
    h.picture(QStringLiteral("camio\u0301ngrande.png"), png);
}

void invalidUtf8Names(Hostile& h) {
    h.goodPictures();
    const QByteArray png = bundledPng(QStringLiteral("oso.png"));
    for (const char* name : {"caf\xe9.png", "\xff\xfe.png", "ni\xc3.png", "\xc3\x28\xa0\xa1.jpg",
                             "\xed\xa0\x80rana.png"})
        h.rawFile(name, png);
}

void foldersLikePictures(Hostile& h) {
    h.goodPictures();
    h.folder(QStringLiteral("carpeta.png"));
    h.folder(QStringLiteral("album.jpg"));
    // A folder is a theme whatever its name, and its pictures are drawn; one level deeper is not.
    h.picture(QStringLiteral("album.jpg/dentro.png"), bundledPng(QStringLiteral("gato.png")));
    h.file(QStringLiteral("album.jpg/hondo/mas.png"), bundledPng(QStringLiteral("oso.png")));
}

void linkLoops(Hostile& h) {
    h.goodPictures();
    h.link("ida.png", "vuelta.png");
    h.link("vuelta.png", "ida.png");
    h.link("espejo.png", "espejo.png");
    h.link("roto.png", "no-existe.png");
    h.link("arriba.png", "..");
}

void sameNameButCase(Hostile& h) {
    h.goodPictures();
    h.picture(QStringLiteral("Gato.png"), bundledPng(QStringLiteral("gato.png")));
    h.picture(QStringLiteral("gato.png"), bundledPng(QStringLiteral("oso.png")));
    h.picture(QStringLiteral("GATO.png"), bundledPng(QStringLiteral("pez.png")));
}

void everythingAtOnce(Hostile& h) {
    for (auto fill : {noPictures, emptyFiles, truncatedFiles, giantPicture, shortNames, longWords,
                      invalidUtf8Names, foldersLikePictures, linkLoops, sameNameButCase})
        fill(h);
}

struct HostileRow {
    const char* what;
    void (*fill)(Hostile&);
};

void PrintTo(const HostileRow& row, std::ostream* out) {
    *out << row.what;
}

// Plays a folder round after round through the real game screen.
class PlayedFolder : public ::testing::Test {
  protected:
    // One round from start to pause: the words it drew, then won by clicking every word, or, with
    // nothing to find, lost to the clock.
    void playRound(RoundPlayer& player, const QSet<QString>& drawable, int round) {
        const Game& game = player.game();
        for (const QString& name : game.wordList.PictureFiles) {
            if (!name.isEmpty()) {
                EXPECT_TRUE(drawable.contains(name)) << "drew " << name.toStdString();
            }
        }
        ASSERT_TRUE(everyWordLiesOnTheBoard(game));
        const bool anyWord = std::any_of(game.wordList.Words.begin(), game.wordList.Words.end(),
                                         [](const QString& w) { return !w.isEmpty(); });
        EXPECT_EQ(anyWord, !drawable.isEmpty());
        if (round % 5 == 0) player.viewPicture(round % WordSlots);
        if (anyWord) {
            player.clickAllWords();
            EXPECT_TRUE(everyLetterCountMatchesTheClicks(game));
            for (int k = 0; k < WordSlots; ++k)
                EXPECT_EQ(game.WordFound[k], !game.wordList.Words[k].isEmpty()) << "slot " << k;
        } else {
            player.click(round % BoardCells);
            EXPECT_EQ(game.ErrorCount, 1);
            ASSERT_TRUE(player.runOutOfTime());
        }
        ASSERT_EQ(game.phase(), RoundPhase::Ended);
    }
};

class HostileFolder : public PlayedFolder, public ::testing::WithParamInterface<HostileRow> {};

TEST_P(HostileFolder, fiftyRoundsNeverCrashOrHangAreWinnableAndLeaveTheFolderAsItWas) {
    PlayFolder folder;
    Hostile hostile(folder);
    GetParam().fill(hostile);
    const FolderListing before = listFolder(QFile::encodeName(folder.path()).toStdString());
    FakeNavigation navigation;
    Module1 module1;
    CountingSound sound;
    {
        Form1 form(assets::resolve(folder.path()), navigation, module1, sound, QSize(800, 600));
        QElapsedTimer setUp;
        setUp.start();
        form.Form_Load();
        EXPECT_LT(setUp.elapsed(), MaxSetUpMs) << "start-up";
        form.showOnScreen();
        RoundPlayer player(form);
        for (int round = 0; round < Rounds; ++round) {
            SCOPED_TRACE("round " + std::to_string(round + 1));
            playRound(player, hostile.drawable, round);
            QCoreApplication::processEvents();
            setUp.restart();
            player.startNextRound(round % 6);
            EXPECT_LT(setUp.elapsed(), MaxSetUpMs) << "set-up";
        }
    }
    EXPECT_EQ(listFolder(QFile::encodeName(folder.path()).toStdString()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HostileFolder,
    ::testing::Values(
        HostileRow{"empty", emptyFolder}, HostileRow{"noPictures", noPictures},
        HostileRow{"emptyFiles", emptyFiles}, HostileRow{"truncatedFiles", truncatedFiles},
        HostileRow{"giantPicture", giantPicture}, HostileRow{"shortNames", shortNames},
        HostileRow{"longWords", longWords}, HostileRow{"invalidUtf8Names", invalidUtf8Names},
        HostileRow{"foldersLikePictures", foldersLikePictures}, HostileRow{"linkLoops", linkLoops},
        HostileRow{"sameNameButCase", sameNameButCase},
        HostileRow{"everythingAtOnce", everythingAtOnce}),
    [](const ::testing::TestParamInfo<HostileRow>& info) { return info.param.what; });

// Files vanish while the game runs: a teacher tidies the folder during the morning.
class RemovedPictures : public PlayedFolder {};

TEST_F(RemovedPictures, aPictureRemovedBetweenTheListingAndItsLoadingLeavesTheRoundWinnable) {
    PlayFolder folder;
    Hostile hostile(folder);
    for (const char* name : {"casa", "sol", "pato", "luna", "gato", "oso", "pez", "rana"}) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".png");
        hostile.picture(file, bundledPng(file));
    }
    FolderListing expected = listFolder(QFile::encodeName(folder.path()).toStdString());
    FakeNavigation navigation;
    Module1 module1;
    CountingSound sound;
    Form1 form(assets::resolve(folder.path()), navigation, module1, sound, QSize(800, 600));
    form.Form_Load();
    RoundPlayer player(form);

    const auto removeDrawn = [&](int k) {
        const QString name = player.game().wordList.PictureFiles[k];
        folder.remove(QStringLiteral("imagenes/") + name);
        hostile.drawable.remove(name);
        expected.erase(("imagenes/" + name).toStdString());
    };
    // Removed after the start-up: its viewer opens nothing, the next rounds never draw it.
    removeDrawn(0);
    EXPECT_FALSE(player.viewPicture(0));
    // Removed after the listing, just before the panel loads it.
    const std::function<void()> loadPanel = player.game().PicturePanel;
    int setUps = 0;
    player.game().PicturePanel = [&] {
        ++setUps;
        if (setUps <= 3) removeDrawn(setUps); // one slot in each of the next three rounds
        loadPanel();
    };
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        ASSERT_TRUE(everyWordLiesOnTheBoard(player.game()));
        player.clickAllWords();
        ASSERT_EQ(player.game().phase(), RoundPhase::Ended);
        player.startNextRound(round % 6);
        // A round set up while its file vanished still names it; once the removals are over, no
        // removed file is drawn again.
        if (setUps > 3) {
            for (const QString& name : player.game().wordList.PictureFiles) {
                EXPECT_TRUE(hostile.drawable.contains(name)) << "drew " << name.toStdString();
            }
        }
    }
    EXPECT_EQ(setUps, 10);
    EXPECT_EQ(listFolder(QFile::encodeName(folder.path()).toStdString()), expected);
}

} // namespace
