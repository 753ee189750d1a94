// Playing samples held in memory through Qt Multimedia's audio output, one sound at a time.
#include "sample_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <utility>

namespace {

QAudioFormat formatOf(const WavInfo& info) {
    QAudioFormat format;
    format.setSampleRate(info.sampleRate);
    format.setChannelCount(info.channels);
    // WAV keeps 8-bit samples unsigned and 16-bit ones signed.
    format.setSampleFormat(info.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

SamplePlayer::SamplePlayer(QObject* parent) : QObject(parent) {}

SamplePlayer::~SamplePlayer() {
    // Qt's PulseAudio output, destroyed while it plays, still serves its own queued request for
    // more samples after it has closed its stream, and the audio library aborts the program.
    if (QAudioSink* output = std::exchange(m_output, nullptr)) output->stop();
}

void SamplePlayer::stop() {
    // Taken first: stopping it reports the new state, which comes back here.
    QAudioSink* output = std::exchange(m_output, nullptr);
    if (!output) return;
    output->stop();
    // Not at once: Qt's PulseAudio output runs the event loop while it is destroyed, which in a
    // click's handler would run the next events in the middle of it. The samples go with it.
    output->deleteLater();
}

void SamplePlayer::play(const PlayableSound& sound) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    m_output = new QAudioSink(device, formatOf(sound.info), this);
    auto* samples = new QBuffer(m_output); // the output reads it until it is destroyed
    samples->setData(sound.samples);
    samples->open(QIODevice::ReadOnly);
    // The samples are let go once they have been played out, a little after the sound's length by
    // the output's latency, or when the output fails.
    connect(m_output, &QAudioSink::stateChanged, this,
            [this, output = m_output](QAudio::State state) {
                if (output == m_output && state != QAudio::ActiveState) stop();
            });
    m_output->start(samples);
}
