// Saying recordings through a player of their own, timed from the file's own length.
#include "voice.h"
#include "sample_player.h"
#include "system_voice.h"
#include "wav_file.h"

#include <QTimer>
#include <optional>

RecordingVoice::RecordingVoice(SystemVoice* fallback, QObject* parent)
    : QObject(parent), m_player(new SamplePlayer(this)), m_end(new QTimer(this)),
      m_fallback(fallback) {
    m_end->setSingleShot(true);
    const auto ended = [this] {
        if (finished) finished();
    };
    connect(m_end, &QTimer::timeout, this, ended);
    if (m_fallback) connect(m_fallback, &SystemVoice::finished, this, ended);
}

bool RecordingVoice::say(const QString& recordingPath, const QString& word, bool systemVoice) {
    const std::optional<PlayableSound> sound = readPlayableSamples(recordingPath);
    if (!sound) {
        if (!systemVoice || !m_fallback || !m_fallback->available() || word.isEmpty()) return false;
        m_player->stop();
        m_end->stop();
        m_fallback->say(word);
        return true;
    }
    if (m_fallback) m_fallback->stop();
    // The word still being said is simply dropped.
    m_player->play(*sound);
    m_end->start(static_cast<int>(sound->info.durationMs()));
    return true;
}

bool RecordingVoice::speaking() const {
    return m_end->isActive() || (m_fallback && m_fallback->speaking());
}
