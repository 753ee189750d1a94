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
    // Single precision (kept: see docs/behaviours.md).
    ClockTick tick{static_cast<float>(RunnerLeft), std::nullopt};
    if (static_cast<float>(RunnerLeft) > m_runnerFinish) {
        // The figure stays where it stopped until the next round puts it back.
        RunnerLeft = m_runnerStart;
        revealWordsNotFound();
        endRound(RoundEnding::TimeUp, tick.ending);
        tick.sounds.push_back(SoundId::Lost);
    }
    return tick;
}

void Game::Timer4_Timer() {
    if (m_phase == RoundPhase::Ended) m_phase = RoundPhase::Menu;
}

void Game::playPressed() {
    m_phase = RoundPhase::Starting;
}

std::optional<RoundProblem> Game::Timer3_Timer(int level) {
    return NextRound(level);
}

std::optional<RoundProblem> Game::NextRound(int level, const PictureRule& rule) {
    std::optional<RoundProblem> problem;
    for (int draw = 1;; ++draw) {
        if (!ChoosePictureWords()) {
            problem = RoundProblem::NoUsablePicture;
            break;
        }
        if (!rule.accepts || rule.accepts(wordList)) break;
        if (draw >= rule.draws) return RoundProblem::PicturesRefused;
    }
    ClearBoard();
    PlaceWords(level);
    RunnerLeft = m_runnerStart;
    ErrorCount = 0;
    m_phase = RoundPhase::Playing;
    return problem;
}

Colour Game::Timer1_Timer() {
    const Colour colour = colours::Flash[static_cast<std::size_t>(m_random.draw(15))];
    LabelForeColor[FlashLabel] = colour;
    return colour;
}

RunningTimers Game::runningTimers() const {
    return {m_flashing, m_phase == RoundPhase::Playing, m_phase == RoundPhase::Starting,
            m_phase == RoundPhase::Ended};
}
