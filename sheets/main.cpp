// tolvano-sheets: printable word searches made by the game's own rules, with their answer pages.
#include "asset_paths.h"
#include "decoder_output.h"
#include "output_file.h"
#include "pdf_sheets.h"
#include "play_settings.h"
#include "sheet_set.h"
#include "texts_file.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

namespace {

// Every mistake (an option, a folder, the output) ends the program with this status and no file.
constexpr int UsageError = 2;

const char Usage[] =
    "Usage: tolvano-sheets [--level 1..6] [--count N] [--paper a4|letter] [--words] [--lower]\n"
    "                      [--plain] [--theme NAME] [--seed S] [--folder PICTURES] OUT.pdf\n"
    "Writes N word searches (1 by default, at most 500) and after them an answer page for each.\n"
    "--words prints each picture's word under it rather than a line to write it on;\n"
    "--lower prints lower-case letters; the same --seed and folder give the same sheets again.\n"
    "--plain prints the boards without accents, keeping the letters of the set's language's own;\n"
    "without it, the letters chosen in the settings.\n"
    "--theme draws from one theme, a folder inside the pictures (topped up from all of them when\n"
    "it has fewer than six); without it, the theme chosen in the settings, else all pictures.\n"
    "PICTURES is a picture folder; without it, the one the game uses.\n"
    "OUT.pdf is a new file or an earlier PDF, outside PICTURES; nothing else is written over.\n";

struct Options {
    sheets::SheetRequest request;
    sheets::Paper paper = sheets::Paper::A4;
    bool words = false;
    bool lower = false;
    bool plain = false;
    std::optional<std::uint64_t> seed;
    std::optional<QString> folder;
    std::optional<QString> theme;
    QString out;
};

// The argument as given (its name, before any "=value") that QCommandLineParser names in a message
// of its own: quoted, or without its dashes among the unknown options.
QString givenName(const QStringList& arguments, const QString& error, const QString& unknown) {
    const qsizetype from = error.indexOf(u'\'') + 1;
    const QString quoted = error.mid(from, error.lastIndexOf(u'\'') - from);
    for (const QString& argument : arguments) {
        const QString name = argument.section(u'=', 0, 0);
        const QString bare = name.mid(name.startsWith(u"--") ? 2 : 1);
        if (name.startsWith(u'-') && (unknown.isEmpty() ? name == quoted : bare == unknown))
            return name;
    }
    return quoted;
}

// What the parser refused, in the program's words.
QString refused(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    const QString error = parser.errorText();
    const QString name = givenName(arguments, error, unknown.value(0).section(u'=', 0, 0));
    if (!unknown.isEmpty()) return QStringLiteral("unknown option %1").arg(name);
    if (error.startsWith(QStringLiteral("Missing value")))
        return name + QStringLiteral(" needs a value");
    const auto given = std::find_if(arguments.begin(), arguments.end(),
                                    [&](const QString& a) { return a.startsWith(name + u'='); });
    return QStringLiteral("%1 does not take %2")
        .arg(name, given != arguments.end() ? given->mid(name.size() + 1) : QString());
}

// The options, or the line that says what is wrong with them.
std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    const QCommandLineOption words(QStringLiteral("words")), lower(QStringLiteral("lower")),
        plain(QStringLiteral("plain"));
    const QCommandLineOption level(QStringLiteral("level"), {}, QStringLiteral("L"));
    const QCommandLineOption count(QStringLiteral("count"), {}, QStringLiteral("N"));
    const QCommandLineOption paper(QStringLiteral("paper"), {}, QStringLiteral("P"));
    const QCommandLineOption seed(QStringLiteral("seed"), {}, QStringLiteral("S"));
    const QCommandLineOption folder(QStringLiteral("folder"), {}, QStringLiteral("PICTURES"));
    const QCommandLineOption theme(QStringLiteral("theme"), {}, QStringLiteral("NAME"));
    QCommandLineParser parser;
    // -x is one unknown option, as --x is, not the letters of several.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({words, lower, plain, level, count, paper, seed, folder, theme});
    if (!parser.parse(QStringList{QStringLiteral("tolvano-sheets")} + arguments)) {
        problem = refused(parser, arguments);
        return std::nullopt;
    }
    const auto wrong = [&](const QCommandLineOption& option) {
        problem = QStringLiteral("--%1 does not take %2")
                      .arg(option.names().first(), parser.value(option));
        return std::nullopt;
    };
    Options options;
    options.words = parser.isSet(words);
    options.lower = parser.isSet(lower);
    options.plain = parser.isSet(plain);
    bool ok = true;
    if (parser.isSet(level) && (options.request.level = parser.value(level).toInt(&ok), !ok))
        return wrong(level);
    if (parser.isSet(count) && (options.request.count = parser.value(count).toInt(&ok), !ok))
        return wrong(count);
    if (parser.isSet(paper)) {
        const QString chosen = parser.value(paper).toLower();
        if (chosen != u"a4" && chosen != u"letter") return wrong(paper);
        if (chosen == u"letter") options.paper = sheets::Paper::Letter;
    }
    if (parser.isSet(seed) && (options.seed = parser.value(seed).toULongLong(&ok), !ok))
        return wrong(seed);
    if (parser.isSet(folder)) options.folder = parser.value(folder);
    if (parser.isSet(theme)) options.theme = parser.value(theme);
    const QStringList out = parser.positionalArguments();
    if (out.isEmpty()) {
        problem = QStringLiteral("no output file given");
        return std::nullopt;
    }
    if (out.size() > 1) {
        problem = QStringLiteral("one output file only, not %1 and %2").arg(out[0], out[1]);
        return std::nullopt;
    }
    options.out = out[0];
    return options;
}

// Where the printed pictures come from, folder by folder in the order they win: a teacher sees
// that their own pictures were used (or that none were).
QString pictureSources(const sheets::SheetSet& set) {
    QStringList parts;
    for (const QString& folder : set.pictureFolders) {
        int count = 0;
        for (const sheets::Sheet& sheet : set.sheets)
            for (int k = 0; k < WordSlots; ++k)
                count += set.picturePath(sheet, k).startsWith(folder + u'/') ? 1 : 0;
        parts << QStringLiteral("%1 from %2").arg(count).arg(folder);
    }
    return QStringLiteral("pictures: ") + parts.join(QStringLiteral(", "));
}

int fail(const QString& problem) {
    std::fprintf(stderr, "tolvano-sheets: %s\n", problem.toUtf8().constData());
    return UsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts and PDF pages need a GUI application, but never a screen: this runs over a remote
    // shell.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the decoders and Qt say about a damaged file or a teacher's text would only bury the
    // one line a mistake deserves.
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
    request.pictureFolders =
        options->folder ? QStringList{*options->folder} : paths.pictureFolders();
    request.seed = options->seed.value_or(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    request.lowerCase = options->lower || playSettings(paths).lowerCase;
    request.letters = playSettings(paths).letters;
    if (options->plain) request.letters.style = LetterStyle::Plain;
    // The class's theme from the settings follows the game's own folders, not another folder.
    request.theme =
        options->theme.value_or(options->folder ? QString() : playSettings(paths).theme);

    if (const auto wrong = sheets::requestProblem(request)) return fail(*wrong);
    // Opened before any picture is read, so that an output that may not be written is told at once
    // and nothing is touched; the PDF is written beside it under another name until it is whole.
    sheets::OutputFile file(options->out, request.pictureFolders);
    if (const auto wrong = file.open()) return fail(*wrong);
    sheets::PrintSettings settings;
    settings.paper = options->paper;
    settings.words = options->words;
    settings.levelPicture = paths.levelGif(request.level);
    settings.texts = readTexts(paths.file(assets::TextsFile), paths.language());
    std::optional<QString> failure;
    QString sources;
    {
        // A sheet leaves a damaged picture out as the game does, without a word; the program's
        // own line comes after.
        const StderrRedirect quiet;
        const sheets::MadeSet made = sheets::makeSheetSet(request);
        if (!made.set)
            failure = made.problem;
        else if (!sheets::writeSheetsPdf(*made.set, settings, file.device()))
            failure = QStringLiteral("cannot write %1: %2")
                          .arg(options->out, file.device().errorString());
        else
            failure = file.commit();
        if (made.set) sources = pictureSources(*made.set);
    }
    if (failure) return fail(*failure);
    const QString theme =
        request.theme.isEmpty() ? QString() : QStringLiteral(", theme %1").arg(request.theme);
    std::printf("%s: %d sheet%s and %s answers, level %d%s, seed %llu\n",
                options->out.toUtf8().constData(), request.count, request.count == 1 ? "" : "s",
                request.count == 1 ? "its" : "their", request.level, theme.toUtf8().constData(),
                static_cast<unsigned long long>(request.seed));
    std::printf("%s\n", sources.toUtf8().constData());
    return 0;
}
