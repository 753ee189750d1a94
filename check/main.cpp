// tolvano-check: tells a teacher what the game will make of its picture folder, texts and media.
#include "asset_paths.h"
#include "folder_check.h"
#include "speech_engine.h"
#include "voice_switch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Exit status 2 tells a usage mistake apart from a folder that is not ready (1).
constexpr int UsageError = 2;

const char Usage[] = "Usage: tolvano-check [FOLDER]\n"
                     "Checks the pictures, texts, animations and sounds that the game will use.\n"
                     "FOLDER holds imagenes, configuracion, gifs and sonidos; without it, the\n"
                     "folder beside this program is checked.\n"
                     "Exit status: 0 ready to play, 1 not ready, 2 usage error.\n";

// What the decoders say about a damaged file is heard while it is decoded and put into the report;
// any other library message would only bury the report, and a teacher cannot act on it. Only a
// fatal one, which ends the program, is printed, so that the end has a reason.
void keepOnlyFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

// How long the computer's voice may take to answer, counted from the check's start: reaching the
// speech daemon, or starting it, takes seconds; one that hangs must not hang the check.
constexpr int SpeechAnswerMs = 4000;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed to read pictures' headers, so this runs over a remote shell too.
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(keepOnlyFatal);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() == 1 &&
        (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (arguments.size() > 1) {
        std::fputs(Usage, stderr);
        return UsageError;
    }
    // The folder is taken as the command line's bytes, which arguments() may have lost, and used as
    // given: making it absolute would go through the working folder's name, which Qt may not be
    // able to read (the report names the folder in full itself).
    const QString folder =
        arguments.isEmpty() ? assets::programFolder() : assets::reachableFolder(argv[1]);
    if (!QFileInfo(folder).isDir()) {
        const QByteArray named =
            arguments.isEmpty() ? QFile::encodeName(folder) : QByteArray(argv[1]);
        print(stderr,
              QStringLiteral("tolvano-check: %1 is not a folder\n").arg(check::escaped(named)));
        std::fputs(Usage, stderr);
        return UsageError;
    }
    // The voice is asked at once where it will likely be needed, so that its answer comes while the
    // pictures are read; otherwise at the first unplayable recording.
    QElapsedTimer sinceStart;
    sinceStart.start();
    std::unique_ptr<SpeechProbe> probe;
    const auto ask = [&] { probe = std::make_unique<SpeechProbe>(voiceLanguage(folder)); };
    if (check::voiceMayBeNeeded(folder)) ask();
    const check::FolderReport report = check::checkFolder(folder, [&] {
        if (!probe) ask();
        return probe->result(std::max<int>(0, SpeechAnswerMs - int(sinceStart.elapsed())));
    });
    print(stdout, check::formatReport(report));
    probe.reset();
    return endProgram(check::exitStatus(report));
}
