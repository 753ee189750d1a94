// Timing of a round's set-up: word placement in its worst case and the draw from a large folder.
#include "game.h"

#include <benchmark/benchmark.h>

namespace {

// A folder listing handed in as it stands: every file a picture.
class ListedFolder final : public PictureFolder {
  public:
    explicit ListedFolder(QStringList names) : m_names(std::move(names)) {}
    QStringList listing() override { return m_names; }
    bool isPicture(const QString&) override { return true; }
    QString location() const override { return {}; }

  private:
    QStringList m_names;
};

// Six words of twelve letters with no letter in common: no crossing can help any of them.
std::array<QString, WordSlots> disjointWords() {
    std::array<QString, WordSlots> words;
    for (int k = 0; k < WordSlots; ++k)
        for (int j = 0; j < MaxWordLength; ++j)
            words[k] += QChar(0x0410 + k * MaxWordLength + j);
    return words;
}

void PlaceWordsWorstCase(benchmark::State& state) {
    ClockRandom random;
    ListedFolder folder({});
    Game game(random, folder);
    game.wordList.Words = disjointWords();
    for (auto _ : state) {
        state.PauseTiming();
        game.ClearBoard();
        state.ResumeTiming();
        game.PlaceWords(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(game.board.WordCells);
    }
}
BENCHMARK(PlaceWordsWorstCase)
    ->Arg(4)
    ->Arg(5)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// 10,000 names, 6,000 of them already used this run.
void ChoosePictureWordsLargeFolder(benchmark::State& state) {
    QStringList names;
    for (int i = 0; i < 10000; ++i)
        names << QStringLiteral("palabra%1.png").arg(i, 5, 10, QLatin1Char('0'));
    ListedFolder folder(names);
    ClockRandom random;
    Game game(random, folder);
    while (game.List1().size() < 6000)
        game.ChoosePictureWords();
    for (auto _ : state) {
        game.ChoosePictureWords();
        benchmark::DoNotOptimize(game.wordList);
    }
}
BENCHMARK(ChoosePictureWordsLargeFolder)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
