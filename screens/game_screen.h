// The game screen Form1: the board, the two caption buttons, the word list, the picture panel,
// the running figure and the four timers of a round.
#pragma once

#include "announcer.h"
#include "asset_paths.h"
#include "board_cursor.h"
#include "caption_label.h"
#include "game.h"
#include "game_sounds.h"
#include "game_timer.h"
#include "layout.h"
#include "letter_button.h"
#include "navigation.h"
#include "picture_label.h"
#include "picture_panel.h"
#include "score_button.h"
#include "speech_player.h"
#include "stray_clicks.h"
#include "tries_view.h"
#include "voice_switch.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <memory>

class GifControl;
class RoundEndSign;
class Sound;
class Voice;

class Form1 : public QWidget {
    Q_OBJECT
  public:
    // The screen's size is read once here, in twips; tests give one of their own. The level of
    // each round and the hints taken are module1's, which outlives the screen. Every file comes
    // from paths, the program run's.
    Form1(assets::AssetPaths paths, Navigation& navigation, Module1& module1, Sound& sound,
          QSize screenPixels = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence: texts, layout, the first round, the clock's speed.
    void Form_Load();
    // Covers the whole screen without a title bar.
    void showOnScreen();

    // The paths of another language set or of changed settings, from the next round on: its
    // pictures, texts, captions, voice, letters and clock. The round on the screen stays as it is.
    void usePaths(assets::AssetPaths paths);

    // The level menu's play button after a round: the next round 500 ms later.
    void enableTimer3();
    // The score button's text as large as fits, whenever the game changes it.
    void fitScoreText();
    // Who says the words: a clicked picture's word, and each word found once its chime has
    // played. Without one the game is silent.
    void setVoice(Voice* voice);

    // Event handlers, each forwarding to the game and showing the outcome. A letter's click hands
    // the focus to the word-list button; the same letter pressed from the keyboard or by an
    // assistive tool (Command1_Press) keeps it on the board.
    void Command1_Click(int Index);
    void Command1_Press(int Index);
    void Command2_Click();
    void Command3_Click();
    void Command4_Click(int Index);
    void Image1_Click(int Index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Marchoso1_GifEnd();

    Game& game() { return m_game; }
    Module1& module1() { return m_module1; }
    const GameScreenLayout& layout() const { return m_layout; }

    std::array<LetterButton*, BoardCells> Command1{};
    BoardCursor* Cursor = nullptr;
    // What a screen reader announces: a word found, the round's end, the score.
    Announcer* Status = nullptr;
    QPushButton* Command2 = nullptr;
    ScoreButton* Command3 = nullptr;
    // The tries left this round, beside the score.
    TriesView* Tries = nullptr;
    std::array<QPushButton*, 2> Command4{};
    QListWidget* List2 = nullptr;
    std::array<CaptionLabel*, WordSlots> Label1{};
    std::array<PictureLabel*, WordSlots> Image1{};
    GifControl* Marchoso1 = nullptr;
    GifControl* Marchoso2 = nullptr;
    GameTimer* Timer1 = nullptr;
    GameTimer* Timer2 = nullptr;
    GameTimer* Timer3 = nullptr;
    GameTimer* Timer4 = nullptr;
    // How the round ended, beside the board during the pause before the menu.
    RoundEndSign* EndSign = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void createButtons();
    void createWordsAndPictures();
    void connectEvents();
    void ArrangeGameScreen();
    void readCaptions();
    void readSettings();
    void PicturePanel();
    void RunnerSetup();
    void showBoard();
    void showWords();
    void syncTimers();
    void showRoundEnd(RoundEnding ending, QStringList news = {});
    ClickResult judgeLetter(int Index);
    void showSuccess(int Index, const std::vector<int>& words);
    void showCursor();
    QString assetPath(const char16_t* relative) const;
    void place(QWidget* widget, const TwipsRect& twips);

    assets::AssetPaths m_paths;
    Navigation& m_navigation;
    Module1& m_module1;
    GameSounds m_sounds;
    double m_screenWidth = 0;  // twips
    double m_screenHeight = 0; // twips
    ClockRandom m_random;
    std::unique_ptr<LayeredPictureFolder> m_pictures;
    Game m_game;
    GameScreenLayout m_layout;
    double m_growth = 1;      // of the letters, captions and animations, with the board
    bool m_lowerCase = false; // the teacher's switch: letters and words in lower case
    QStringList m_texts;      // the texts file's, for screen readers
    int m_cursorAt = -1;      // the letter that shows the keyboard cursor, if any
    StrayClicks m_shown;      // since the screen was shown, for the double-click on play
    PanelPictures m_panel;
    SpeechPlayer m_speech;
};
