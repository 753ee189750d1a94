// The worksheets as a teacher makes them, whole process: 30 sheets over six 12-megapixel photos
// (wall time and peak memory), and the size of a 30-sheet set of the bundled pictures.
// Usage: sheets_bench SHEETS_PROGRAM
// Prints "photos: T ms, peak M MB" and "bundled: S MB"; exits 1 when a figure is above its target,
// 2 when a run failed.
//
// The peak is what /usr/bin/time reads for its own child. A process started straight from this
// one would not do: Linux counts the memory of the process it was started from, before it became
// the program, into its peak, and this one holds the photos it made.
#include "bench_folder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr qint64 TargetMs = 10000;
constexpr double TargetPeakMb = 200;
constexpr double TargetPdfMb = 10;

struct Run {
    qint64 ms = 0;
    double peakMb = 0; // of the program alone, not of this one that made its photos
    double pdfMb = 0;
};

// The program over a picture folder; nullopt when it did not end well or wrote nothing.
std::optional<Run> makeSheets(const QString& program, const BenchFolder& folder) {
    const QByteArray pdf = QFile::encodeName(folder.path() + QStringLiteral("/sheets.pdf"));
    const QByteArray peakFile = QFile::encodeName(folder.path() + QStringLiteral("/peak"));
    const QByteArray path = QFile::encodeName(program);
    const QByteArray pictures = QFile::encodeName(folder.pictureFolder());
    const char* argv[] = {
        "/usr/bin/time", "-f",   "%M",     "-o", peakFile.constData(), path.constData(),
        "--count",       "30",   "--seed", "1",  "--folder",           pictures.constData(),
        pdf.constData(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, argv[0], &quiet, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    const qint64 ms = clock.elapsed();
    QFile peak(QString::fromLocal8Bit(peakFile));
    bool read = peak.open(QIODevice::ReadOnly);
    const double peakKb = peak.readAll().trimmed().toDouble(&read);
    const QFileInfo written(QString::fromLocal8Bit(pdf));
    if (!read || !written.isFile()) return std::nullopt;
    return Run{ms, peakKb / 1024, written.size() / (1024.0 * 1024.0)};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: sheets_bench SHEETS_PROGRAM\n", stderr);
        return 2;
    }
    // As a teacher runs it over a remote shell, whatever display this benchmark was started on.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QString program = QString::fromLocal8Bit(argv[1]);

    BenchFolder photos;
    photos.addPhotos(6, {4000, 3000});
    const std::optional<Run> photoRun = makeSheets(program, photos);
    BenchFolder bundled;
    bundled.addBundledPictures();
    const std::optional<Run> bundledRun = makeSheets(program, bundled);
    if (!photoRun || !bundledRun) {
        std::fprintf(stderr, "sheets_bench: %s did not make its sheets\n", argv[1]);
        return 2;
    }
    std::printf("photos: %lld ms, peak %.1f MB (PDF %.1f MB)\n",
                static_cast<long long>(photoRun->ms), photoRun->peakMb, photoRun->pdfMb);
    std::printf("bundled: %.1f MB (%lld ms, peak %.1f MB)\n", bundledRun->pdfMb,
                static_cast<long long>(bundledRun->ms), bundledRun->peakMb);
    const bool within = photoRun->ms <= TargetMs && photoRun->peakMb <= TargetPeakMb &&
                        bundledRun->pdfMb <= TargetPdfMb;
    return within ? 0 : 1;
}
