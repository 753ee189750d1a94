// Which intervals the game's clocks accept: the rule the window timer keeps and the check reports.
#pragma once

// A clock keeps its old interval when given a negative one or one above MaxClockInterval, so a
// speed file's number outside that range never changes the runner's pace. The rule lives here,
// beside the round clock, because the window timer and the programs without windows (the folder
// check) must agree on it.

#include <QtGlobal>

inline constexpr int MaxClockInterval = 65535;

// Whether a clock takes ms as its new interval; 0 is taken, and then the clock never fires.
constexpr bool acceptedInterval(qint64 ms) {
    return ms >= 0 && ms <= MaxClockInterval;
}

// The running figure crosses RunnerTrackCells cells in RunnerStepsPerCell steps each and passes the
// finish on the tick after: the time a word gets is TicksForAWord times the clock's interval
// (265 x 300 ms, 80 s, with the bundled speed).
inline constexpr int RunnerStepsPerCell = 24;
inline constexpr int RunnerTrackCells = 11;
inline constexpr int TicksForAWord = RunnerTrackCells * RunnerStepsPerCell + 1;
