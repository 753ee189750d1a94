// Timing of a round's set-up: word placement in its worst case and the draw from a large folder.
#include "game.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

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

// A round of one theme from a folder of 3,000 pictures in 30 themes on disk: the listing kept
// between rounds (a look at each theme folder's time), the theme's names drawn, the board laid.
// Decoding is no part of it (every file counts as a picture), so this is the set-up beyond the six
// pictures' decoding.
void RoundSetUpThirtyThemes(benchmark::State& state) {
    QTemporaryDir dir;
    for (int t = 0; t < 30; ++t) {
        const QString theme = QStringLiteral("tema%1").arg(t, 2, 10, QLatin1Char('0'));
        QDir(dir.path()).mkdir(theme);
        for (int i = 0; i < 100; ++i) {
            QFile file(dir.filePath(QStringLiteral("%1/p%2x%3.png").arg(theme).arg(t).arg(i)));
            if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the folder");
        }
    }
    // A teacher's folder is older than the 2 s within which a listing is always read again.
    namespace fs = std::filesystem;
    const auto age = [](const fs::path& path) {
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
    };
    for (const auto& entry : fs::directory_iterator(dir.path().toStdString()))
        age(entry.path());
    age(dir.path().toStdString());
    DiskPictureFolder folder(dir.path(), nullptr);
    ClockRandom random;
    Game game(random, folder);
    game.theme = QStringLiteral("tema17");
    for (auto _ : state) {
        game.NextRound(3);
        benchmark::DoNotOptimize(game.board);
    }
    for (const QString& name : game.wordList.PictureFiles)
        if (!name.startsWith(u"tema17/")) state.SkipWithError("a picture from another theme");
}
BENCHMARK(RoundSetUpThirtyThemes)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
