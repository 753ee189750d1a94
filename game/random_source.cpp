// Uniform numbers in [0, 1) from the clock, a fixed seed or a script.
#include "random_source.h"

#include <algorithm>
#include <chrono>

namespace {
// 53 random bits make a double in [0, 1) that can never round up to 1.
double unitFrom(std::mt19937_64& engine) {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}
} // namespace

int RandomSource::draw(int n) {
    if (n <= 0) return 0;
    const double u = next();
    return std::clamp(static_cast<int>(u * n), 0, n - 1);
}

ClockRandom::ClockRandom() {
    reseedFromClock();
}

double ClockRandom::next() {
    return unitFrom(m_engine);
}

void ClockRandom::reseedFromClock() {
    m_engine.seed(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

SeededRandom::SeededRandom(std::uint64_t seed) : m_engine(seed) {}

double SeededRandom::next() {
    return unitFrom(m_engine);
}

ScriptedRandom::ScriptedRandom(std::vector<double> script, std::uint64_t seed)
    : m_script(std::move(script)), m_fallback(seed) {}

double ScriptedRandom::next() {
    ++m_taken;
    return m_next < m_script.size() ? m_script[m_next++] : unitFrom(m_fallback);
}

void ScriptedRandom::append(std::vector<double> more) {
    m_script.insert(m_script.end(), more.begin(), more.end());
}
