// Tests of the late-opened sound and speech library: it says words once open, and without it the
// game stays silent rather than failing.
#include "late_media.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Recording = QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/voces/sol.wav");

TEST(LateMedia, opensTheLibraryAtTheFirstWordAndForwardsItsEnd) {
    LateMedia media({QStringLiteral("/no/such/libtolvano-media.so"),
                     QStringLiteral(TOLVANO_MEDIA_LIBRARY_FILE)},
                    QLocale(QLocale::Spanish));
    EXPECT_FALSE(media.voice().speaking());
    bool ended = false;
    media.voice().finished = [&] { ended = true; };
    ASSERT_TRUE(media.voice().say(Recording, QStringLiteral("sol"), false));
    EXPECT_NE(media.open(), nullptr);
    EXPECT_TRUE(media.voice().speaking());
    media.sound().play(Recording);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 5000));
    EXPECT_EQ(media.endProgram(3), 3);
}

TEST(LateMedia, withoutTheLibraryPlaysAndSaysNothing) {
    LateMedia media({QStringLiteral("/no/such/libtolvano-media.so")}, QLocale(QLocale::Spanish));
    media.sound().play(Recording);
    EXPECT_FALSE(media.voice().say(Recording, QStringLiteral("sol"), true));
    EXPECT_FALSE(media.voice().speaking());
    EXPECT_EQ(media.open(), nullptr);
    EXPECT_EQ(media.endProgram(3), 3);
}

} // namespace
