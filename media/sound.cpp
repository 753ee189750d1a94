// Plays WAV files through QSoundEffect, checking each file first so that a bad one beeps.
#include "sound.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

quint32 le32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

bool isUsableFormat(const QByteArray& fmt) {
    return fmt.size() >= 16 && le16(fmt, 2) > 0 && le32(fmt, 4) > 0 && le16(fmt, 14) > 0;
}

// QSoundEffect reports a bad file only later, through its status, and plays nothing; the
// header walk here lets the caller beep at once instead. It reads chunk headers only.
bool isPlayableWave(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") return false;
    bool formatSeen = false;
    // A file of endless tiny chunks must not keep the caller reading.
    for (int chunk = 0; chunk < 64; ++chunk) {
        const QByteArray header = file.read(8);
        if (header.size() < 8) return false;
        const quint32 size = le32(header, 4);
        if (header.startsWith("data")) return formatSeen && size > 0 && !file.atEnd();
        const qint64 body = file.pos();
        if (header.startsWith("fmt ")) {
            formatSeen = isUsableFormat(file.read(qMin<quint32>(size, 64)));
            if (!formatSeen) return false;
        }
        // Chunks are padded to an even length.
        if (!file.seek(body + size + (size & 1))) return false;
    }
    return false;
}

} // namespace

SoundEffectPlayer::SoundEffectPlayer(QObject* parent)
    : QObject(parent), m_beep([] { QApplication::beep(); }) {}

void SoundEffectPlayer::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

void SoundEffectPlayer::play(const QString& wavPath) {
    // The beep stands for the new sound, so it too cuts off the one still playing.
    if (m_current) m_current->stop();
    m_current = nullptr;
    if (!isPlayableWave(wavPath)) {
        if (m_beep) m_beep();
        return;
    }
    // Every other effect is already stopped, so this one starts from its beginning.
    m_current = effectFor(wavPath);
    m_current->play();
}

QSoundEffect* SoundEffectPlayer::effectFor(const QString& wavPath) {
    auto found = m_effects.find(wavPath);
    if (found != m_effects.end()) return found->second;
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(wavPath));
    m_effects.emplace(wavPath, effect);
    return effect;
}
