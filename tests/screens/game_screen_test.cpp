// The game screen on the offscreen platform: start-up from the text files, the layout of its
// controls, and clicks answered with colours, captions, sounds and the success animation.
#include "asset_paths.h"
#include "clock_interval.h"
#include "game_screen.h"
#include "gif_control.h"
#include "media_fakes.h"
#include "module1.h"
#include "picture_viewer.h"
#include "program_folder.h"
#include "round_end_sign.h"
#include "units.h"
#include "voice.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class FakeNavigation final : public Navigation {
  public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return true; }
    void enableGameTimer3() override {}
    void loadGameScreen() override {}
    void quit() override { ++quits; }
    void showLevelMenuOverGame() override { ++menus; }
    int quits = 0;
    int menus = 0;
};

struct GameScreen : ::testing::Test {
    ProgramFolder folder;
    FakeNavigation navigation;
    Module1 module1;
    RecordingSound sound;
    std::unique_ptr<Form1> form;

    void load(QSize screen = {800, 600}) {
        form = std::make_unique<Form1>(assets::resolve(folder.path()), navigation, module1, sound,
                                       screen);
        form->Form_Load();
    }
    Game& game() { return form->game(); }
    // The cells of word k, in reading order.
    std::vector<int> cellsOf(int k) {
        std::vector<int> cells;
        for (int j = 1; j < WordPositions && game().board.WordCells[k][j] >= 0; ++j)
            cells.push_back(game().board.WordCells[k][j]);
        return cells;
    }
    int aFillerCell() {
        for (int i = 0; i < BoardCells; ++i)
            if (!game().board.CellUsed[i]) return i;
        return -1;
    }
};

TEST_F(GameScreen, startUpTakesItsTextsAndFirstRoundFromTheProgramFolder) {
    folder.write("configuracion/idioma.txt",
                 "\"de\",\"Jugar\",\"Salir\",\"Mis palabras\",\"Pistas\"\n");
    load();
    EXPECT_EQ(game().ScoreOfWord, QStringLiteral("de"));
    EXPECT_EQ(form->Command2->text(), QStringLiteral("Mis palabras"));
    EXPECT_EQ(game().HintCaption, QStringLiteral("Pistas"));
    EXPECT_EQ(form->Command3->text(), QStringLiteral("0 de 6 - 0 %"));
    EXPECT_FALSE(form->Command3->isEnabled());
    EXPECT_EQ(game().WordsOffered, 6);
    EXPECT_EQ(form->Timer2->interval(), 300);
    EXPECT_TRUE(form->Timer2->isEnabled());
    for (int k = 0; k < WordSlots; ++k)
        EXPECT_FALSE(game().wordList.Words[k].isEmpty());
    EXPECT_EQ(form->Command1[0]->text(), game().board.caption(0));
    EXPECT_TRUE(form->Marchoso2->isVisibleTo(form.get()));
    EXPECT_FALSE(form->List2->isVisibleTo(form.get()));
}

struct LanguageRow {
    const char* what;
    QByteArray content; // empty: no language file at all
    const char* scoreWord;
    const char* wordList;
    const char* hint;
};

class LanguageItems : public GameScreen, public ::testing::WithParamInterface<LanguageRow> {};

// An item the file lacks takes the game's own text for it, never the item before it.
TEST_P(LanguageItems, eachCaptionTakesItsItemOrItsOwnDefault) {
    if (GetParam().content.isEmpty())
        folder.remove("configuracion/idioma.txt");
    else
        folder.write("configuracion/idioma.txt", GetParam().content);
    load();
    EXPECT_EQ(game().ScoreOfWord, QString::fromUtf8(GetParam().scoreWord)) << GetParam().what;
    EXPECT_EQ(form->Command2->text(), QString::fromUtf8(GetParam().wordList)) << GetParam().what;
    EXPECT_EQ(game().HintCaption, QString::fromUtf8(GetParam().hint)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageItems,
    ::testing::Values(
        LanguageRow{"missing", {}, "de", "Mis palabras", "Pistas"},
        LanguageRow{"one item", "of", "of", "Mis palabras", "Pistas"},
        LanguageRow{"two items", "of\nPlay\n", "of", "Mis palabras", "Pistas"},
        LanguageRow{"four items", "of,Play,Exit,Found words", "of", "Found words", "Pistas"},
        LanguageRow{"a number as items 1 and 4", "007,a,b,007,e", "007", "7", "e"},
        LanguageRow{"a quoted comma", "de,a,b,\"Mis, palabras\",e", "de", "Mis, palabras", "e"}));

// The stand-in texts are in the language the set says it is.
TEST_F(GameScreen, anEnglishSetFillsItsMissingItemsInEnglish) {
    folder.write("configuracion/lengua.txt", "en\n");
    folder.write("configuracion/idioma.txt", "of,Play\n");
    load();
    EXPECT_EQ(form->Command2->text(), QStringLiteral("Found words"));
    EXPECT_EQ(game().HintCaption, QStringLiteral("Hints"));
}

struct SpeedRow {
    QByteArray content; // empty: no speed file
    int interval;
};

class SpeedFile : public GameScreen, public ::testing::WithParamInterface<SpeedRow> {};

TEST_P(SpeedFile, theClockTakesTheLeadingNumberOrKeeps300WhenRefused) {
    if (GetParam().content.isEmpty())
        folder.remove("configuracion/velocidad.txt");
    else
        folder.write("configuracion/velocidad.txt", GetParam().content);
    load();
    EXPECT_EQ(form->Timer2->interval(), GetParam().interval) << GetParam().content.constData();
}

INSTANTIATE_TEST_SUITE_P(Files, SpeedFile,
                         ::testing::Values(SpeedRow{"150", 150}, SpeedRow{"abc", 0},
                                           SpeedRow{"0", 0}, SpeedRow{"-40", 300},
                                           SpeedRow{"99999", 300}, SpeedRow{"250ms", 250},
                                           SpeedRow{{}, 0}));

TEST_F(GameScreen, controlsStandWhereTheLayoutPutsThem) {
    load({1024, 768});
    EXPECT_EQ(form->Command1[0]->geometry(), toPixelRect(form->layout().Command1[0]));
    EXPECT_EQ(form->Command1[143]->geometry(), toPixelRect(form->layout().Command1[143]));
    EXPECT_EQ(form->layout().Command2.Top, 644); // above the board, not over its first row
    EXPECT_LT(form->Command2->geometry().bottom(), form->Command1[0]->geometry().top());
    EXPECT_EQ(form->Command4[0]->geometry(), toPixelRect(form->layout().Command4[0]));
    // The running figure starts just under the bottom-left cell.
    EXPECT_EQ(form->Marchoso2->left(), form->layout().Command1[132].Left);
    EXPECT_EQ(form->Marchoso2->top(), static_cast<float>(form->layout().Command1[132].Top +
                                                         form->layout().Command1[132].Height));
}

TEST_F(GameScreen, aMissIsRedWithTheErrorSoundAndTheFocusMovesToTheWordListButton) {
    load();
    const int cell = aFillerCell();
    QTest::mouseClick(form->Command1[cell], Qt::LeftButton);
    EXPECT_FALSE(form->Command1[cell]->isEnabled());
    EXPECT_EQ(game().board.Look[cell].BackColor, colours::Miss);
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_TRUE(sound.played[0].endsWith("sonidos/error.wav"));
    EXPECT_EQ(form->focusWidget(), form->Command2);
}

TEST_F(GameScreen, aCompletedWordShowsItsCaptionListsItAndPlaysTheAnimationOverItsPicture) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    folder.write("configuracion/idioma.txt", "de,Jugar,Salir,Mis palabras,Pistas");
    load();
    const std::vector<int> cells = cellsOf(2);
    for (int cell : cells)
        form->Command1_Click(cell);
    EXPECT_TRUE(form->Label1[2]->isVisibleTo(form.get()));
    EXPECT_EQ(form->Label1[2]->text(), game().wordList.Words[2]);
    ASSERT_GE(form->List2->count(), 1);
    EXPECT_EQ(form->List2->item(form->List2->count() - 1)->text(), game().wordList.Words[2]);
    // The caption straddles its picture's lower edge, large, and within the picture's width.
    const QRect picture = form->Image1[2]->geometry(), caption = form->Label1[2]->geometry();
    EXPECT_NEAR(caption.center().y(), picture.bottom(), 1);
    EXPECT_EQ(caption.left(), picture.left());
    EXPECT_GE(form->Label1[2]->font().pixelSize(), 12);
    EXPECT_LE(QFontMetrics(form->Label1[2]->font()).horizontalAdvance(game().wordList.Words[2]),
              picture.width());
    EXPECT_TRUE(form->Marchoso1->isVisibleTo(form.get()));
    EXPECT_NEAR(form->Marchoso1->geometry().center().x(), picture.center().x(), 1);
    EXPECT_NEAR(form->Marchoso1->geometry().center().y(), picture.center().y(), 1);
    for (int cell : cells)
        EXPECT_TRUE(form->Command1[cell]->pulsing()) << "cell " << cell;
    EXPECT_FALSE(form->Command1[aFillerCell()]->pulsing());
    EXPECT_TRUE(sound.played.last().endsWith("sonidos/acierto.wav"));
    EXPECT_TRUE(form->Command3->text().startsWith(QStringLiteral("1 de 6 - ")));
    EXPECT_TRUE(form->Timer1->isEnabled());
    form->Marchoso1_GifEnd();
    EXPECT_FALSE(form->Marchoso1->isVisibleTo(form.get()));
    QLocale::setDefault(QLocale::c());
}

TEST_F(GameScreen, theSixthWordPlaysTheFinalSoundAndStopsTheClock) {
    load();
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            if (form->Command1[cell]->isEnabled()) form->Command1_Click(cell);
    EXPECT_TRUE(sound.played.last().endsWith("sonidos/final.wav"));
    EXPECT_FALSE(form->Timer2->isEnabled());
    EXPECT_TRUE(form->Timer4->isEnabled());
    form->Timer4_Timer();
    EXPECT_EQ(navigation.menus, 1);
    EXPECT_FALSE(form->Timer4->isEnabled());
}

TEST_F(GameScreen, theHintKeySpendsEightCellsAndTheWordListButtonTogglesTheList) {
    load();
    QTest::keyClick(form.get(), Qt::Key_H);
    int red = 0;
    for (const CellLook& look : game().board.Look)
        red += look.BackColor == colours::Miss;
    EXPECT_EQ(red, 8);
    EXPECT_TRUE(form->Command3->text().endsWith(QString::number(module1.HintsUsed)));
    form->Command2_Click();
    EXPECT_TRUE(form->List2->isVisibleTo(form.get()));
    form->Command2_Click();
    EXPECT_FALSE(form->List2->isVisibleTo(form.get()));
}

TEST_F(GameScreen, theExitButtonEndsTheProgramAndTheNextRoundFollowsTheMenu) {
    load();
    form->Command4_Click(0);
    EXPECT_EQ(navigation.quits, 1);
    const QStringList before(game().wordList.PictureFiles.begin(),
                             game().wordList.PictureFiles.end());
    form->enableTimer3();
    EXPECT_TRUE(form->Timer3->isEnabled());
    form->Timer3_Timer();
    EXPECT_FALSE(form->Timer3->isEnabled());
    EXPECT_TRUE(form->Timer2->isEnabled());
    EXPECT_EQ(game().WordsOffered, 12);
    EXPECT_EQ(form->Command3->text(), QStringLiteral("0 de 12 - 0 %"));
}

TEST_F(GameScreen, theNextRoundStartsAboutHalfASecondAfterPlay) {
    load();
    form->Timer2->setInterval(0); // no round may end by time while this runs
    form->enableTimer3();
    EXPECT_TRUE(form->Timer3->isEnabled());
    EXPECT_EQ(form->Timer3->interval(), NextRoundDelayMs);
    EXPECT_EQ(game().WordsOffered, 6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game().WordsOffered == 12; }, 5000));
    EXPECT_FALSE(form->Timer3->isEnabled());
}

TEST_F(GameScreen, aClickOnTheRightColumnsMiddlePictureOpensItsFile) {
    load();
    // The viewer is modal: close it as soon as it shows.
    QString shown;
    QTimer::singleShot(100, [&shown] {
        if (auto* viewer = qobject_cast<Form4*>(QApplication::activeModalWidget())) {
            shown = viewer->pictureFile();
            viewer->close();
        }
    });
    form->Image1_Click(4);
    EXPECT_EQ(shown, game().wordList.PictureFiles[4]);
}

// A file name is shown as it stands: markup in it neither formats the caption nor loads a file
// (here a FIFO in the working folder, which would hang the game for ever).
TEST_F(GameScreen, aCaptionWithMarkupIsShownAsPlainText) {
    ProgramFolder marked{
        {"<img src=x>.png", "<b>sol.png", "pato.png", "luna.png", "gato.png", "oso.png"}};
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(marked.path()));
    ASSERT_EQ(mkfifo("x", 0600), 0);
    form = std::make_unique<Form1>(assets::resolve(marked.path()), navigation, module1, sound,
                                   QSize(800, 600));
    form->Form_Load();
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            if (form->Command1[cell]->isEnabled()) form->Command1_Click(cell);
    form->grab();
    QDir::setCurrent(workingFolder);
    QStringList captions;
    for (const QLabel* label : form->Label1) {
        EXPECT_TRUE(label->isVisibleTo(form.get()));
        captions << label->text();
    }
    EXPECT_TRUE(captions.contains(QStringLiteral("<IMG SRC=X>")));
    EXPECT_TRUE(captions.contains(QStringLiteral("<B>SOL")));
}

TEST_F(GameScreen, aFolderWithoutPicturesStillGivesAPlayableScreen) {
    ProgramFolder empty{QStringList()};
    form = std::make_unique<Form1>(assets::resolve(empty.path()), navigation, module1, sound,
                                   QSize(800, 600));
    form->Form_Load();
    for (const QString& word : game().wordList.Words)
        EXPECT_TRUE(word.isEmpty());
    form->Command1_Click(0);
    EXPECT_EQ(game().ErrorCount, 1);
}

// The score's numbers always show in full at 640 x 480: the text shrinks, and only a teacher's
// long connecting word gives way.
TEST_F(GameScreen, scoreTextFitsItsButtonOnTheSmallestScreen) {
    load({640, 480});
    const auto fits = [this] {
        const QFontMetrics metrics(form->Command3->font());
        return metrics.horizontalAdvance(form->Command3->text()) <=
               form->Command3->contentsRect().width();
    };
    game().Command3Caption = QStringLiteral("9999 de 9999 - 99.9999999999999 %");
    form->fitScoreText();
    EXPECT_EQ(form->Command3->text(), game().Command3Caption);
    EXPECT_GE(form->Command3->font().pointSizeF(), 8);
    EXPECT_TRUE(fits());

    game().ScoreOfWord = QStringLiteral("palabras encontradas de un total de");
    game().WordsFound = 9999;
    game().WordsOffered = 9999;
    game().Command3Caption = *game().ScoreText();
    form->fitScoreText();
    const QString shown = form->Command3->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("9999 pal"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("… 9999 - 100 %"))) << shown.toStdString();
    EXPECT_EQ(form->Command3->font().pointSizeF(), 8);
    EXPECT_TRUE(fits());
}

// The end of a round shows over the board during the pause, and is gone when the menu comes.
TEST_F(GameScreen, roundEndShowsHowItEndedUntilTheMenu) {
    load();
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            if (form->Command1[cell]->isEnabled()) form->Command1_Click(cell);
    ASSERT_EQ(game().phase(), RoundPhase::Ended);
    EXPECT_TRUE(form->EndSign->isVisibleTo(form.get()));
    EXPECT_EQ(form->EndSign->ending(), RoundEnding::Won);
    // Beside the board: the words the round's end reveals stay in sight.
    const QRect board = form->Command1[0]->geometry().united(form->Command1[143]->geometry());
    EXPECT_FALSE(form->EndSign->geometry().intersects(board));
    EXPECT_GE(form->EndSign->width(), board.width() / 4);
    form->Timer4_Timer();
    EXPECT_FALSE(form->EndSign->isVisibleTo(form.get()));

    form->Timer3_Timer();
    while (game().phase() == RoundPhase::Playing)
        form->Command1_Click(aFillerCell());
    EXPECT_EQ(form->EndSign->ending(), RoundEnding::TriesUsed);
    EXPECT_TRUE(sound.played.last().endsWith("sonidos/perdida.wav"));
    form->Timer4_Timer();
    form->Timer3_Timer();
    // A play folder without the lost round's sound ends the round quietly: no beep, no crash.
    QFile::remove(folder.path() + "/sonidos/perdida.wav");
    const qsizetype before = sound.played.size();
    while (game().phase() == RoundPhase::Playing)
        form->Timer2_Timer();
    EXPECT_EQ(form->EndSign->ending(), RoundEnding::TimeUp);
    EXPECT_TRUE(form->EndSign->isVisibleTo(form.get()));
    EXPECT_EQ(sound.played.size(), before);
}

// Balloons standing in the tries' row: slots whose balloon's middle is painted in a bright colour.
int balloonsSeen(TriesView& tries) {
    const QImage image = tries.grab().toImage();
    const int count = TriesView::total();
    const int size = std::min(image.width() / count, image.height());
    int seen = 0;
    for (int i = 0; i < count; ++i) {
        const QPoint middle(image.width() * (2 * i + 1) / (2 * count),
                            (image.height() - size) / 2 + size * 38 / 100);
        seen += QColor(image.pixel(middle)).hsvSaturation() > 100;
    }
    return seen;
}

// One balloon pops at every miss, and a screen reader hears how many tries are left.
TEST_F(GameScreen, eachMissPopsOneOfTheEightBalloons) {
    load();
    EXPECT_EQ(balloonsSeen(*form->Tries), 8);
    EXPECT_EQ(form->Tries->accessibleName(), QStringLiteral("quedan 8 intentos"));
    for (int miss = 1; miss <= MaxErrors; ++miss) {
        form->Command1_Click(aFillerCell());
        EXPECT_EQ(form->Tries->left(), MaxErrors - miss);
        EXPECT_EQ(form->Tries->accessibleName(),
                  QStringLiteral("quedan %1 intentos").arg(MaxErrors - miss));
        if (miss == 3 || miss == MaxErrors) {
            QTest::qWait(400); // the burst
            EXPECT_EQ(balloonsSeen(*form->Tries), MaxErrors - miss) << miss << " misses";
        }
    }
    form->Timer4_Timer();
    form->Timer3_Timer();
    EXPECT_EQ(balloonsSeen(*form->Tries), 8) << "a new round brings them all back";
}

// Nothing a screen reader can reach names a word before it is found: the pictures are numbered
// and the hidden captions carry no text; a found word's caption then names it.
TEST_F(GameScreen, theAccessibleTreeGivesNoWordAwayAtTheRoundsStart) {
    load();
    form->show();
    QStringList names;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        names << node->text(QAccessible::Name) << node->text(QAccessible::Description);
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i)) walk(child);
    };
    walk(QAccessible::queryAccessibleInterface(form.get()));
    ASSERT_GT(names.size(), 2 * BoardCells);
    for (int k = 0; k < WordSlots; ++k) {
        const QString& word = game().wordList.Words[k];
        ASSERT_GT(word.size(), 1);
        EXPECT_FALSE(names.contains(word)) << word.toStdString();
        EXPECT_TRUE(form->Label1[k]->text().isEmpty());
        EXPECT_TRUE(names.contains(QStringLiteral("imagen %1").arg(k + 1)));
    }
    for (int cell : cellsOf(0))
        form->Command1_Click(cell);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->Label1[0])->text(QAccessible::Name),
              game().wordList.Words[0]);
}

// Every round starts on the board with its cursor seen on the first letter, whichever control
// the last round left the focus on.
TEST_F(GameScreen, eachRoundStartsWithTheFocusAndTheSeenCursorOnTheBoard) {
    QApplication::setDoubleClickInterval(0);
    load();
    form->showOnScreen();
    QApplication::setActiveWindow(form.get());
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(QApplication::focusWidget(), form->Cursor) << "round " << round;
        EXPECT_EQ(form->Cursor->cell(), 0);
        EXPECT_TRUE(form->Command1[0]->cursorShown()) << "round " << round;
        QTest::mouseClick(form->Command1[aFillerCell()], Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), form->Command2);
        EXPECT_FALSE(form->Command1[0]->cursorShown());
        form->Timer3_Timer();
    }
    QApplication::setDoubleClickInterval(400);
}

// Letters, the animations and the captions grow with the cells past 1,024 x 768; a faint caption
// is outlined.
TEST_F(GameScreen, largeScreensGrowLettersAndOutlineFaintCaptions) {
    load({1920, 1080});
    const double growth = 1045.0 / 731;
    EXPECT_NEAR(form->Command1[0]->font().pointSizeF(), 18 * growth, 0.01);
    EXPECT_NEAR(form->Marchoso2->width(), 49 * growth, 1);
    form->Timer1_Timer();
    // A caption's letters are a third of its square picture's height, or fill its width.
    const QFont caption = form->Label1[0]->font();
    const int wordWidth = QFontMetrics(caption).horizontalAdvance(form->Label1[0]->word());
    EXPECT_TRUE(caption.pixelSize() >= form->Image1[0]->height() / 3 - 1 ||
                wordWidth >= form->Image1[0]->width() * 9 / 10)
        << caption.pixelSize() << " px";
    game().FlashLabel = 0;
    game().LabelForeColor[1] = 0x00FFFF; // yellow
    form->Timer1_Timer();
    EXPECT_EQ(form->Label1[1]->outline(), std::optional<Colour>(0x000000));
}

// A clicked picture's word is said at once from its recording; a found word once the chime has
// played; a word without a recording is silence.
TEST_F(GameScreen, picturesAndFoundWordsAreSaidFromTheirRecordings) {
    load();
    RecordingVoiceFake voice;
    form->setVoice(&voice);
    const auto recordingOf = [this](int k) {
        return assets::resolve(folder.path()).recording(game().wordList.PictureFiles[k]);
    };
    for (int k = 0; k < WordSlots - 1; ++k)
        voice.playable << recordingOf(k);
    // The viewer the click opens is modal: closed as soon as it shows.
    const auto closeViewer = [] {
        QTimer::singleShot(0, [] {
            if (QWidget* viewer = QApplication::activeModalWidget()) viewer->close();
        });
    };
    closeViewer();
    form->Image1_Click(3);
    EXPECT_EQ(voice.said, QStringList{recordingOf(3)});
    voice.endWord();
    closeViewer();
    form->Image1_Click(5);
    EXPECT_EQ(voice.said.size(), 1);

    for (int cell : cellsOf(1))
        if (form->Command1[cell]->isEnabled()) form->Command1_Click(cell);
    ASSERT_TRUE(game().WordFound[1]);
    EXPECT_EQ(voice.said.size(), 1) << "said before the chime ended";
    EXPECT_TRUE(QTest::qWaitFor([&] { return voice.said.contains(recordingOf(1)); }, 5000));

    // The teacher's switch, read at start-up, silences the next game screen.
    folder.write(QStringLiteral("configuracion/voz.txt"), "no");
    form = std::make_unique<Form1>(assets::resolve(folder.path()), navigation, module1, sound,
                                   QSize(800, 600));
    form->setVoice(&voice);
    form->Form_Load();
    voice.playable << recordingOf(0);
    const qsizetype saidBefore = voice.said.size();
    closeViewer();
    form->Image1_Click(0);
    EXPECT_EQ(voice.said.size(), saidBefore);
}

// The teacher's lower-case option: letters, captions and the word list in lower case, and a round
// is won the same way.
TEST_F(GameScreen, lowerCaseOptionShowsEveryLetterInLowerCase) {
    folder.write(QStringLiteral("configuracion/voz.txt"), "si, minusculas");
    load();
    for (const LetterButton* cell : form->Command1)
        EXPECT_EQ(cell->text(), cell->text().toLower());
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            if (form->Command1[cell]->isEnabled()) form->Command1_Click(cell);
    EXPECT_EQ(form->EndSign->ending(), RoundEnding::Won);
    for (int k = 0; k < WordSlots; ++k) {
        EXPECT_EQ(form->Label1[k]->text(), game().wordList.Words[k].toLower());
        EXPECT_EQ(form->List2->item(k)->text(), form->List2->item(k)->text().toLower());
    }
}

} // namespace
