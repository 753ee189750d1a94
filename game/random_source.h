// The game's one source of chance: uniform numbers u with 0 <= u < 1, and draws of 0..n-1 from
// them.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A fresh uniform number u, 0 <= u < 1.
    virtual double next() = 0;
    // Every choice of pictures starts a new sequence from the clock.
    virtual void reseedFromClock() = 0;

    // floor(u * n), kept inside 0..n-1 even if a stand-in source hands out 1.0 or more.
    int draw(int n);
};

// The real source: a Mersenne Twister seeded from the high-resolution clock.
class ClockRandom final : public RandomSource {
  public:
    ClockRandom();
    double next() override;
    void reseedFromClock() override;

  private:
    std::mt19937_64 m_engine;
};

// A sequence fixed by its seed and never reseeded, so that whatever is drawn from it can be made
// again: the worksheets give the same set for the same seed and folder.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint64_t seed);
    double next() override;
    void reseedFromClock() override {}

  private:
    std::mt19937_64 m_engine;
};

// Hands out a scripted sequence so that worked examples replay exactly; once the script is
// spent it goes on with a fixed-seed generator, so a test never runs dry or loops forever.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<double> script = {}, std::uint64_t seed = 1);
    double next() override;
    void reseedFromClock() override { ++m_reseeds; }

    void append(std::vector<double> more);
    std::size_t drawsTaken() const { return m_taken; }
    int reseeds() const { return m_reseeds; }

  private:
    std::vector<double> m_script;
    std::size_t m_next = 0; // next scripted number; appended numbers come next even when
                            // the script had run dry
    std::size_t m_taken = 0;
    int m_reseeds = 0;
    std::mt19937_64 m_fallback;
};
