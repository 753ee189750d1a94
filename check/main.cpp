// tolvano-check: tells a teacher what the game will make of its picture folder, texts and media.
#include "asset_paths.h"
#include "decoder_output.h"
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

const char Usage[] =
    "Usage: tolvano-check [--summary] [FOLDER]\n"
    "Checks the pictures, texts, animations and sounds that the game will use.\n"
    "FOLDER holds imagenes, configuracion, gifs and sonidos (or idiomas); without it, the\n"
    "folder beside this program is checked, with your own pictures, recordings and settings\n"
    "(tolvano.conf) as the game uses them. A folder of pictures alone is checked as the\n"
    "pictures a round would draw (as tolvano-sheets --folder uses it).\n"
    "--summary prints the first lines only: the verdict and what to do.\n"
    "The report is in the language of the set it checks.\n"
    "Exit status: 0 ready to play (things to look at or not), 1 not ready, 2 usage error.\n";

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed to read pictures' headers, so this runs over a remote shell too.
    QCoreApplication app(argc, argv);
    // What the decoders say about a damaged file is heard while it is decoded and put into the
    // report; nothing else but a fatal message is printed.
    qInstallMessageHandler(keepOnlyFatal);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() == 1 &&
        (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    // The folder is the last argument; its bytes are taken from argv, which arguments() may have
    // lost.
    const bool summary = !arguments.isEmpty() && arguments[0] == QLatin1String("--summary");
    if (summary) arguments.removeFirst();
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments[0].startsWith(u'-'))) {
        std::fputs(Usage, stderr);
        return UsageError;
    }
    const char* named = arguments.isEmpty() ? nullptr : argv[argc - 1];
    // The folder is used as given: making it absolute would go through the working folder's name,
    // which Qt may not be able to read (the report names the folder in full itself).
    const QString program = assets::programFolder();
    const QString folder = named ? assets::reachableFolder(named) : program;
    if (!QFileInfo(folder).isDir()) {
        const QByteArray shown = named ? QByteArray(named) : QFile::encodeName(folder);
        print(stderr,
              QStringLiteral("tolvano-check: %1 is not a folder\n").arg(check::escaped(shown)));
        std::fputs(Usage, stderr);
        return UsageError;
    }
    // The checked folder's own paths: it is read as the game would read it from there. The game's
    // own folders are checked with the user's layer over them, as this user's game plays them; a
    // folder given (a teacher's USB stick) is checked as it is, whoever runs the check.
    const assets::AssetPaths paths =
        named ? assets::resolve(folder, assets::UserFolders{}) : assets::resolve(folder);
    check::FolderReport report;
    if (check::isPictureFolder(paths)) {
        // A folder of pictures alone has no set of its own: the report speaks the game's language.
        report = check::checkPictureFolder(folder, assets::resolve(program).language());
    } else {
        report = check::checkFolderWithVoice(paths);
    }
    print(stdout, summary ? check::formatSummary(report) : check::formatReport(report));
    return endProgram(check::exitStatus(report));
}
