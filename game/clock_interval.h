// The game's clocks: their intervals, which intervals they accept, and the time a word gets.
#pragma once

// A clock keeps its old interval when given a negative one or one above MaxClockInterval, so a
// speed file's number outside that range never changes the runner's pace. The rule lives here,
// beside the round clock, because the window timer and the programs without windows (the folder
// check) must agree on it.

#include <QtGlobal>

inline constexpr int MaxClockInterval = 65535;

// The game screen's four clocks start at these intervals; the speed file may change the runner's.
inline constexpr int FlashIntervalMs = 400;  // Timer1: the last found word's caption flashes
inline constexpr int RunnerIntervalMs = 300; // Timer2: the running figure's step
inline constexpr int NextRoundDelayMs = 500; // Timer3: from play to the next round
inline constexpr int RoundEndPauseMs = 3000; // Timer4: the pause after a round

// Whether a clock takes ms as its new interval; 0 is taken, and then the clock never fires.
constexpr bool acceptedInterval(qint64 ms) {
    return ms >= 0 && ms <= MaxClockInterval;
}

// Whether a clock with an accepted interval of ms never fires, though it may be enabled.
constexpr bool neverFires(qint64 ms) {
    return ms == 0;
}

// The running figure crosses RunnerTrackCells cells in RunnerStepsPerCell steps each and passes the
// finish on the tick after: the time a word gets is TicksForAWord times the clock's interval
// (265 x 300 ms, 80 s, with the bundled speed).
inline constexpr int RunnerStepsPerCell = 24;
inline constexpr int RunnerTrackCells = 11;
inline constexpr int TicksForAWord = RunnerTrackCells * RunnerStepsPerCell + 1;
