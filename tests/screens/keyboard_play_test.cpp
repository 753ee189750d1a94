// A round played by keyboard alone gives what the mouse gives; the keyboard's own paths (the
// cursor's edges, Tab, the viewer) and what a screen reader is told.
#include "game_screen.h"
#include "media_fakes.h"
#include "module1.h"
#include "navigation.h"
#include "picture_viewer.h"
#include "program_folder.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct KeyboardPlay : ::testing::Test {
    ProgramFolder folder;
    NoNavigation navigation;
    Module1 module1;
    RecordingSound sound;
    std::unique_ptr<Form1> keys;
    std::unique_ptr<Form1> mouse;

    void SetUp() override {
        // The board ignores presses for a double-click interval after it appears.
        QApplication::setDoubleClickInterval(0);
        keys = std::make_unique<Form1>(assets::resolve(folder.path()), navigation, module1, sound,
                                       QSize(800, 600));
        keys->Form_Load();
        mouse = std::make_unique<Form1>(assets::resolve(folder.path()), navigation, module1, sound,
                                        QSize(800, 600));
        mouse->Form_Load();
        // The same round on both screens.
        mouse->game().board = keys->game().board;
        mouse->game().wordList = keys->game().wordList;
        keys->showOnScreen();
        QApplication::setActiveWindow(keys.get());
    }
    void TearDown() override { QApplication::setDoubleClickInterval(400); }

    QWidget* focused() const { return QApplication::focusWidget(); }
    void press(Qt::Key key) { QTest::keyClick(focused(), key); }
    void goTo(int cell) {
        while (keys->Cursor->cell() != cell) {
            const int from = keys->Cursor->cell();
            const int dr = Board::row(cell) - Board::row(from);
            const int dc = Board::column(cell) - Board::column(from);
            press(dr < 0   ? Qt::Key_Up
                  : dr > 0 ? Qt::Key_Down
                  : dc < 0 ? Qt::Key_Left
                           : Qt::Key_Right);
            ASSERT_NE(keys->Cursor->cell(), from) << "the cursor is stuck at " << from;
        }
    }
    // Presses the cell on both screens, by Space on one and by a click on the other.
    void pressBoth(int cell) {
        goTo(cell);
        press(Qt::Key_Space);
        mouse->Command1_Click(cell);
    }
    std::vector<int> cellsOf(int k) {
        std::vector<int> cells;
        for (int j = 1; j < WordPositions && keys->game().board.WordCells[k][j] >= 0; ++j)
            cells.push_back(keys->game().board.WordCells[k][j]);
        return cells;
    }
};

TEST_F(KeyboardPlay, aWholeRoundByKeyboardEqualsTheMouseRound) {
    ASSERT_EQ(focused(), keys->Cursor) << "a round starts on the board";
    EXPECT_EQ(keys->Cursor->cell(), 0);
    EXPECT_TRUE(keys->Command1[0]->cursorShown()) << "the cursor is seen from the start";
    // Arrows lead back to the board from the word-list button, the cursor where it was.
    keys->Command2->setFocus();
    EXPECT_FALSE(keys->Command1[0]->cursorShown());
    press(Qt::Key_Down);
    ASSERT_EQ(focused(), keys->Cursor);
    EXPECT_EQ(keys->Cursor->cell(), 0);
    // The edges stop the cursor.
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    EXPECT_EQ(keys->Cursor->cell(), 0);

    int miss = 0;
    while (keys->game().board.CellUsed[miss])
        ++miss;
    pressBoth(miss);
    EXPECT_EQ(focused(), keys->Cursor) << "a key's press keeps the focus on the board";
    EXPECT_EQ(keys->Status->text(), QString());
    // The cursor passes over the clicked letter.
    goTo(miss + (Board::column(miss) < BoardSide - 1 ? 1 : -1));
    goTo(miss);
    EXPECT_FALSE(keys->Command1[miss]->isEnabled());

    for (int k = 0; k < WordSlots; ++k) {
        if (k == 2) { // a hint between words by its key; its letters are drawn at random
            press(Qt::Key_H);
            EXPECT_TRUE(keys->game().Command3Caption.startsWith(keys->game().HintCaption));
            mouse->game().board = keys->game().board;
        }
        for (int cell : cellsOf(k))
            if (keys->game().board.Look[cell].Enabled) pressBoth(cell);
        EXPECT_TRUE(keys->game().WordFound[k]) << k;
        EXPECT_TRUE(keys->Status->text().contains(keys->game().wordList.Words[k]))
            << keys->Status->text().toStdString();
        EXPECT_EQ(keys->Image1[k]->accessibleName(), keys->game().wordList.Words[k]);
    }
    EXPECT_EQ(keys->game().phase(), RoundPhase::Ended);
    EXPECT_TRUE(keys->Status->text().endsWith(QStringLiteral("¡Ronda ganada!")))
        << keys->Status->text().toStdString();
    for (int i = 0; i < BoardCells; ++i)
        ASSERT_EQ(keys->game().board.Look[i], mouse->game().board.Look[i]) << "cell " << i;
    EXPECT_EQ(keys->game().Command3Caption, mouse->game().Command3Caption);
    EXPECT_EQ(keys->game().List2, mouse->game().List2);
    EXPECT_EQ(keys->Command1[miss]->accessibleDescription(), QStringLiteral("fallo"));
}

// Tab goes from the board to the word list and the pictures; Enter on a picture opens the viewer
// and Escape closes it; until its word is found, a picture's name does not give the word away.
TEST_F(KeyboardPlay, tabReachesTheWordListAndThePicturesAndTheViewerClosesByKey) {
    EXPECT_EQ(keys->Image1[3]->accessibleName(), QStringLiteral("imagen 4"));
    keys->Cursor->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), keys->Command2);
    press(Qt::Key_Return);
    EXPECT_TRUE(keys->List2->isVisibleTo(keys.get())) << "Enter shows the word list";
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), keys->Image1[0]);
    bool closed = false;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* viewer = qobject_cast<Form4*>(QApplication::activeModalWidget())) {
            shown = viewer->pictureFile();
            QTest::keyClick(viewer, Qt::Key_Escape);
            closed = !viewer->isVisible();
        }
    });
    press(Qt::Key_Return);
    EXPECT_TRUE(closed);
    EXPECT_EQ(shown, keys->game().wordList.PictureFiles[0]);
    // The offscreen platform has no window manager to give the focus back after the viewer.
    QApplication::setActiveWindow(keys.get());
    ASSERT_EQ(focused(), keys->Image1[0]);
    for (int k = 1; k < WordSlots; ++k)
        press(Qt::Key_Tab);
    EXPECT_EQ(focused(), keys->Image1[5]);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), keys->Cursor) << "from the last picture back to the board";
}

} // namespace
