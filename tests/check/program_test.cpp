// The program as a teacher runs it: its exit status and a line of its output, on real folders.
#include "program_folder.h"

#include <QProcess>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct CheckRun {
    int exitCode = -1;
    QString output; // standard output, then standard error
    QString errors;
};

CheckRun runCheck(const QStringList& arguments) {
    QProcess process;
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
        {{TOLVANO_ASSET_DIR}, 0, "\nReady to play.\n"},
        {{five.path()}, 1, "\n5 pictures usable\n"},
        {{"/nonexistent/tolvano"}, 2, "/nonexistent/tolvano is not a folder"},
        {{five.path(), five.path()}, 2, "Usage: tolvano-check [FOLDER]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CheckRun run = runCheck(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.output.contains(c.line)) << run.output.toStdString();
    }
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
    EXPECT_TRUE(run.output.contains(" damaged (libpng error: Read Error)\n"))
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
    EXPECT_TRUE(run.output.contains("Ignored by the game: caf\\351.png (name not UTF-8)"))
        << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("\n8 pictures usable\n"));
}

} // namespace
