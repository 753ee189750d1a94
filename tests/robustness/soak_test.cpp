// A morning's play in seconds: 300 randomly clicked rounds through the real game screen on every
// level, with the bundled pictures, checking the rules after each round and the memory at the end.
#include "module1.h"
#include "play_folder.h"
#include "round_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>

// AddressSanitizer keeps freed memory in quarantine and its own shadow pages, so resident memory
// says little there; that build relies on LeakSanitizer to find what is never freed instead.
#if defined(__SANITIZE_ADDRESS__)
#define TOLVANO_MEMORY_IS_MEASURABLE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVANO_MEMORY_IS_MEASURABLE 0
#endif
#endif
#ifndef TOLVANO_MEMORY_IS_MEASURABLE
#define TOLVANO_MEMORY_IS_MEASURABLE 1
#endif

namespace {

constexpr int Rounds = 300;
constexpr int BaselineRound = 30;

// What the random player did over the whole soak, so that the test proves it tried everything.
struct Tally {
    std::set<int> levels;
    int hits = 0;
    int misses = 0;
    int spentClicks = 0;
    int pauseClicks = 0;
    int hints = 0;
    int wordLists = 0;
    int viewers = 0;
    int won = 0;
    int lost = 0;
    int timedOut = 0;
};

class Soak : public ::testing::Test {
  protected:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    int pickFrom(const std::vector<int>& cells) { return cells[pick(int(cells.size()))]; }

    // Random play while the round runs: hits, misses, spent cells, the hint, the word list, the
    // viewer, and the ticks of the running timers.
    void playAWhile(Form1& form, RoundPlayer& player, Tally& tally) {
        const int actions = 5 + pick(25);
        for (int a = 0; a < actions && player.game().phase() == RoundPhase::Playing; ++a) {
            const int roll = pick(100);
            if (roll < 40) {
                if (const auto cells = player.enabledCells(true); !cells.empty()) {
                    player.click(pickFrom(cells));
                    ++tally.hits;
                }
            } else if (roll < 55) {
                if (const auto cells = player.enabledCells(false); !cells.empty()) {
                    player.click(pickFrom(cells));
                    ++tally.misses;
                }
            } else if (roll < 60) {
                player.click(pick(BoardCells)); // possibly a cell already clicked: no change
                ++tally.spentClicks;
            } else if (roll < 64) {
                form.Command3_Click();
                ++tally.hints;
            } else if (roll < 72) {
                form.Command2_Click();
                ++tally.wordLists;
            } else if (roll < 74) {
                tally.viewers += player.viewPicture(pick(WordSlots));
            } else if (roll < 87) {
                if (form.Timer1->isEnabled()) form.Timer1_Timer();
            } else {
                if (form.Timer2->isEnabled()) form.Timer2_Timer();
            }
        }
    }

    void endTheRound(RoundPlayer& player, Tally& tally) {
        if (player.game().phase() != RoundPhase::Playing) return;
        switch (pick(3)) {
        case 0:
            player.clickAllWords();
            ++tally.won;
            break;
        case 1:
            if (player.missUntilLost()) {
                ++tally.lost;
                break;
            }
            [[fallthrough]]; // hints spent every free cell: the clock ends this one
        default:
            ASSERT_TRUE(player.runOutOfTime());
            ++tally.timedOut;
        }
    }

    // Clicks while the pause after the round runs: they are judged, and change nothing else.
    void clickInThePause(Form1& form, RoundPlayer& player, Tally& tally) {
        for (int n = pick(4); n > 0; --n) {
            player.click(pick(BoardCells));
            ++tally.pauseClicks;
        }
        if (pick(10) == 0) {
            form.Command3_Click();
            ++tally.hints;
        }
    }

    std::mt19937 random{seed()};

    static unsigned seed() {
        const char* chosen = std::getenv("TOLVANO_SOAK_SEED");
        return chosen ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : 20240611u;
    }
};

// Lets painting and deferred deletions happen, so that memory is measured as the game would
// run between rounds.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TEST_F(Soak, threeHundredRandomRoundsOnEveryLevelKeepTheRulesAndTheMemoryFlat) {
    SCOPED_TRACE("TOLVANO_SOAK_SEED=" + std::to_string(seed()));
    PlayFolder folder(PlayFolder::Pictures::Bundled);
    FakeNavigation navigation;
    Module1 module1;
    CountingSound sound;
    Form1 form(assets::resolve(folder.path()), navigation, module1, sound, QSize(800, 600));
    form.Form_Load();
    form.showOnScreen();
    settle();
    RoundPlayer player(form);
    Tally tally;
    long baseline = 0;
    QElapsedTimer clock;
    clock.start();

    for (int round = 0; round < Rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        ASSERT_EQ(player.game().phase(), RoundPhase::Playing);
        ASSERT_TRUE(everyWordLiesOnTheBoard(player.game()));
        ASSERT_EQ(player.game().WordsOffered, 6 * (round + 1));
        tally.levels.insert(module1.Level);

        playAWhile(form, player, tally);
        ASSERT_TRUE(everyLetterCountMatchesTheClicks(player.game()));
        endTheRound(player, tally);
        ASSERT_EQ(player.game().phase(), RoundPhase::Ended);
        clickInThePause(form, player, tally);

        const Game& game = player.game();
        EXPECT_LE(game.WordsFound, game.WordsOffered);
        EXPECT_EQ(game.List2.size(), game.WordsFound);
        EXPECT_EQ(form.List2->count(), game.List2.size());
        EXPECT_LE(game.ErrorCount, BoardCells);
        EXPECT_TRUE(everyLetterCountMatchesTheClicks(game));

        settle();
        if (round + 1 == BaselineRound) baseline = residentKilobytes();
        player.startNextRound((round + 1) % 6);
    }
    settle();
    const long after = residentKilobytes();
    const double seconds = clock.elapsed() / 1000.0;
    std::cout << "soak: " << Rounds << " rounds in " << seconds << " s; resident memory "
              << baseline << " kB after round " << BaselineRound << ", " << after
              << " kB after round " << Rounds << "\n";

    EXPECT_EQ(tally.levels.size(), 6u);
    EXPECT_EQ(navigation.menus, Rounds);
    EXPECT_GT(tally.hits, 0);
    EXPECT_GT(tally.misses, 0);
    EXPECT_GT(tally.spentClicks, 0);
    EXPECT_GT(tally.pauseClicks, 0);
    EXPECT_GT(tally.hints, 0);
    EXPECT_GT(tally.wordLists, 0);
    EXPECT_GT(tally.viewers, 0);
    EXPECT_GT(tally.won, 0);
    EXPECT_GT(tally.lost, 0);
    EXPECT_GT(tally.timedOut, 0);
    if (TOLVANO_MEMORY_IS_MEASURABLE) {
        ASSERT_GT(baseline, 0);
        EXPECT_LE(after, baseline + baseline / 10)
            << "resident memory grew by more than 10 % between rounds " << BaselineRound << " and "
            << Rounds;
    }
}

} // namespace
