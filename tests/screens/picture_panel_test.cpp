// Tests of the game screen's picture panel: six pictures together, a failed one shows nothing.
//
// The six come up together at their panel sizes; a picture whose header reads but whose pixels do
// not leaves its place empty, and is not drawn again.
#include "game_screen.h"
#include "media_fakes.h"
#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

struct PicturePanel : ::testing::Test {
    ProgramFolder folder;
    NoNavigation navigation;
    Module1 module1;
    RecordingSound sound;
    std::unique_ptr<Form1> form;

    void load() {
        form = std::make_unique<Form1>(assets::resolve(folder.path()), navigation, module1, sound,
                                       QSize(800, 600));
        form->Form_Load();
    }
    void nextRound() {
        form->enableTimer3();
        form->Timer3_Timer();
    }
    // Keeps the first half of each picture: its header still reads, its pixels end early.
    void truncatePictures() {
        const QDir pictures(folder.path() + QStringLiteral("/imagenes"));
        for (const QString& name : pictures.entryList(QDir::Files)) {
            QFile file(pictures.filePath(name));
            file.resize(file.size() / 2);
        }
    }
};

TEST_F(PicturePanel, everyRoundShowsSixPicturesEachFillingItsPlace) {
    load();
    for (int round = 0; round < 3; ++round) {
        if (round > 0) nextRound();
        for (const PictureLabel* picture : form->Image1) {
            EXPECT_FALSE(picture->isHidden());
            ASSERT_FALSE(picture->pixmap().isNull());
            EXPECT_EQ(picture->pixmap().size(), picture->size());
        }
    }
}

TEST_F(PicturePanel, aPictureThatFailsToDecodeLeavesItsPlaceEmptyAndIsNotDrawnAgain) {
    load();
    truncatePictures();
    nextRound();
    QSet<QString> broken;
    for (int k = 0; k < WordSlots; ++k) {
        EXPECT_FALSE(form->game().wordList.PictureFiles[k].isEmpty());
        EXPECT_TRUE(form->Image1[k]->pixmap().isNull()) << "no other word's picture in its place";
        broken.insert(form->game().wordList.PictureFiles[k]);
    }
    // Eight files, six of them found broken: the next round draws only from the other two.
    nextRound();
    for (const QString& file : form->game().wordList.PictureFiles)
        EXPECT_FALSE(broken.contains(file));
}

} // namespace
