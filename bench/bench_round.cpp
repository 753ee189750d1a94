// Timing of a round's set-up through the real game screen, with large photos and bundled pictures.
//
// The screen is 1024 x 768 on the offscreen platform.
#include "bench_folder.h"
#include "game_round.h"
#include "picture_loader.h"
#include "system_voice.h"
#include "voice.h"

#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr QSize PhotoSize{4000, 3000};
constexpr int RoundsPerFigure = 30;

// Made once, on first use, so that a run of one benchmark makes only the folder it needs.
BenchFolder& photoFolder() {
    static BenchFolder folder = [] {
        BenchFolder made;
        made.addPhotos(6, PhotoSize);
        std::fprintf(stderr, "six %dx%d photos, %.1f MB in all\n", PhotoSize.width(),
                     PhotoSize.height(), made.pictureBytes() / 1e6);
        return made;
    }();
    return folder;
}

BenchFolder& bundledFolder() {
    static BenchFolder folder = [] {
        BenchFolder made;
        made.addBundledPictures();
        return made;
    }();
    return folder;
}

constexpr int TinyPictureCount = 10000;
constexpr QSize TinyPictureSize{16, 16};

// 10,000 small pictures: what a large folder costs a round beyond decoding its six pictures.
BenchFolder& tenThousandFolder() {
    static BenchFolder folder = [] {
        BenchFolder made;
        made.addTinyPictures(TinyPictureCount, TinyPictureSize);
        std::fprintf(stderr, "%d %dx%d pictures, %.1f MB in all\n", TinyPictureCount,
                     TinyPictureSize.width(), TinyPictureSize.height(), made.pictureBytes() / 1e6);
        return made;
    }();
    return folder;
}

// QMovie objects of the running figure are let go with deleteLater: without an event loop in
// between they would pile up over the rounds.
void settle(GameRound& round) {
    round.paint();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void checkPictures(benchmark::State& state, const GameRound& round) {
    if (round.picturesShown() != WordSlots) state.SkipWithError("the pictures did not load");
}

// Timer3's tick alone: choosing the pictures and laying out the panel (decoding included),
// clearing the board, placing the words, starting the running figure.
void roundSetUp(benchmark::State& state, BenchFolder& folder) {
    GameRound round(folder.path());
    for (auto _ : state) {
        round.nextRound();
        state.PauseTiming();
        settle(round);
        state.ResumeTiming();
    }
    checkPictures(state, round);
}

// The same, followed by the paint that puts the round on the screen.
void roundSetUpAndPaint(benchmark::State& state, BenchFolder& folder) {
    GameRound round(folder.path());
    for (auto _ : state) {
        round.nextRound();
        round.paint();
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    checkPictures(state, round);
}

void RoundSetUpPhotos(benchmark::State& state) {
    roundSetUp(state, photoFolder());
}
void RoundSetUpBundled(benchmark::State& state) {
    roundSetUp(state, bundledFolder());
}
void RoundSetUpTenThousand(benchmark::State& state) {
    roundSetUp(state, tenThousandFolder());
}
void RoundSetUpAndPaintPhotos(benchmark::State& state) {
    roundSetUpAndPaint(state, photoFolder());
}
void RoundSetUpAndPaintBundled(benchmark::State& state) {
    roundSetUpAndPaint(state, bundledFolder());
}

// Decoding six pictures of the folder at the size the panel shows them on this screen, one after
// the other, with nothing else: the floor under a round's set-up.
void decodeSix(benchmark::State& state, BenchFolder& folder) {
    GameRound round(folder.path());
    std::array<QSize, WordSlots> shown;
    for (int k = 0; k < WordSlots; ++k)
        shown[k] = round.screen().Image1[k]->size();
    const QStringList names = folder.pictures();
    for (auto _ : state)
        for (int k = 0; k < WordSlots; ++k)
            benchmark::DoNotOptimize(
                loadPicture(folder.pictureFolder() + QLatin1Char('/') + names[k], shown[k]));
}

void DecodeSixPhotos(benchmark::State& state) {
    decodeSix(state, photoFolder());
}
// What RoundSetUpTenThousand is allowed beyond: its pictures are all alike, so any six will do.
void DecodeSixTenThousand(benchmark::State& state) {
    decodeSix(state, tenThousandFolder());
}

// The click that completes a word, with the voice on: its word is queued for after the chime,
// never waited for, so the click returns as fast as without a voice.
void FoundWordClickWithSpeech(benchmark::State& state) {
    GameRound round(bundledFolder().path());
    SystemVoice system(QLocale(QStringLiteral("es")));
    RecordingVoice voice(&system);
    Form1& form = round.screen();
    form.setVoice(&voice);
    for (auto _ : state) {
        state.PauseTiming();
        round.nextRound();
        settle(round);
        std::vector<int> cells;
        for (int j = 1; j < WordPositions && form.game().board.WordCells[0][j] >= 0; ++j)
            cells.push_back(form.game().board.WordCells[0][j]);
        for (std::size_t j = 0; j + 1 < cells.size(); ++j)
            form.Command1_Click(cells[j]);
        state.ResumeTiming();
        form.Command1_Click(cells.back());
        state.PauseTiming();
        if (!form.game().WordFound[0]) state.SkipWithError("the click found no word");
        state.ResumeTiming();
    }
}
BENCHMARK(FoundWordClickWithSpeech)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(RoundsPerFigure)
    ->ReportAggregatesOnly(true);

// Every round is one sample, so the median is the median round. The time is the wall clock (what
// the player waits); the CPU column counts every thread of the process, decoders included.
void asRounds(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime()
        ->Iterations(1)
        ->Repetitions(RoundsPerFigure)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(RoundSetUpPhotos)->Apply(asRounds);
BENCHMARK(RoundSetUpBundled)->Apply(asRounds);
BENCHMARK(RoundSetUpTenThousand)->Apply(asRounds);
BENCHMARK(RoundSetUpAndPaintPhotos)->Apply(asRounds);
BENCHMARK(RoundSetUpAndPaintBundled)->Apply(asRounds);
BENCHMARK(DecodeSixPhotos)->Apply(asRounds);
BENCHMARK(DecodeSixTenThousand)->Apply(asRounds);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
