// Saying recordings through an audio output of their own, timed from the file's own length.
#include "voice.h"
#include "config/regular_file.h"
#include "system_voice.h"
#include "wav_file.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>

namespace {

// The recording's samples, from the file checked a moment ago; nothing where it has changed since
// into something that is no longer a playable sound.
std::optional<QByteArray> readSamples(const QString& path) {
    const std::unique_ptr<QFile> file = openRegularFile(path);
    if (!file || file->size() > MaxSoundFileBytes) return std::nullopt;
    const std::optional<WavInfo> info = readWavInfo(*file);
    if (!info || !file->seek(info->dataOffset)) return std::nullopt;
    QByteArray samples = file->read(info->dataBytes);
    if (samples.size() != info->dataBytes) return std::nullopt;
    return samples;
}

QAudioFormat formatOf(const WavInfo& info) {
    QAudioFormat format;
    format.setSampleRate(info.sampleRate);
    format.setChannelCount(info.channels);
    // WAV keeps 8-bit samples unsigned and 16-bit ones signed.
    format.setSampleFormat(info.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

RecordingVoice::RecordingVoice(SystemVoice* fallback, QObject* parent)
    : QObject(parent), m_end(new QTimer(this)), m_fallback(fallback) {
    m_end->setSingleShot(true);
    const auto ended = [this] {
        if (finished) finished();
    };
    connect(m_end, &QTimer::timeout, this, ended);
    if (m_fallback) connect(m_fallback, &SystemVoice::finished, this, ended);
}

RecordingVoice::~RecordingVoice() {
    // Qt's PulseAudio output, destroyed while it plays, still serves its own queued request for
    // more samples after it has closed its stream, and the audio library aborts the program.
    if (QAudioSink* output = std::exchange(m_output, nullptr)) output->stop();
}

void RecordingVoice::release() {
    // Taken first: stopping it reports the new state, which comes back here.
    QAudioSink* output = std::exchange(m_output, nullptr);
    if (!output) return;
    output->stop();
    // Not at once: Qt's PulseAudio output runs the event loop while it is destroyed, which in a
    // click's handler would run the next events in the middle of it. The samples go with it.
    output->deleteLater();
}

bool RecordingVoice::say(const QString& recordingPath, const QString& word, bool systemVoice) {
    const std::optional<WavInfo> info = readPlayableSound(recordingPath);
    std::optional<QByteArray> samples;
    if (info) samples = readSamples(recordingPath);
    if (!samples) {
        if (!systemVoice || !m_fallback || !m_fallback->available() || word.isEmpty()) return false;
        release();
        m_end->stop();
        m_fallback->say(word);
        return true;
    }
    if (m_fallback) m_fallback->stop();
    // A new output for each word: the word still being said is simply dropped.
    release();
    m_end->start(static_cast<int>(info->durationMs()));
    // Without a sound card (a classroom's thin client, a test machine) the word is only timed.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return true;
    m_output = new QAudioSink(device, formatOf(*info), this);
    auto* sound = new QBuffer(m_output); // the output reads it until it is destroyed
    sound->setData(*samples);
    sound->open(QIODevice::ReadOnly);
    // Its samples are let go once they have been played out, which is a little after the word's
    // length by the output's latency, or when the output fails.
    connect(m_output, &QAudioSink::stateChanged, this,
            [this, output = m_output](QAudio::State state) {
                if (output == m_output && state != QAudio::ActiveState) release();
            });
    m_output->start(sound);
    return true;
}

bool RecordingVoice::speaking() const {
    return m_end->isActive() || (m_fallback && m_fallback->speaking());
}
