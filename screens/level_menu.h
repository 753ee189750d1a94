// The level menu Form3: level buttons, the level's animation and description, play and exit.
#pragma once

// The menu is loaded afresh at every appearance: the navigation builds a new Form3 each time, and
// Form_Load runs from the constructor, so the window is complete (texts, pictures, place) before
// anyone shows it, with show() after the splash or exec() over the game screen after a round.
// Being built again each time, it opens on the program's Module1::Level, the level last chosen.
//
// The menu is left only through its buttons: Escape and the window manager's close do nothing,
// since a menu closed that way between two rounds would leave the game waiting for ever. Closing
// (play) hides the dialog; whoever created it deletes it (stack for exec(), or WA_DeleteOnClose /
// deleteLater for show()).
//
// The keyboard alone reaches everything: the arrows choose a level as a click on its button does,
// Enter plays from a level button, and the exit button, being the red one, is reached only by Tab.
//
// Where the picture folder holds themes (its folders), and the class lets the children choose, a
// row of them stands above the levels: "all" first, then each theme by its picture. It behaves as
// the levels do: one marked, the arrows choose within it, Tab goes on to the levels. The choice
// lasts for the run, in Module1, and the next round draws from it. Without themes, or with the row
// hidden in the settings, the menu is as it was without them.
//
// The grown-ups' settings open from the gear in the top left corner, held for two seconds (a tap
// only shows how it opens, beside it), or at once with Ctrl+comma. The gear takes no focus: Tab
// goes through the levels, play and exit as before. When a setting changed, the menu follows the
// navigation's new paths at once: its texts may now be in another language.

#include "asset_paths.h"
#include "module1.h"
#include "picture_words.h"
#include "stray_clicks.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>

class GifControl;
class HoldButton;
class Navigation;
class QLabel;
class QPushButton;
class QScrollArea;

class Form3 : public QDialog {
    Q_OBJECT
  public:
    // paths: where the texts and the level pictures are; the level chosen is kept in module1.
    Form3(Navigation& navigation, Module1& module1, const assets::AssetPaths& paths,
          QWidget* parent = nullptr);

    static constexpr int LevelCount = Module1::LevelCount;

    // The controls under their design names; public so that tests and the real-window test can
    // look at them. Only this class changes them.
    std::array<QPushButton*, LevelCount> Command1{};
    GifControl* Marchoso1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    // The settings' gate, and the hint a tap on it shows for HintMs.
    HoldButton* Gear = nullptr;
    QLabel* GearHint = nullptr;
    static constexpr int HintMs = 4000;
    // The row of themes, and its buttons: "all" first, then one a theme in the folder's order.
    // None when the row is not shown.
    QScrollArea* ThemeRow = nullptr;
    QList<QPushButton*> ThemeButtons;

    // Level button Index (0 to 5): shows that level and makes it the current one.
    void Command1_Click(int Index);
    // Theme button Index: 0 for all pictures, k for the k-th theme; the next round draws from it.
    void ThemeButton_Click(int Index);
    // Play: the next round after a round, or the game screen the first time; the menu closes.
    void Command2_Click();
    // Exit: the program ends at once.
    void Command3_Click();
    // The gear held, or Ctrl+comma: the settings window; on a change, the new paths.
    void openSettings();
    // Reads again everything that comes from the paths: the buttons' texts, the current level's
    // description and picture, the level pictures, the gear's texts.
    void usePaths(const assets::AssetPaths& paths);

    // Escape does nothing (see above).
    void reject() override;

    // The menu opens under a hand that is still clicking: the second click of a double-click on
    // the splash, a child's clicks on the board as the pause ends. Presses on the menu's buttons
    // within `ms` (the double-click interval) from now press nothing; so do Enter and Space, held
    // down through the splash, and their repeats at any time.
    void ignoreStrayClicks(int ms = QApplication::doubleClickInterval());

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    // Every control's place and size, the window's and the fonts, by whether the row is shown.
    void placeControls();
    // The themes the row shows: none where the settings hide the row or the folder has none.
    void findThemes();
    // The row's buttons made again for the themes found, with their pictures; the current one
    // marked.
    void showThemes();
    void Form_Load();
    void loadTexts();
    void showGearHint();
    void centreOnScreen();
    // Level `level` (1 to LevelCount) in the animation and the description.
    void showLevel(int level);
    // Lines 1 to count of the level file into text, one after the other; a failed read keeps it.
    void readLevelLines(int count, QString& text) const;
    void showLevelPictures();
    // The arrows from level button `from`: the neighbour `step` away, none past either end.
    void stepLevel(int from, int step);
    void stepTheme(int from, int step);

    Navigation& m_navigation;
    Module1& m_module1;
    assets::AssetPaths m_paths;
    // textos.txt, in the set's language.
    QStringList m_texts;
    // A child named "GearHintTimer", so that tests find it and end it.
    QTimer m_hintTimer{this};
    // Set when play or exit was pressed: only then may the menu close.
    bool m_leaving = false;
    StrayClicks m_strayClicks;
    QList<Theme> m_themes;
    // The design's twips grow with the board on large screens and shrink to fit small ones.
    double m_scale = 1;
};
