// Saying recordings through QSoundEffect, timed from the file's own length.
#include "voice.h"
#include "wav_file.h"

#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

RecordingVoice::RecordingVoice(QObject* parent) : QObject(parent), m_end(new QTimer(this)) {
    m_end->setSingleShot(true);
    connect(m_end, &QTimer::timeout, this, [this] {
        if (finished) finished();
    });
}

bool RecordingVoice::say(const QString& recordingPath) {
    const std::optional<WavInfo> info = readPlayableSound(recordingPath);
    if (!info) return false;
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
    return m_end->isActive();
}
