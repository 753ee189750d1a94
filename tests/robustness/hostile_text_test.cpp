// The three text files a teacher edits, missing, empty, binary, huge or in an old encoding: the
// game screen still starts and plays a round into the next, and the level menu still works.
#include "level_menu.h"
#include "module1.h"
#include "play_folder.h"
#include "round_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <iostream>
#include <optional>
#include <random>
#include <tuple>

namespace {

enum class TextFile { Language, Speed, Level, All };
enum class Content { Missing, Empty, Binary, ManyLines, OneHugeLine, Latin1, Utf16 };

constexpr int HugeBytes = 4 * 1024 * 1024;

QByteArray repeatTo(const QByteArray& piece, int size) {
    QByteArray bytes;
    bytes.reserve(size + piece.size());
    while (bytes.size() < size)
        bytes += piece;
    return bytes;
}

// Windows-1252 bytes, as an old editor saves accents; each file gets text of its own kind.
QByteArray latin1(TextFile file) {
    switch (file) {
    case TextFile::Language:
        return "de,\xa1Jugar!,Salir,Mis palabras peque\xf1itas,Pistas m\xe1gicas\r\n";
    case TextFile::Speed:
        return "250 milisegundos \xb7 m\xe1s lento\r\n";
    default:
        return "Nivel 1: \xa1Vamos all\xe1!\r\nNivel 2: se\xf1or\r\nNivel 3: ni\xf1o\r\n"
               "Nivel 4: \xbfqu\xe9?\r\nNivel 5: \xfaltimo\r\nNivel 6: ping\xfcino\r\n";
    }
}

std::optional<QByteArray> content(Content kind, TextFile file) {
    switch (kind) {
    case Content::Missing:
        return std::nullopt;
    case Content::Empty:
        return QByteArray();
    case Content::Binary: {
        std::mt19937 random(7);
        QByteArray bytes(8192, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        return bytes;
    }
    case Content::ManyLines:
        return repeatTo("Una l\xc3\xadnea larga, \"con comillas, y comas\", 12345\r\n", HugeBytes);
    case Content::OneHugeLine:
        return repeatTo("palabra ", HugeBytes);
    case Content::Latin1:
        return latin1(file);
    case Content::Utf16: { // the same texts as Notepad saves them as "Unicode"
        const QString text = QString::fromLatin1(latin1(file));
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    }
    return std::nullopt;
}

const char* fileName(TextFile file) {
    switch (file) {
    case TextFile::Language:
        return "configuracion/idioma.txt";
    case TextFile::Speed:
        return "configuracion/velocidad.txt";
    default:
        return "configuracion/nivel.txt";
    }
}

using Row = std::tuple<TextFile, Content>;

const char* nameOf(TextFile file) {
    static const char* names[] = {"language", "speed", "level", "allThree"};
    return names[static_cast<int>(file)];
}
const char* nameOf(Content kind) {
    static const char* names[] = {"missing",     "empty",  "binary", "manyLines",
                                  "oneHugeLine", "latin1", "utf16"};
    return names[static_cast<int>(kind)];
}
void PrintTo(TextFile file, std::ostream* out) {
    *out << nameOf(file);
}
void PrintTo(Content kind, std::ostream* out) {
    *out << nameOf(kind);
}

class HostileText : public ::testing::TestWithParam<Row> {
  protected:
    HostileText() {
        for (const char* name : {"casa", "sol", "pato", "luna", "gato", "oso", "pez", "rana"}) {
            const QString file = QString::fromLatin1(name) + QStringLiteral(".png");
            folder.write(QStringLiteral("imagenes/") + file, bundledPng(file));
        }
        const auto [which, kind] = GetParam();
        for (TextFile file : {TextFile::Language, TextFile::Speed, TextFile::Level}) {
            if (which != TextFile::All && which != file) continue;
            const QString name = QString::fromLatin1(fileName(file));
            if (const auto bytes = content(kind, file))
                folder.write(name, *bytes);
            else
                folder.remove(name);
        }
    }
    bool hostile(TextFile file) const {
        return std::get<0>(GetParam()) == file || std::get<0>(GetParam()) == TextFile::All;
    }
    // The two encodings of the same accented texts, which must read alike.
    bool isLatin1() const {
        return std::get<1>(GetParam()) == Content::Latin1 ||
               std::get<1>(GetParam()) == Content::Utf16;
    }

    PlayFolder folder;
    FakeNavigation navigation;
    Module1 module1;
    CountingSound sound;
};

TEST_P(HostileText, theGameStartsPlaysIntoTheNextRoundAndTheMenuWorks) {
    QElapsedTimer clock;
    clock.start();
    {
        Form1 form(assets::resolve(folder.path()), navigation, module1, sound, QSize(800, 600));
        form.Form_Load();
        form.showOnScreen();
        QCoreApplication::processEvents();
        RoundPlayer player(form);
        Game& game = player.game();
        ASSERT_EQ(game.phase(), RoundPhase::Playing);
        ASSERT_TRUE(everyWordLiesOnTheBoard(game));

        // A miss and a hit are judged.
        const std::vector<int> filler = player.enabledCells(false);
        ASSERT_FALSE(filler.empty());
        player.click(filler.front());
        EXPECT_EQ(game.ErrorCount, 1);
        EXPECT_EQ(sound.played, 1);
        const int firstLetter = player.cellsOf(0).front();
        player.click(firstLetter);
        EXPECT_FALSE(game.board.Look[firstLetter].Enabled);
        EXPECT_EQ(game.LettersFound[0], 1);
        form.Command3_Click(); // the hint's caption joins the language file's text
        QCoreApplication::processEvents();

        // The round is won, and the next one follows.
        player.clickAllWords();
        ASSERT_EQ(game.phase(), RoundPhase::Ended);
        player.startNextRound(3);
        EXPECT_EQ(game.phase(), RoundPhase::Playing);
        EXPECT_EQ(game.WordsOffered, 12);
        EXPECT_TRUE(everyWordLiesOnTheBoard(game));
        QCoreApplication::processEvents();

        if (isLatin1() && hostile(TextFile::Language)) {
            EXPECT_EQ(form.Command2->text(), QStringLiteral("Mis palabras pequeñitas"));
            EXPECT_EQ(game.HintCaption, QStringLiteral("Pistas mágicas"));
        }
        if (isLatin1() && hostile(TextFile::Speed)) {
            EXPECT_EQ(form.Timer2->interval(), 250);
        }
    }
    {
        Form3 menu(navigation, module1, assets::resolve(folder.path()));
        menu.show();
        QCoreApplication::processEvents();
        for (int level = 0; level < Form3::LevelCount; ++level) {
            menu.Command1_Click(level);
            QCoreApplication::processEvents();
            EXPECT_EQ(module1.Level, level);
        }
        if (isLatin1() && hostile(TextFile::Level)) {
            EXPECT_EQ(menu.Label1->text(), QStringLiteral("Nivel 6: pingüino"));
        }
        if (isLatin1() && hostile(TextFile::Language)) {
            EXPECT_EQ(menu.Command2->text(), QStringLiteral("¡Jugar!"));
        }
        menu.Command2_Click();
        EXPECT_EQ(navigation.nextRounds, 1);
        EXPECT_FALSE(menu.isVisible());
    }
    std::cout << "hostile text: " << clock.elapsed() << " ms\n";
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return std::string(nameOf(std::get<0>(info.param))) + "_" + nameOf(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileText,
                         ::testing::Combine(::testing::Values(TextFile::Language, TextFile::Speed,
                                                              TextFile::Level, TextFile::All),
                                            ::testing::Values(Content::Missing, Content::Empty,
                                                              Content::Binary, Content::ManyLines,
                                                              Content::OneHugeLine, Content::Latin1,
                                                              Content::Utf16)),
                         rowName);

} // namespace
