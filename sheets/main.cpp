// tolvano-sheets: printable word searches made by the game's own rules, with their answer pages.
#include "asset_paths.h"
#include "output_file.h"
#include "pdf_sheets.h"
#include "sheet_set.h"
#include "texts_file.h"
#include "voice_switch.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// Every mistake (an option, a folder, the output) ends the program with this status and no file.
constexpr int UsageError = 2;

const char Usage[] =
    "Usage: tolvano-sheets [--level 1..6] [--count N] [--paper a4|letter] [--words] [--lower]\n"
    "                      [--seed S] [--folder PICTURES] OUT.pdf\n"
    "Writes N word searches (1 by default, at most 500) and after them an answer page for each.\n"
    "--words prints each picture's word under it rather than a line to write it on;\n"
    "--lower prints lower-case letters; the same --seed and folder give the same sheets again.\n"
    "PICTURES is a picture folder; without it, the one the game uses.\n"
    "OUT.pdf is a new file or an earlier PDF, outside PICTURES; nothing else is written over.\n";

// What the decoders and Qt say about a damaged file or a teacher's text would only bury the one
// line a mistake deserves. A fatal message, which ends the program, is printed so the end has a
// reason.
void keepOnlyFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

struct Options {
    sheets::SheetRequest request;
    sheets::Paper paper = sheets::Paper::A4;
    bool words = false;
    bool lower = false;
    std::optional<std::uint64_t> seed;
    std::optional<QString> folder;
    QString out;
};

// The options, or the line that says what is wrong with them.
std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    Options options;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        QString name = arguments[k];
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(u'='); name.startsWith(u"--") && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (!value && k + 1 < arguments.size()) value = arguments[++k];
            if (!value) problem = name + QStringLiteral(" needs a value");
            return value;
        };
        bool ok = true;
        if (name == u"--words" || name == u"--lower") {
            (name == u"--words" ? options.words : options.lower) = true;
            ok = !value;
        } else if (name == u"--level" || name == u"--count") {
            const auto text = takeValue();
            if (!text) return std::nullopt;
            (name == u"--level" ? options.request.level : options.request.count) = text->toInt(&ok);
        } else if (name == u"--paper") {
            const auto text = takeValue();
            if (!text) return std::nullopt;
            const QString paper = text->toLower();
            ok = paper == u"a4" || paper == u"letter";
            if (paper == u"letter") options.paper = sheets::Paper::Letter;
        } else if (name == u"--seed") {
            const auto text = takeValue();
            if (!text) return std::nullopt;
            options.seed = text->toULongLong(&ok);
        } else if (name == u"--folder") {
            options.folder = takeValue();
            if (!options.folder) return std::nullopt;
        } else if (name.startsWith(u'-') && name.size() > 1) {
            problem = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        } else if (options.out.isEmpty()) {
            options.out = name;
            continue;
        } else {
            problem = QStringLiteral("one output file only, not %1 and %2").arg(options.out, name);
            return std::nullopt;
        }
        if (!ok) {
            problem = QStringLiteral("%1 does not take %2").arg(name, value.value_or(QString()));
            return std::nullopt;
        }
    }
    if (options.out.isEmpty()) {
        problem = QStringLiteral("no output file given");
        return std::nullopt;
    }
    return options;
}

// libpng and libtiff print their complaints about a damaged picture straight onto stderr, past
// Qt's messages. A sheet leaves such a picture out as the game does, without a word, so stderr is
// closed to them while pictures are read; the program's own line comes after.
class DecodersQuiet {
  public:
    DecodersQuiet() : m_saved(::dup(STDERR_FILENO)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
        if (null >= 0) ::close(null);
    }
    ~DecodersQuiet() {
        if (m_saved < 0) return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    DecodersQuiet(const DecodersQuiet&) = delete;
    DecodersQuiet& operator=(const DecodersQuiet&) = delete;

  private:
    int m_saved;
};

int fail(const QString& problem) {
    std::fprintf(stderr, "tolvano-sheets: %s\n", problem.toUtf8().constData());
    return UsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts and PDF pages need a GUI application, but never a screen: this runs over a remote
    // shell.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepOnlyFatal);
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    QString problem;
    std::optional<Options> options = parse(arguments, problem);
    if (!options) return fail(problem + QStringLiteral(" (tolvano-sheets --help shows how)"));

    const assets::AssetPaths paths = assets::resolve(assets::programFolder());
    sheets::SheetRequest& request = options->request;
    request.pictureFolder = options->folder.value_or(paths.pictureFolder());
    request.seed = options->seed.value_or(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    request.lowerCase = options->lower || readLowerCase(paths.file(assets::VoiceSwitchFile));

    if (const auto wrong = sheets::requestProblem(request)) return fail(*wrong);
    // Opened before any picture is read, so that an output that may not be written is told at once
    // and nothing is touched; the PDF is written beside it under another name until it is whole.
    sheets::OutputFile file(options->out, request.pictureFolder);
    if (const auto wrong = file.open()) return fail(*wrong);
    sheets::PrintSettings settings;
    settings.paper = options->paper;
    settings.words = options->words;
    settings.levelPicture = paths.levelGif(request.level);
    settings.texts = readTexts(paths.file(assets::TextsFile), paths.language());
    std::optional<QString> failure;
    {
        const DecodersQuiet quiet;
        const sheets::MadeSet made = sheets::makeSheetSet(request);
        if (!made.set)
            failure = made.problem;
        else if (!sheets::writeSheetsPdf(*made.set, settings, file.device()))
            failure = QStringLiteral("cannot write %1: %2")
                          .arg(options->out, file.device().errorString());
        else
            failure = file.commit();
    }
    if (failure) return fail(*failure);
    std::printf("%s: %d sheet%s and %s answers, level %d, seed %llu\n",
                options->out.toUtf8().constData(), request.count, request.count == 1 ? "" : "s",
                request.count == 1 ? "its" : "their", request.level,
                static_cast<unsigned long long>(request.seed));
    return 0;
}
