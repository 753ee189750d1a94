// The game screen: builds its controls, runs the start-up sequence, and forwards every click and
// tick to the game, then shows the game's state and carries out what it asks for.
#include "game_screen.h"
#include "announcer.h"
#include "asset_paths.h"
#include "caption_label.h"
#include "colours.h"
#include "game_font.h"
#include "game_sounds.h"
#include "gif_control.h"
#include "language_file.h"
#include "picture_loader.h"
#include "picture_panel.h"
#include "picture_viewer.h"
#include "play_settings.h"
#include "round_end_sign.h"
#include "score_button.h"
#include "screen_area.h"
#include "text_file.h"
#include "texts_file.h"
#include "units.h"
#include "voice_switch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <cstdio>

namespace {

// The design sizes of the two animations, grown with the board.
constexpr double SuccessWidth = 1095, SuccessHeight = 1335;
constexpr double RunnerSize = 735;

// The round is still dealt without pictures; whoever set the game up learns why.
void reportProblem(std::optional<RoundProblem> problem, const PictureFolder& pictures) {
    if (problem == RoundProblem::NoUsablePicture)
        std::fprintf(stderr, "tolvano: no usable pictures in %s\n",
                     qPrintable(pictures.location()));
}

} // namespace

Form1::Form1(assets::AssetPaths paths, Navigation& navigation, Module1& module1, Sound& sound,
             QSize screenPixels, QWidget* parent)
    : QWidget(parent), m_paths(std::move(paths)), m_navigation(navigation), m_module1(module1),
      m_sounds(sound, [this](const char16_t* relative) { return assetPath(relative); }),
      m_pictures(std::make_unique<LayeredPictureFolder>(m_paths.pictureFolders(), &canShowPicture)),
      m_game(m_random, *m_pictures), m_panel(Image1, Label1),
      m_speech(m_game.wordList, m_sounds,
               [this](const QString& file) { return m_paths.recording(file); }) {
    const QSize screen = screenPixels.isValid() ? screenPixels : screenArea().size();
    m_screenWidth = units::toTwips(screen.width());
    m_screenHeight = units::toTwips(screen.height());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    m_texts = readTexts(assetPath(assets::TextsFile), m_paths.language());
    createControls();
    connectEvents();
    m_game.RunnerSetup = [this] { RunnerSetup(); };
    m_game.PicturePanel = [this] { PicturePanel(); };
    showBoard();
}

// The base class closes the window, and the focus leaving the board then would reach this screen's
// handlers after its own part is gone.
Form1::~Form1() {
    disconnect(Cursor, nullptr, this, nullptr);
    Command2->removeEventFilter(this);
}

// The board's letters, the word-list and score buttons, and the two corner buttons.
void Form1::createButtons() {
    for (int i = 0; i < BoardCells; ++i)
        Command1[i] = new LetterButton(this);
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new ScoreButton(this);
    Tries = new TriesView(this);
    for (QPushButton* button : std::initializer_list<QPushButton*>{Command2, Command3})
        button->setFont(arial(12, true));
    setStyleSheet(
        QStringLiteral("QPushButton#Command2 { background: #FFE0C0; border: 1px solid #B09070; "
                       "border-radius: 4px; color: black; }"
                       // A ring a child's eye finds: dark and thick on the pale button.
                       "QPushButton#Command2:focus { border: 4px solid #1A237E; }"
                       "QPushButton#Command3 { background: #C0FFC0; border: 1px solid #70B070; "
                       "border-radius: 4px; color: black; }"
                       "QPushButton#Command4 { background: white; border: none; }"
                       "QListWidget#List2 { color: #0000C0; background: white; }"));
    Command2->setFocusPolicy(Qt::StrongFocus);
    // Enter presses it too, as on every other button a keyboard reaches; its arrows lead to the
    // board rather than to the next button.
    Command2->setAutoDefault(true);
    Command2->installEventFilter(this);
    // The hint has its key; the keyboard's round is the board, the word list and the pictures.
    Command3->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 2; ++i) {
        Command4[i] = new QPushButton(this);
        Command4[i]->setObjectName(QStringLiteral("Command4"));
        Command4[i]->setFocusPolicy(Qt::NoFocus);
        Command4[i]->setIcon(QIcon(i == 0 ? m_paths.windowPicture(u"salir.png")
                                          : m_paths.windowPicture(u"minimizar.png")));
    }
    Command4[0]->setAccessibleName(QStringLiteral("Salir"));
    Command4[1]->setAccessibleName(QStringLiteral("Minimizar"));
}

// The word list, the pictures with their captions, and the two animations over them.
void Form1::createWordsAndPictures() {
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setFont(arial(14.25, true));
    List2->setFocusPolicy(Qt::NoFocus);
    List2->hide();
    for (int k = 0; k < WordSlots; ++k) {
        Image1[k] = new PictureLabel(this);
        Label1[k] = new CaptionLabel(this);
        Label1[k]->setFont(arial(14.25, true));
        Label1[k]->hide();
    }
    Marchoso1 = new GifControl(this);
    Marchoso1->hide();
    Marchoso2 = new GifControl(this);
    Marchoso2->hide();
}

void Form1::createControls() {
    createButtons();
    createWordsAndPictures();
    Timer1 = new GameTimer(FlashIntervalMs, false, this);
    Timer2 = new GameTimer(RunnerIntervalMs, true, this);
    Timer3 = new GameTimer(NextRoundDelayMs, false, this);
    Timer4 = new GameTimer(RoundEndPauseMs, false, this);
    EndSign = new RoundEndSign(this);
    EndSign->hide();
    Cursor = new BoardCursor(this);
    Status = new Announcer(this);
    setTabOrder(Cursor, Command2);
    setTabOrder(Command2, Image1[0]);
    for (int k = 1; k < WordSlots; ++k)
        setTabOrder(Image1[k - 1], Image1[k]);
}

void Form1::connectEvents() {
    for (int i = 0; i < BoardCells; ++i)
        connect(Command1[i], &QAbstractButton::clicked, this, [this, i] {
            // The board appears under the hand that pressed play: the second click of a
            // double-click on play must not count as the first round's first letter.
            if (m_shown.stray()) return;
            Command1_Click(i);
        });
    for (int i = 0; i < BoardCells; ++i)
        connect(Command1[i], &LetterButton::accessiblyPressed, this,
                [this, i] { Command1_Press(i); });
    connect(Cursor, &BoardCursor::changed, this, &Form1::showCursor);
    connect(Cursor, &BoardCursor::pressed, this, [this](int cell) {
        // As with a click: the Enter that pressed play is not the round's first letter.
        if (m_shown.stray()) return;
        Command1_Press(cell);
    });
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    for (int i = 0; i < 2; ++i)
        connect(Command4[i], &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
    for (int k = 0; k < WordSlots; ++k)
        connect(Image1[k], &PictureLabel::clicked, this, [this, k] { Image1_Click(k); });
    connect(Marchoso1, &GifControl::GifEnd, this, &Form1::Marchoso1_GifEnd);
    connect(Timer1, &GameTimer::Timer, this, &Form1::Timer1_Timer);
    connect(Timer2, &GameTimer::Timer, this, &Form1::Timer2_Timer);
    connect(Timer3, &GameTimer::Timer, this, &Form1::Timer3_Timer);
    connect(Timer4, &GameTimer::Timer, this, &Form1::Timer4_Timer);
}

QString Form1::assetPath(const char16_t* relative) const {
    return m_paths.file(relative);
}

void Form1::place(QWidget* widget, const TwipsRect& twips) {
    widget->setGeometry(toPixelRect(twips));
}

// --- Start-up ---

void Form1::Form_Load() {
    const PlaySettings settings = playSettings(m_paths);
    m_lowerCase = settings.lowerCase;
    m_game.letters = settings.letters;
    m_game.ScoreOfWord = m_paths.languageFile().shown(LanguageItem::ScoreWord);
    ArrangeGameScreen();
    m_game.theme = m_module1.Theme;
    reportProblem(m_game.NextRound(m_module1.Level), *m_pictures);
    readSettings();
    place(Command4[0], m_layout.Command4[0]);
    place(Command4[1], m_layout.Command4[1]);
    // QIcon never draws a picture larger than it is, and the corner pictures are small: scaled
    // up here, they grow with the buttons and the board.
    for (int i = 0; i < 2; ++i) {
        const QSize side = Command4[i]->size() - QSize(4, 4);
        const QPixmap picture(m_paths.windowPicture(i == 0 ? u"salir.png" : u"minimizar.png"));
        if (!picture.isNull())
            Command4[i]->setIcon(
                QIcon(picture.scaled(side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        Command4[i]->setIconSize(side);
    }
    showBoard();
    syncTimers();
}

void Form1::ArrangeGameScreen() {
    m_layout = ::ArrangeGameScreen(m_screenWidth, m_screenHeight);
    m_growth = boardGrowth(m_layout.CellSize);
    for (int i = 0; i < BoardCells; ++i) {
        place(Command1[i], m_layout.Command1[i]);
        Command1[i]->setGrowth(m_growth);
    }
    Marchoso1->setSizeTwips(SuccessWidth * m_growth, SuccessHeight * m_growth);
    Marchoso2->setSizeTwips(RunnerSize * m_growth, RunnerSize * m_growth);
    // A thin outline is lost on a large screen.
    for (CaptionLabel* caption : Label1)
        caption->setOutlineWidth(m_growth > 1 ? 2 : 1);
    Cursor->setGeometry(Command1[0]->geometry().united(Command1[BoardCells - 1]->geometry()));
    Cursor->raise();
    place(Command2, m_layout.Command2);
    place(Command3, m_layout.Command3);
    place(Tries, m_layout.Tries);
    place(List2, m_layout.List2);
    m_game.setRunnerTrack(m_layout.Command1[132].Left, m_layout.Command1[143].Left);
    readCaptions();
}

// The word-list button's caption, and the score button's until the first score replaces it; an
// item the language file lacks takes the game's own text for it.
void Form1::readCaptions() {
    const LanguageFile language = m_paths.languageFile();
    Command2->setText(language.shown(LanguageItem::WordList));
    Command2->setFont(arial(ScorePoints * m_growth, true));
    Command3->setText(language.shown(LanguageItem::Hints));
    m_game.HintCaption = Command3->text();
}

// The teacher's switches: the voice (off, recordings only, or recordings and the system's voice),
// the letters' case and the clock.
void Form1::readSettings() {
    const PlaySettings settings = playSettings(m_paths);
    m_lowerCase = settings.lowerCase;
    m_game.letters = settings.letters; // from the next round on
    if (settings.runnerInterval) Timer2->setInterval(*settings.runnerInterval);
    m_speech.setSpeaking(settings.speaking);
}

void Form1::usePaths(assets::AssetPaths paths) {
    m_paths = std::move(paths);
    m_pictures->setFolders(m_paths.pictureFolders());
    m_texts = readTexts(assetPath(assets::TextsFile), m_paths.language());
    m_game.ScoreOfWord = m_paths.languageFile().shown(LanguageItem::ScoreWord);
    readCaptions();
    readSettings();
}

void Form1::showOnScreen() {
    setGeometry(0, 0, units::toPixels(m_screenWidth), units::toPixels(m_screenHeight));
    showFullScreen();
    m_shown.start();
    // The board holds the focus from the start: a child's first Space presses the letter under
    // the cursor it sees, not an unseen word-list button.
    Cursor->setFocus(Qt::OtherFocusReason);
}

// --- The picture panel, laid out at every choice of pictures ---

void Form1::PicturePanel() {
    std::array<PanelSlot, WordSlots> pictures;
    for (int k = 0; k < WordSlots; ++k)
        pictures[k] = {m_paths.picture(m_game.wordList.PictureFiles[k]),
                       m_lowerCase ? lowerCaseWord(m_game.wordList.PictureFiles[k])
                                   : m_game.wordList.Words[k]};
    const std::array<bool, WordSlots> shown =
        m_panel.show(pictures, m_layout, m_screenWidth, m_screenHeight);
    // A picture that cannot be shown is not drawn again.
    for (int k = 0; k < WordSlots; ++k) {
        const QString& file = m_game.wordList.PictureFiles[k];
        if (!shown[k] && !file.isEmpty()) m_pictures->markNotPicture(file);
    }
}

// --- The running figure ---

// The figure's place goes through single precision (kept: see docs/behaviours.md).
void Form1::RunnerSetup() {
    const TwipsRect& first = m_layout.Command1[132];
    Marchoso2->setVisible(false);
    Marchoso2->setTop(static_cast<float>(first.Top + first.Height));
    Marchoso2->setLeft(first.Left);
    Marchoso2->setGifFile(assetPath(assets::RunnerGif));
    Marchoso2->setVisible(true);
    Marchoso2->raise();
    m_game.RunnerLeft = static_cast<float>(Marchoso2->left());
}

// --- Events ---

void Form1::Command1_Click(int Index) {
    if (judgeLetter(Index).focusToCommand2) Command2->setFocus();
}

void Form1::Command1_Press(int Index) {
    judgeLetter(Index);
}

ClickResult Form1::judgeLetter(int Index) {
    const QString score = m_game.Command3Caption;
    const ClickResult result = m_game.Command1_Click(Index);
    if (result.successAnimation) showSuccess(Index, result.completedWords);
    for (SoundId sound : result.sounds)
        m_sounds.play(sound);
    m_speech.sayFoundWords(result);
    showBoard();
    syncTimers();
    QStringList news;
    for (int k : result.completedWords)
        news << textOf(m_texts, TextId::WordFound).arg(Image1[k]->accessibleName());
    if (m_game.Command3Caption != score)
        news << textOf(m_texts, TextId::Score).arg(m_game.Command3Caption);
    if (result.ending)
        showRoundEnd(*result.ending, news);
    else if (!news.isEmpty())
        Status->announce(news);
    return result;
}

// The burst covers the found word's picture for its length, where a child looks for the word,
// and the word's letters pulse once in its colour.
void Form1::showSuccess(int Index, const std::vector<int>& words) {
    TwipsRect over = m_layout.Command1[Index];
    over.Width = SuccessWidth * m_growth;
    over.Height = SuccessHeight * m_growth;
    if (!words.empty() && !Image1[words.back()]->geometry().isEmpty()) {
        const QRect picture = Image1[words.back()]->geometry();
        const double side = units::toTwips(std::min(picture.width(), picture.height()));
        over = {units::toTwips(picture.center().x()) - side / 2,
                units::toTwips(picture.center().y()) - side / 2, side, side};
    }
    Marchoso1->setSizeTwips(over.Width, over.Height);
    Marchoso1->setVisible(true);
    Marchoso1->setTop(over.Top);
    Marchoso1->setLeft(over.Left);
    Marchoso1->setGifFile(assetPath(assets::SuccessGif));
    Marchoso1->raise();
    for (int k : words)
        for (int j = 1; j < WordPositions; ++j)
            if (const int cell = m_game.board.WordCells[k][j]; cell >= 0) Command1[cell]->pulse();
}

// Asks whether the list was hidden rather than whether it is seen: a minimised screen sees
// nothing, yet a click must still show the list.
void Form1::Command2_Click() {
    List2->setVisible(List2->isHidden());
}

void Form1::Command3_Click() {
    m_game.Command3_Click(m_module1);
    showBoard();
}

void Form1::Command4_Click(int Index) {
    if (Index == 0)
        m_navigation.quit();
    else
        showMinimized();
}

void Form1::Image1_Click(int Index) {
    if (!m_game.wordList.PictureFiles[Index].isEmpty()) m_speech.sayNow(Index);
    Form4::open(m_paths, m_game.wordList.PictureFiles[Index], this);
}

void Form1::Timer1_Timer() {
    m_game.Timer1_Timer();
    showWords();
}

void Form1::Timer2_Timer() {
    const ClockTick tick = m_game.Timer2_Timer();
    Marchoso2->move(tick.runnerLeft);
    for (SoundId sound : tick.sounds)
        m_sounds.play(sound);
    if (!tick.ending) return;
    showBoard();
    syncTimers();
    showRoundEnd(*tick.ending);
}

void Form1::Timer3_Timer() {
    EndSign->hide();
    m_speech.clear();
    // A new round: the same news again (out of time, say) must be heard again.
    Status->announce({});
    m_game.theme = m_module1.Theme;
    reportProblem(m_game.Timer3_Timer(m_module1.Level), *m_pictures);
    showBoard();
    syncTimers();
    Cursor->reset();
    Cursor->setFocus(Qt::OtherFocusReason);
}

void Form1::Timer4_Timer() {
    EndSign->hide();
    m_game.Timer4_Timer();
    syncTimers();
    m_navigation.showLevelMenuOverGame();
}

void Form1::Marchoso1_GifEnd() {
    Marchoso1->setVisible(false);
}

void Form1::enableTimer3() {
    m_game.playPressed();
    syncTimers();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Command2 && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            Cursor->setFocus(Qt::TabFocusReason);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::keyPressEvent(QKeyEvent* event) {
    // The hint, offered by a key so that it stays a teacher's or a parent's secret.
    switch (event->key()) {
    case Qt::Key_H:
        if (!event->isAutoRepeat()) Command3_Click();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Arrows that nothing else took lead to the board: where a child would look for them.
        Cursor->setFocus(Qt::TabFocusReason);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// --- Showing the game's state ---

void Form1::showBoard() {
    for (int i = 0; i < BoardCells; ++i) {
        Command1[i]->display(m_game.shownLetter(i, m_lowerCase), m_game.board.Look[i]);
        // Every change is announced, so only a change is made.
        const QString described = describedMark(m_game.board.Look[i].Mark, m_texts);
        if (Command1[i]->accessibleDescription() != described)
            Command1[i]->setAccessibleDescription(described);
    }
    if (!m_game.Command3Caption.isEmpty()) fitScoreText();
    Command3->setEnabled(m_game.Command3Enabled);
    const int triesLeft = std::max(0, MaxErrors - int(m_game.ErrorCount));
    Tries->setLeft(triesLeft);
    const QString tries = textOf(m_texts, TextId::TriesLeft).arg(triesLeft);
    if (Tries->accessibleName() != tries) Tries->setAccessibleName(tries);
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(m_game.BackColor));
    setPalette(background);
    showWords();
}

void Form1::showWords() {
    for (int k = 0; k < WordSlots; ++k) {
        // The caption's size is its picture's (the panel's layout); the game says when it shows.
        Label1[k]->setTextColour(m_game.LabelForeColor[k]);
        Label1[k]->reveal(m_game.LabelVisible[k]);
        // A picture's name would give its word away until the word is found.
        const QString& file = m_game.wordList.PictureFiles[k];
        const QString name = m_game.WordFound[k] && !file.isEmpty()
                                 ? (m_lowerCase ? lowerCaseWord(file) : m_game.wordList.Words[k])
                                 : textOf(m_texts, TextId::Picture).arg(k + 1);
        if (Image1[k]->accessibleName() != name) Image1[k]->setAccessibleName(name);
    }
    while (List2->count() < m_game.List2.size())
        List2->addItem(m_lowerCase ? lowerCaseWord(m_game.List2Files[List2->count()])
                                   : m_game.List2[List2->count()]);
}

void Form1::fitScoreText() {
    Command3->fitText(m_game, m_growth);
}

void Form1::showRoundEnd(RoundEnding ending, QStringList news) {
    EndSign->showOver(toPixelRect(m_layout.EndSign), ending);
    const TextId said = ending == RoundEnding::Won      ? TextId::RoundWon
                        : ending == RoundEnding::TimeUp ? TextId::RoundTimeUp
                                                        : TextId::RoundTriesUsed;
    Status->announce(news << textOf(m_texts, said));
}

// The letter under the keyboard cursor shows it, and holds the focus for screen readers, while
// the board has the focus.
void Form1::showCursor() {
    const int at = Cursor->shown() ? Cursor->cell() : -1;
    if (m_cursorAt >= 0 && m_cursorAt != at) {
        Command1[m_cursorAt]->showCursor(false);
        Command1[m_cursorAt]->setHoldsFocus(false);
    }
    m_cursorAt = at;
    if (at >= 0) {
        Command1[at]->showCursor(true);
        Command1[at]->setHoldsFocus(true);
    }
}

// --- Speech ---

void Form1::setVoice(Voice* voice) {
    m_speech.setVoice(voice);
}

void Form1::syncTimers() {
    const RunningTimers runs = m_game.runningTimers();
    Timer1->setEnabled(runs.Timer1);
    Timer2->setEnabled(runs.Timer2);
    Timer3->setEnabled(runs.Timer3);
    Timer4->setEnabled(runs.Timer4);
}
