// Every bundled picture, in both language sets, has a recording the game can play.
#include "voice.h"
#include "wav_file.h"

#include <QDir>
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
    EXPECT_FALSE(voice.say(QStringLiteral("/no/such/voces/perro.wav")));
    EXPECT_FALSE(voice.speaking());
    EXPECT_TRUE(voice.say(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/voces/sol.wav")));
    EXPECT_TRUE(voice.speaking());
}

} // namespace
