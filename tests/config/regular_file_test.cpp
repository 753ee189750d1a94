// Tests of the one file opener: only regular files open, and nothing blocks or reads without end.
#include "regular_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(RegularFile, onlyRegularFilesOpenAndLinksAreFollowed) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    {
        QFile file(at("texto.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("hola");
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("tuberia")).constData(), 0600), 0);
    ASSERT_EQ(::symlink("texto.txt", QFile::encodeName(at("enlace")).constData()), 0);
    ASSERT_EQ(::symlink("tuberia", QFile::encodeName(at("a_tuberia")).constData()), 0);
    ASSERT_EQ(::symlink("/dev/urandom", QFile::encodeName(at("azar")).constData()), 0);
    const struct {
        const char* name;
        bool regular;
    } rows[] = {{"texto.txt", true}, {"enlace", true},     {"tuberia", false},
                {"a_tuberia", false}, {"azar", false},     {"nada", false}, {"", false}};
    for (const auto& row : rows) {
        const QString path = *row.name ? at(row.name) : dir.path();
        EXPECT_EQ(isRegularFile(path), row.regular) << row.name;
        EXPECT_EQ(openRegularFile(path) != nullptr, row.regular) << row.name;
        EXPECT_EQ(readRegularFile(path, 2), row.regular ? std::optional<QByteArray>("ho")
                                                        : std::nullopt)
            << row.name;
    }
}

} // namespace
