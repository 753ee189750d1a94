// Tests of the asset paths and of the bundled assets that ship beside the program.
#include "asset_paths.h"
#include "test_support.h"
#include "text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

TEST(AssetPaths, RelativePathsJoinTheFolderWithSlashes) {
    const QString folder = "/opt/tolvano\\2";
    EXPECT_EQ(assets::path(folder, assets::LanguageFile),
              "/opt/tolvano\\2/configuracion/idioma.txt");
    EXPECT_EQ(assets::path(folder, assets::SuccessSound), "/opt/tolvano\\2/sonidos/acierto.wav");
    EXPECT_EQ(assets::levelGif(folder, 1), "/opt/tolvano\\2/gifs/1.gif");
    EXPECT_EQ(assets::levelGif(folder, 6), "/opt/tolvano\\2/gifs/6.gif");
    EXPECT_EQ(assets::picture(folder, "cami\u00f3n\\2.png"),
              "/opt/tolvano\\2/imagenes/cami\u00f3n\\2.png");
}

TEST(AssetPaths, ProgramFolderHoldsTheRunningProgram) {
    const QString folder = assets::programFolder();
    EXPECT_TRUE(QFileInfo(folder).isAbsolute());
    EXPECT_TRUE(QFileInfo::exists(folder + u'/' +
                                  QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
}

// The assets are made by their own scripts; this checks the set the game needs is complete and
// readable where it is kept, as the game would read it.
TEST(BundledAssets, BundledAssetsExistAndLoad) {
    const QString folder = QStringLiteral(TOLVANO_ASSET_DIR);
    QStringList gifs = {assets::path(folder, assets::RunnerGif),
                        assets::path(folder, assets::SuccessGif)};
    for (int n = 1; n <= 6; ++n)
        gifs << assets::levelGif(folder, n);
    for (const QString& gif : gifs) {
        QImageReader reader(gif);
        EXPECT_FALSE(reader.read().isNull())
            << gif.toStdString() << ": " << reader.errorString().toStdString();
    }
    for (const char16_t* sound : {assets::SuccessSound, assets::ErrorSound, assets::FinalSound}) {
        QFile wav(assets::path(folder, sound));
        const QByteArray head = wav.open(QIODevice::ReadOnly) ? wav.read(12) : QByteArray();
        EXPECT_TRUE(head.startsWith("RIFF") && head.mid(8) == "WAVE")
            << wav.fileName().toStdString();
    }
    EXPECT_GE(QDir(assets::path(folder, assets::PictureFolder)).entryList(QDir::Files).size(), 6);

    ItemFile language(assets::path(folder, assets::LanguageFile));
    int items = 0;
    while (language.readText() && items < 10)
        ++items;
    EXPECT_EQ(items, 5);
    LineFile levels(assets::path(folder, assets::LevelFile));
    int lines = 0;
    while (levels.readLine() && lines < 10)
        ++lines;
    EXPECT_EQ(lines, 6);
    EXPECT_GT(
        leadingNumber(ItemFile(assets::path(folder, assets::SpeedFile)).readVariant().value_or(""))
            .value_or(0),
        0);
}

} // namespace
