// The bundled recordings play, and the voices say a word for as long as it lasts.
#include "speech_engine.h"
#include "system_voice.h"
#include "voice.h"
#include "wav_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// Each word of a set's names table has its recording (the names tables' test); each one plays.
TEST(BundledVoices, everyRecordingIsShortAndPlayable) {
    const QDir sets(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas"));
    for (const QString& set : sets.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir voices(sets.filePath(set + QStringLiteral("/voces")));
        const QStringList recordings = voices.entryList({QStringLiteral("*.wav")}, QDir::Files);
        ASSERT_GE(recordings.size(), 300) << set.toStdString();
        for (const QString& name : recordings) {
            const QString recording = voices.filePath(name);
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
    EXPECT_FALSE(
        voice.say(QStringLiteral("/no/such/voces/perro.wav"), QStringLiteral("perro"), true));
    EXPECT_FALSE(voice.speaking());
    EXPECT_TRUE(
        voice.say(QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/es/voces/sol.wav"), {}, false));
    EXPECT_TRUE(voice.speaking());
    // Until the word has been said, so that it is timed to its end and not cut off.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !voice.speaking(); }, 5000));
}

// A speech daemon of the test's own: the client library starts one on a socket under
// XDG_RUNTIME_DIR, so a fresh folder there gives a fresh daemon, which the test ends itself. A
// daemon left from earlier may have stopped answering (without an audio output, speech-dispatcher
// can hang as it ends itself after being idle) and would only make the test wait.
class OwnSpeechDaemon {
  public:
    OwnSpeechDaemon() : m_saved(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    ~OwnSpeechDaemon() {
        QFile pid(
            m_runtime.filePath(QStringLiteral("speech-dispatcher/pid/speech-dispatcher.pid")));
        if (pid.open(QIODevice::ReadOnly))
            if (const int daemon = pid.readAll().trimmed().toInt(); daemon > 0)
                ::kill(daemon, SIGKILL);
        qputenv("XDG_RUNTIME_DIR", m_saved);
    }

  private:
    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

// The system's voice on this machine offers Spanish and says a Spanish word without falling into
// its error state. Asking the engine starts the speech daemon where it is installed; where it
// cannot start, or has no Spanish, the test is skipped, not passed.
TEST(SystemVoiceTest, saysASpanishWordWhereTheMachineCanSpeak) {
    const OwnSpeechDaemon daemon;
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    switch (SpeechProbe(spanish).result(15'000)) {
    case SpeechSupport::Speaks:
        break;
    case SpeechSupport::NoEngine:
        GTEST_SKIP() << "no speech engine here, or its daemon cannot start";
    case SpeechSupport::NoVoice:
        GTEST_SKIP() << "the speech engine here has no Spanish voice";
    case SpeechSupport::NoAnswer:
        GTEST_SKIP()
            << "the speech engine did not answer within 15 s (listing its voices takes seconds, and"
               " many times longer under the sanitizers)";
    }
    SystemVoice system(spanish);
    RecordingVoice voice(&system);
    EXPECT_TRUE(
        voice.say(QStringLiteral("/no/such/voces/perro.wav"), QStringLiteral("perro"), true));
    EXPECT_TRUE(voice.speaking());
    // The engine reports the word's end where there is an audio output, and an error at once where
    // it fails; without an output it reports nothing, and the word ends after MaxWordMs.
    // Either ending is fine: what is tested is that the engine is still there after the word.
    static_cast<void>(QTest::qWaitFor(
        [&] { return !system.available() || system.wordsHeard() > 0; }, SystemVoice::MaxWordMs));
    EXPECT_TRUE(system.available());
}

} // namespace
