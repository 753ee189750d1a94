// The program as a teacher runs it: its exit status and a line of its output, on real folders.
#include "program_folder.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct CheckRun {
    int exitCode = -1;
    QString output; // standard output, then standard error
    QString errors;
};

CheckRun
runCheck(const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TOLVANO_CHECK_PROGRAM), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return {};
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()) + errors,
            errors};
}

TEST(Program, exitStatusTellsReadyNotReadyAndUsageMistakes) {
    const ProgramFolder five({"casa.png", "sol.png", "pato.png", "luna.png", "gato.png"});
    const struct {
        QStringList arguments;
        int exitCode;
        QString line;
    } cases[] = {
        {{TOLVANO_ASSET_DIR}, 0, "\nListo para jugar.\n"},
        {{five.path()}, 1, "\nSe pueden jugar 5 de sus 5 imágenes.\n"},
        // A folder of pictures alone is checked as the pictures of a round.
        {{five.path() + "/imagenes"}, 1, "Revisando la carpeta de imágenes "},
        {{"/nonexistent/tolvano"}, 2, "/nonexistent/tolvano is not a folder"},
        {{five.path(), five.path()}, 2, "Usage: tolvano-check [--summary] [FOLDER]"},
        {{"--sumary", five.path()}, 2, "Usage: tolvano-check [--summary] [FOLDER]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CheckRun run = runCheck(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.output.contains(c.line)) << run.output.toStdString();
    }
    // The summary alone: the verdict in its first lines, nothing in detail.
    const CheckRun summary = runCheck({"--summary", five.path()});
    EXPECT_EQ(summary.exitCode, 1);
    EXPECT_LE(summary.output.count(u'\n'), 10) << summary.output.toStdString();
    EXPECT_TRUE(summary.output.contains("\nNo está listo para jugar: 1 cosa que hacer.\n"));
    EXPECT_FALSE(summary.output.contains("En detalle"));
}

// Run without a folder, the check sees the game's own folders as this user's game plays them, with
// the user's own pictures and settings; a folder given is checked as it is, whoever runs it.
TEST(Program, checksTheUsersOwnLayerOnlyOverTheGamesOwnFolders) {
    const QTemporaryDir home;
    QDir(home.path()).mkpath("data/tolvano/idiomas/en/imagenes");
    QFile::copy(TOLVANO_ASSET_DIR "/idiomas/es/imagenes/gato.png",
                home.filePath("data/tolvano/idiomas/en/imagenes/maestra.png"));
    QDir(home.path()).mkpath("config/tolvano");
    QFile settings(home.filePath("config/tolvano/tolvano.conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[general]\nlanguage=en\n");
    settings.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    const struct {
        QStringList arguments;
        QString line;
        bool ownLayer;
    } cases[] = {
        {{}, "\n  maestra.png ", true},
        {{TOLVANO_ASSET_DIR}, "\nListo para jugar.\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CheckRun run = runCheck(c.arguments, environment);
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(c.line)) << run.output.toStdString();
        EXPECT_EQ(run.output.contains("\nYour settings in "), c.ownLayer);
    }
}

// A speech daemon that takes the connection and never answers leaves the voice's thread waiting for
// ever: the check still ends at once, with its whole report (it was lost at exit under the leak
// checker, and the plugin could be unloaded under the waiting thread).
TEST(Program, aSpeechDaemonThatNeverAnswersCostsNoPartOfTheReport) {
    const QTemporaryDir runtime;
    const QByteArray socketPath = QFile::encodeName(runtime.path() + "/speechd.sock");
    const int daemon = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.constData());
    ASSERT_EQ(::bind(daemon, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(daemon, 4), 0); // connections wait in the backlog, never answered
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SPEECHD_ADDRESS", "unix_socket:" + QString::fromUtf8(socketPath));
    environment.insert("XDG_RUNTIME_DIR", runtime.path());

    const ProgramFolder folder; // no recordings, so the voice is asked
    const CheckRun run = runCheck({folder.path()}, environment);
    ::close(daemon);
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("\n  No se pudo saber si la voz del ordenador funciona"))
        << run.output.toStdString();
    EXPECT_TRUE(run.output.endsWith("\nListo para jugar.\n")) << run.output.toStdString();
}

// libpng and libtiff print their complaints on stderr themselves; they belong in the report only.
TEST(Program, whatTheDecodersSayAppearsOnlyInTheReport) {
    const ProgramFolder folder;
    QFile sample(folder.path() + "/imagenes/gato.png");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray png = sample.readAll();
    folder.write("imagenes/roto.png", png.left(png.size() / 2));
    folder.write("imagenes/tiff.tif", QByteArray("II*\0\x08\0\0\0\xff\xff", 10));
    const CheckRun run = runCheck({folder.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.output.contains(
        " el archivo está cortado o dañado: cópialo otra vez (libpng error: Read Error)\n"))
        << run.output.toStdString();
    EXPECT_EQ(run.errors.toStdString(), "");
}

// Names copied from old disks may not be UTF-8: the game cannot see them, and the check says so.
TEST(Program, aNameThatIsNotUtf8IsListedWithoutHarm) {
    const ProgramFolder folder;
    const QByteArray name = QFile::encodeName(folder.path()) + "/imagenes/caf\xe9.png";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const CheckRun run = runCheck({folder.path()});
    ::unlink(name.constData()); // Qt cannot name it, so the temporary folder could not remove it
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        run.output.contains("El juego no tiene en cuenta: caf\\351.png (nombre que no es UTF-8)"))
        << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("\nSe pueden jugar 8 de sus 8 imágenes.\n"));
}

} // namespace
