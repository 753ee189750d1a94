// Reads a WAV file's header and chunk table, and says why the game could not play it.
#include "wav_file.h"
#include "config/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <climits>

namespace {

// Far more than a real file has (fmt, data and a few LIST or fact chunks); a file of thousands of
// tiny chunks is no sound anyone saved, and must not cost thousands of reads.
constexpr int MaxChunks = 64;
constexpr quint32 FormatPcm = 0x0001;
constexpr quint32 FormatExtensible = 0xFFFE;
// WAVE_FORMAT_EXTENSIBLE names its encoding by a GUID: the usual format tag, then this fixed tail.
const QByteArray SubFormatTail = QByteArray::fromHex("00001000800000aa00389b71");

std::optional<WavInfo> fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    return std::nullopt;
}

// What a file that is no WAV is, for the files a .wav name is most often put on by mistake.
QString otherKind(const QByteArray& head) {
    const auto byte = [&head](int i) { return i < head.size() ? quint8(head[i]) : 0; };
    if (head.startsWith("ID3") || (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0))
        return QStringLiteral("an MP3 file, not a WAV");
    if (head.mid(4, 4) == "ftyp") return QStringLiteral("an M4A or MP4 file, not a WAV");
    if (head.startsWith("OggS")) return QStringLiteral("an Ogg file, not a WAV");
    if (head.startsWith("fLaC")) return QStringLiteral("a FLAC file, not a WAV");
    if (head.isEmpty()) return QStringLiteral("empty file");
    return QStringLiteral("not a WAV file");
}

QString encodingName(quint32 tag) {
    switch (tag) {
    case 0x0002:
    case 0x0011:
        return QStringLiteral("ADPCM");
    case 0x0003:
        return QStringLiteral("floating-point");
    case 0x0006:
        return QStringLiteral("A-law");
    case 0x0007:
        return QStringLiteral("mu-law");
    case 0x0050:
    case 0x0055:
        return QStringLiteral("MP3");
    }
    return QStringLiteral("encoding 0x%1").arg(tag, 4, 16, QLatin1Char('0'));
}

quint16 u16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 u32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The format chunk's body (at least its 16 common bytes) as a playable format.
std::optional<WavInfo> playableFormat(const QByteArray& fmt, QString* why) {
    quint32 tag = u16(fmt, 0);
    if (tag == FormatExtensible) {
        if (fmt.size() < 40) return fail(why, QStringLiteral("the format header is cut short"));
        tag = fmt.mid(28, 12) == SubFormatTail ? u32(fmt, 24) : 0xFFFF;
    }
    if (tag != FormatPcm) {
        return fail(why, QStringLiteral("%1 sound; the game plays only 8- or 16-bit PCM WAV")
                             .arg(encodingName(tag)));
    }
    WavInfo info;
    info.channels = u16(fmt, 2);
    info.sampleRate = static_cast<int>(std::min<quint32>(u32(fmt, 4), INT_MAX));
    info.bitsPerSample = u16(fmt, 14);
    if (info.channels != 1 && info.channels != 2)
        return fail(
            why,
            QStringLiteral("%1 channels; the game plays only mono or stereo").arg(info.channels));
    if (info.bitsPerSample != 8 && info.bitsPerSample != 16)
        return fail(why, QStringLiteral("%1-bit sound; the game plays only 8- or 16-bit")
                             .arg(info.bitsPerSample));
    if (info.sampleRate == 0) return fail(why, QStringLiteral("sample rate 0 in the header"));
    return info;
}

} // namespace

qint64 WavInfo::durationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * (bitsPerSample / 8);
    return bytesPerSecond > 0 ? dataBytes * 1000 / bytesPerSecond : 0;
}

std::optional<WavInfo> readWavInfo(QIODevice& device, QString* why) {
    if (!device.seek(0)) return fail(why, QStringLiteral("cannot be read"));
    const QByteArray head = device.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8) != "WAVE")
        return fail(why, otherKind(head));
    // The RIFF size is not trusted: recorders that stream often leave it 0 or wrong.
    const qint64 size = device.size();
    std::optional<WavInfo> format;
    qint64 at = 12;
    for (int chunk = 0; chunk < MaxChunks && at + 8 <= size; ++chunk) {
        if (!device.seek(at)) break;
        const QByteArray header = device.read(8);
        if (header.size() < 8) break;
        const qint64 length = u32(header, 4);
        const qint64 body = at + 8;
        if (header.startsWith("fmt ")) {
            const QByteArray fmt = device.read(std::min<qint64>(length, 40));
            if (length < 16 || fmt.size() < 16)
                return fail(why, QStringLiteral("the header is cut short (%1 bytes)").arg(size));
            format = playableFormat(fmt, why);
            if (!format) return std::nullopt;
        } else if (header.startsWith("data")) {
            if (!format) return fail(why, QStringLiteral("the sound data comes before its format"));
            if (length < format->channels * (format->bitsPerSample / 8))
                return fail(why, QStringLiteral("no sound data"));
            if (body + length > size) {
                return fail(why, QStringLiteral("cut short: the header promises %1 bytes of "
                                                "sound, the file holds %2")
                                     .arg(length)
                                     .arg(std::max<qint64>(size - body, 0)));
            }
            format->dataBytes = length;
            return format;
        }
        at = body + length + (length & 1); // chunks keep an even length
    }
    if (!format) return fail(why, QStringLiteral("the header is cut short (%1 bytes)").arg(size));
    return fail(why, QStringLiteral("no sound data"));
}

std::optional<WavInfo> readWavInfo(const QString& path, QString* why) {
    const QFileInfo info(path);
    if (!info.exists()) return fail(why, QStringLiteral("missing"));
    // A FIFO or a device would block the first read, or never end.
    const std::unique_ptr<QFile> opened = openRegularFile(path);
    if (!opened) {
        return fail(why, info.isFile() ? QStringLiteral("cannot be opened")
                                       : QStringLiteral("not a regular file"));
    }
    QFile& file = *opened;
    return readWavInfo(file, why);
}

std::optional<WavInfo> readPlayableSound(const QString& path, QString* why) {
    const std::optional<WavInfo> info = readWavInfo(path, why);
    if (!info) return std::nullopt;
    const qint64 bytes = QFileInfo(path).size();
    if (bytes > MaxSoundFileBytes) {
        return fail(why, QStringLiteral("too large (%1 MB; the game plays sounds up to %2 MB)")
                             .arg(bytes / (1024 * 1024))
                             .arg(MaxSoundFileBytes / (1024 * 1024)));
    }
    if (info->durationMs() > MaxSoundMs) {
        return fail(why, QStringLiteral("too long (%1 s; the game plays sounds up to %2 s)")
                             .arg(info->durationMs() / 1000)
                             .arg(MaxSoundMs / 1000));
    }
    return info;
}
