// The round clock, the cycle of rounds through its four phases, and the flashing caption.
#include "fakes.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct RoundClock : ::testing::Test {
    ScriptedRandom random;
    FakeFolder folder{{"casa.png", "sol.png", "pan.png", "luna.png", "gato.png", "oso.png",
                       "pez.png", "rana.png", "tren.png", "vaca.png", "flor.png", "mar.png",
                       "uva.png"}};
    Game game{random, folder};
    static constexpr double Start = 2574;
    static constexpr double Pitch = 480;

    void SetUp() override {
        game.ScoreOfWord = QStringLiteral("de");
        game.setRunnerTrack(Start, Start + 11 * Pitch);
        game.RunnerSetup = [this] { game.RunnerLeft = static_cast<float>(Start); };
        game.NextRound(0);
    }
    int ticksUntilTimeUp() {
        for (int tick = 1; tick < 10000; ++tick)
            if (game.Timer2_Timer().ending == RoundEnding::TimeUp) return tick;
        return -1;
    }
};

TEST_F(RoundClock, withAPitchOf480TheFigurePassesTheFinishOnThe265thTick) {
    EXPECT_EQ(ticksUntilTimeUp(), 265);
    EXPECT_EQ(game.RunnerLeft, Start);
    EXPECT_EQ(game.phase(), RoundPhase::Ended);
}

// The same speed gives a word the same time on every screen: the step follows the pitch of
// 640 x 480, 800 x 600, 1,024 x 768 and 1,920 x 1,080.
TEST_F(RoundClock, aWordGets265TicksWhateverThePitch) {
    for (double pitch : {457.0, 571.0, 731.0, 1371.0}) {
        game.setRunnerTrack(Start, Start + 11 * pitch);
        game.RunnerLeft = Start;
        const int ticks = ticksUntilTimeUp();
        EXPECT_GE(ticks, 264) << pitch;
        EXPECT_LE(ticks, 265) << pitch;
    }
}

TEST_F(RoundClock, aWordFoundAtTheLastMomentSendsTheFigureBack) {
    for (int tick = 0; tick < 264; ++tick)
        ASSERT_FALSE(game.Timer2_Timer().ending);
    const auto& cells = game.board.WordCells[0];
    for (int j = 1; j < WordPositions && cells[j] >= 0; ++j)
        game.Command1_Click(cells[j]);
    ASSERT_TRUE(game.WordFound[0]);
    const ClockTick next = game.Timer2_Timer();
    EXPECT_FALSE(next.ending);
    EXPECT_EQ(next.runnerLeft, Start + 20);
}

TEST_F(RoundClock, timeUpRevealsLikeTheEighthMissWithTheLostRoundsSound) {
    Game byMiss = game; // the same board, lost the other way
    ClockTick last;
    for (int tick = 1; tick < 10000 && !last.ending; ++tick) {
        last = game.Timer2_Timer();
        if (!last.ending) ASSERT_TRUE(last.sounds.empty()) << "tick " << tick;
    }
    EXPECT_EQ(last.sounds, std::vector<SoundId>{SoundId::Lost});
    std::vector<int> missed;
    for (int i = 0; i < BoardCells && missed.size() < MaxErrors; ++i) {
        if (byMiss.board.CellUsed[i]) continue;
        byMiss.Command1_Click(i);
        missed.push_back(i);
    }
    for (int i : missed)
        byMiss.board.Look[i] = game.board.Look[i]; // only the reveal is compared
    EXPECT_EQ(byMiss.board.Look, game.board.Look);
    EXPECT_EQ(byMiss.phase(), game.phase());
}

TEST_F(RoundClock, roundsCycleThroughTheirFourPhases) {
    game.Command1_Click(game.board.WordCells[0][1]);
    game.ErrorCount = 5;
    game.WordsFound = 2;
    const auto runs = [this](bool clock, bool delay, bool pause) {
        return game.runningTimers() == RunningTimers{false, clock, delay, pause};
    };
    EXPECT_TRUE(runs(true, false, false));
    ticksUntilTimeUp();
    EXPECT_EQ(game.phase(), RoundPhase::Ended);
    EXPECT_TRUE(runs(false, false, true));
    game.Timer4_Timer();
    EXPECT_EQ(game.phase(), RoundPhase::Menu);
    EXPECT_TRUE(runs(false, false, false));
    game.playPressed(); // the menu's play button
    EXPECT_EQ(game.phase(), RoundPhase::Starting);
    EXPECT_TRUE(runs(false, true, false));
    game.Timer4_Timer(); // a pause's end now is too late to open the menu again
    EXPECT_EQ(game.phase(), RoundPhase::Starting);
    game.Timer3_Timer(0);
    EXPECT_EQ(game.phase(), RoundPhase::Playing);
    EXPECT_TRUE(runs(true, false, false));
    EXPECT_EQ(game.ErrorCount, 0);
    EXPECT_EQ(game.WordsOffered, 12);
    EXPECT_EQ(game.Command3Caption, QStringLiteral("2 de 12 - 17 %"));
    EXPECT_EQ(game.RunnerLeft, Start);
    EXPECT_EQ(game.List1().size(), 12);
    for (const CellLook& look : game.board.Look)
        EXPECT_TRUE(look.Enabled);
}

// Once a word is found its caption flashes on through the pause, the menu and the rounds after.
TEST_F(RoundClock, theFlashingCaptionNeverStopsOnceAWordIsFound) {
    const auto& cells = game.board.WordCells[0];
    for (int j = 1; j < WordPositions && cells[j] >= 0; ++j)
        game.Command1_Click(cells[j]);
    const std::function<void()> steps[] = {
        [this] { ticksUntilTimeUp(); }, [this] { game.Timer4_Timer(); },
        [this] { game.playPressed(); }, [this] { game.Timer3_Timer(0); }};
    for (const auto& step : steps) {
        step();
        EXPECT_TRUE(game.runningTimers().Timer1) << int(game.phase());
    }
}

TEST_F(RoundClock, theFlashingCaptionTakesPaletteColoursButNeverBrightWhite) {
    game.FlashLabel = 4;
    random.append({0.0, 0.99999, pick(9, 15)});
    EXPECT_EQ(game.Timer1_Timer(), 0x000000u);
    EXPECT_EQ(game.Timer1_Timer(), 0x00FFFFu);
    EXPECT_EQ(game.Timer1_Timer(), 0xFF0000u);
    EXPECT_EQ(game.LabelForeColor[4], 0xFF0000u);
    for (int i = 0; i < 500; ++i)
        EXPECT_NE(game.Timer1_Timer(), 0xFFFFFFu);
}

} // namespace
