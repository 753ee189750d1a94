// Saying recordings through QSoundEffect, timed from the file's own length.
#include "voice.h"
#include "system_voice.h"
#include "wav_file.h"

#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

RecordingVoice::RecordingVoice(SystemVoice* fallback, QObject* parent)
    : QObject(parent), m_end(new QTimer(this)), m_fallback(fallback) {
    m_end->setSingleShot(true);
    const auto ended = [this] {
        if (finished) finished();
    };
    connect(m_end, &QTimer::timeout, this, ended);
    if (m_fallback) connect(m_fallback, &SystemVoice::finished, this, ended);
}

bool RecordingVoice::say(const QString& recordingPath, const QString& word, bool systemVoice) {
    const std::optional<WavInfo> info = readPlayableSound(recordingPath);
    if (!info) {
        if (!systemVoice || !m_fallback || !m_fallback->available() || word.isEmpty())
            return false;
        if (m_effect) m_effect->stop();
        m_end->stop();
        m_fallback->say(word);
        return true;
    }
    if (m_fallback) m_fallback->stop();
    // A new effect for each word: the recordings are small, and one that is still loading or
    // playing is simply dropped.
    delete m_effect;
    m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(recordingPath));
    m_effect->play();
    m_end->start(static_cast<int>(info->durationMs()));
    return true;
}

bool RecordingVoice::speaking() const {
    return m_end->isActive() || (m_fallback && m_fallback->speaking());
}
