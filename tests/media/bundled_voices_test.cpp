// Every bundled picture, in both language sets, has a recording the game can play.
#include "speech_engine.h"
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

// The system's voice on this machine offers Spanish and says a Spanish word without falling into
// its error state. Asking the engine starts the speech daemon where it is installed but not
// running; where it cannot start, or has no Spanish, the test is skipped, not passed.
TEST(SystemVoiceTest, saysASpanishWordWhereTheMachineCanSpeak) {
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    switch (SpeechProbe(spanish).result(15'000)) {
    case SpeechSupport::Speaks:
        break;
    case SpeechSupport::NoEngine:
        GTEST_SKIP() << "no speech engine here, or its daemon cannot start";
    case SpeechSupport::NoVoice:
        GTEST_SKIP() << "the speech engine here has no Spanish voice";
    case SpeechSupport::NoAnswer:
        GTEST_SKIP() << "the speech daemon did not answer within 15 s";
    }
    SystemVoice system(spanish);
    RecordingVoice voice(&system);
    EXPECT_TRUE(voice.say(QStringLiteral("/no/such/voces/perro.wav"), QStringLiteral("perro"), true));
    EXPECT_TRUE(voice.speaking());
    // The engine reports the word's end where there is an audio output, and an error at once where
    // it fails; without an output it reports nothing, and the word ends after MaxWordMs.
    QTest::qWaitFor([&] { return !system.available() || system.wordsHeard() > 0; },
                    SystemVoice::MaxWordMs);
    EXPECT_TRUE(system.available());
}

} // namespace
