// Every bundled picture, in both language sets, has a recording the game can play.
#include "system_voice.h"
#include "voice.h"
#include "wav_file.h"

#include <QDir>
#include <QTest>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(BundledVoices, everyPictureHasAShortPlayableRecording) {
    for (const char* set : {"es", "en"}) {
        const QDir sets(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/") + QLatin1String(set));
        const QStringList pictures = QDir(sets.filePath(QStringLiteral("imagenes"))).entryList(QDir::Files);
        ASSERT_GT(pictures.size(), 100) << set;
        for (const QString& picture : pictures) {
            const QString recording = sets.filePath(QStringLiteral("voces/") +
                                                    QFileInfo(picture).completeBaseName() +
                                                    QStringLiteral(".wav"));
            const std::optional<WavInfo> info = readPlayableSound(recording);
            ASSERT_TRUE(info) << recording.toStdString();
            EXPECT_GE(info->durationMs(), 300) << recording.toStdString();
            EXPECT_LE(info->durationMs(), 2000) << recording.toStdString();
        }
    }
}

// A word lasts as long as its recording says, whatever the audio output does; a recording that
// cannot be played says nothing.
TEST(BundledVoices, recordingVoiceSpeaksForTheRecordingsLength) {
    RecordingVoice voice;
    EXPECT_FALSE(voice.say(QStringLiteral("/no/such/voces/perro.wav"), QStringLiteral("perro"), true));
    EXPECT_FALSE(voice.speaking());
    EXPECT_TRUE(voice.say(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/voces/sol.wav"), {}, false));
    EXPECT_TRUE(voice.speaking());
}

// The system's voice on this machine says a Spanish word and reports its end; skipped, not
// passed, where no speech engine with a Spanish voice answers here.
TEST(SystemVoiceTest, saysASpanishWordWhereTheMachineCanSpeak) {
    SystemVoice system(QLocale(QLocale::Spanish, QLocale::Spain));
    RecordingVoice voice(&system);
    EXPECT_TRUE(voice.say(QStringLiteral("/no/such/voces/perro.wav"), QStringLiteral("perro"), true));
    EXPECT_TRUE(voice.speaking());
    // Reaching the speech daemon, or starting it, takes seconds the first time.
    const bool answered =
        QTest::qWaitFor([&] { return !system.available() || system.wordsHeard() > 0; }, 15'000);
    if (!system.available()) GTEST_SKIP() << "no speech engine with a Spanish voice here";
    if (!answered) GTEST_SKIP() << "the speech daemon does not answer here (no audio output?)";
    EXPECT_FALSE(voice.speaking());
}

} // namespace
