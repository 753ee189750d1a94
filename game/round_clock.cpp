// The round clock (the running figure along the bottom row), the next round, and the flashing
// caption of the word found last.
#include "clock_interval.h"
#include "game.h"

namespace {
// The figure steps 20 twips a tick on a board of 480-twip cells and proportionally on any other,
// so that the time a word gets (TicksForAWord) is the same on every screen.
constexpr double StepAtPitch480 = 480.0 / RunnerStepsPerCell;
constexpr double TrackPitches = RunnerTrackCells; // the finish lies 11 cells right of the start
} // namespace

void Game::setRunnerTrack(double startLeft, double finishLeft) {
    m_runnerStart = startLeft;
    m_runnerFinish = finishLeft;
    const double pitch = (finishLeft - startLeft) / TrackPitches;
    // A board squeezed to nothing still gets a clock that runs out.
    m_runnerStep = pitch > 0 ? StepAtPitch480 * pitch / 480 : StepAtPitch480;
}

ClockTick Game::Timer2_Timer() {
    RunnerLeft += m_runnerStep;
    ClockTick tick{static_cast<float>(RunnerLeft), false};
    if (static_cast<float>(RunnerLeft) > m_runnerFinish) {
        // The figure stays where it stopped until the next round puts it back.
        RunnerLeft = m_runnerStart;
        revealWordsNotFound();
        endRound();
        tick.timeUp = true;
    }
    return tick;
}

void Game::Timer3_Timer() {
    NextRound();
    Timer3Enabled = false;
}

void Game::NextRound() {
    ChoosePictureWords();
    ClearBoard();
    PlaceWords();
    RunnerLeft = m_runnerStart;
    Timer2Enabled = true;
    // A pause left over from the round before (a click that ended it again) must not open the
    // level menu in the middle of this one.
    Timer4Enabled = false;
    ErrorCount = 0;
}

Colour Game::Timer1_Timer() {
    const Colour colour = colours::Flash[static_cast<std::size_t>(m_random.draw(15))];
    LabelForeColor[FlashLabel] = colour;
    return colour;
}

RoundPhase Game::phase() const {
    if (Timer3Enabled) return RoundPhase::Starting;
    if (Timer2Enabled) return RoundPhase::Playing;
    if (Timer4Enabled) return RoundPhase::Ended;
    return RoundPhase::Menu;
}
