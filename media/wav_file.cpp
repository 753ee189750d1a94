// Reads a WAV file's header and chunk table, and says why the game could not play it.
#include "wav_file.h"
#include "config/regular_file.h"
#include "config/texts_file.h"

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

// Where a reason goes, and in which language it is said.
struct Why {
    QString* text;
    Language language;
};

// No playable sound, for the reason given: its text in the language, each %n filled in order.
template <typename... Args>
std::optional<WavInfo> fail(const Why& why, TextDefault reason, const Args&... args) {
    if (why.text) {
        *why.text = reason.in(why.language);
        ((*why.text = why.text->arg(args)), ...);
    }
    return std::nullopt;
}

// What a file that is no WAV is, for the files a .wav name is most often put on by mistake.
TextDefault otherKind(const QByteArray& head) {
    const auto byte = [&head](int i) { return i < head.size() ? quint8(head[i]) : 0; };
    if (head.startsWith("ID3") || (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0))
        return {u"un archivo MP3, no un WAV", u"an MP3 file, not a WAV"};
    if (head.mid(4, 4) == "ftyp")
        return {u"un archivo M4A o MP4, no un WAV", u"an M4A or MP4 file, not a WAV"};
    if (head.startsWith("OggS")) return {u"un archivo Ogg, no un WAV", u"an Ogg file, not a WAV"};
    if (head.startsWith("fLaC")) return {u"un archivo FLAC, no un WAV", u"a FLAC file, not a WAV"};
    if (head.isEmpty()) return {u"archivo vacío", u"empty file"};
    return {u"no es un archivo WAV", u"not a WAV file"};
}

QString encodingName(quint32 tag, Language language) {
    switch (tag) {
    case 0x0002:
    case 0x0011:
        return QStringLiteral("ADPCM");
    case 0x0003:
        return language == Language::English ? QStringLiteral("floating-point")
                                             : QStringLiteral("de coma flotante");
    case 0x0006:
        return QStringLiteral("A-law");
    case 0x0007:
        return QStringLiteral("mu-law");
    case 0x0050:
    case 0x0055:
        return QStringLiteral("MP3");
    }
    return (language == Language::English ? QStringLiteral("encoding 0x%1")
                                          : QStringLiteral("codificación 0x%1"))
        .arg(tag, 4, 16, QLatin1Char('0'));
}

quint16 u16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 u32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The format chunk's body (at least its 16 common bytes) as a playable format.
std::optional<WavInfo> playableFormat(const QByteArray& fmt, const Why& why) {
    quint32 tag = u16(fmt, 0);
    if (tag == FormatExtensible) {
        if (fmt.size() < 40)
            return fail(
                why, {u"la cabecera del formato está cortada", u"the format header is cut short"});
        tag = fmt.mid(28, 12) == SubFormatTail ? u32(fmt, 24) : 0xFFFF;
    }
    if (tag != FormatPcm) {
        return fail(why,
                    {u"sonido %1; el juego solo oye WAV PCM de 8 o 16 bits",
                     u"%1 sound; the game plays only 8- or 16-bit PCM WAV"},
                    encodingName(tag, why.language));
    }
    WavInfo info;
    info.channels = u16(fmt, 2);
    info.sampleRate = static_cast<int>(std::min<quint32>(u32(fmt, 4), INT_MAX));
    info.bitsPerSample = u16(fmt, 14);
    if (info.channels != 1 && info.channels != 2)
        return fail(why,
                    {u"%1 canales; el juego solo oye mono o estéreo",
                     u"%1 channels; the game plays only mono or stereo"},
                    info.channels);
    if (info.bitsPerSample != 8 && info.bitsPerSample != 16)
        return fail(why,
                    {u"sonido de %1 bits; el juego solo oye 8 o 16 bits",
                     u"%1-bit sound; the game plays only 8- or 16-bit"},
                    info.bitsPerSample);
    if (info.sampleRate == 0)
        return fail(why, {u"frecuencia 0 en la cabecera", u"sample rate 0 in the header"});
    return info;
}

} // namespace

qint64 WavInfo::durationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * (bitsPerSample / 8);
    return bytesPerSecond > 0 ? dataBytes * 1000 / bytesPerSecond : 0;
}

namespace {

const TextDefault CutShortHeader = {u"la cabecera está cortada (%1 bytes)",
                                    u"the header is cut short (%1 bytes)"};
const TextDefault NoSoundData = {u"no hay sonido", u"no sound data"};

std::optional<WavInfo> readWav(QIODevice& device, const Why& why) {
    if (!device.seek(0)) return fail(why, {u"no se puede leer", u"cannot be read"});
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
            if (length < 16 || fmt.size() < 16) return fail(why, CutShortHeader, size);
            format = playableFormat(fmt, why);
            if (!format) return std::nullopt;
        } else if (header.startsWith("data")) {
            if (!format)
                return fail(why, {u"el sonido viene antes que su formato",
                                  u"the sound data comes before its format"});
            if (length < format->channels * (format->bitsPerSample / 8))
                return fail(why, NoSoundData);
            if (body + length > size) {
                return fail(why,
                            {u"cortado: la cabecera promete %1 bytes de sonido y el archivo "
                             u"tiene %2",
                             u"cut short: the header promises %1 bytes of sound, the file holds "
                             u"%2"},
                            length, std::max<qint64>(size - body, 0));
            }
            format->dataBytes = length;
            format->dataOffset = body;
            return format;
        }
        at = body + length + (length & 1); // chunks keep an even length
    }
    if (!format) return fail(why, CutShortHeader, size);
    return fail(why, NoSoundData);
}

std::optional<WavInfo> readWavFile(const QString& path, const Why& why) {
    const QFileInfo info(path);
    if (!info.exists()) return fail(why, {u"falta", u"missing"});
    // A FIFO or a device would block the first read, or never end.
    const std::unique_ptr<QFile> opened = openRegularFile(path);
    if (!opened) {
        return fail(why, info.isFile()
                             ? TextDefault{u"no se puede abrir", u"cannot be opened"}
                             : TextDefault{u"no es un archivo normal", u"not a regular file"});
    }
    return readWav(*opened, why);
}

// The player loads the whole file: a sound within MaxSoundFileBytes and MaxSoundMs.
std::optional<WavInfo> withinLimits(const WavInfo& info, qint64 bytes, const Why& why) {
    if (bytes > MaxSoundFileBytes) {
        return fail(why,
                    {u"demasiado grande (%1 MB; el juego oye sonidos de hasta %2 MB)",
                     u"too large (%1 MB; the game plays sounds up to %2 MB)"},
                    bytes / (1024 * 1024), MaxSoundFileBytes / (1024 * 1024));
    }
    if (info.durationMs() > MaxSoundMs) {
        return fail(why,
                    {u"demasiado largo (%1 s; el juego oye sonidos de hasta %2 s)",
                     u"too long (%1 s; the game plays sounds up to %2 s)"},
                    info.durationMs() / 1000, MaxSoundMs / 1000);
    }
    return info;
}

} // namespace

std::optional<WavInfo> readWavInfo(QIODevice& device, QString* why) {
    return readWav(device, {why, Language::English});
}

std::optional<WavInfo> readWavInfo(const QString& path, QString* why) {
    return readWavFile(path, {why, Language::English});
}

std::optional<WavInfo> readPlayableSound(const QString& path, QString* whyText, Language language) {
    const Why why{whyText, language};
    const std::optional<WavInfo> info = readWavFile(path, why);
    if (!info) return std::nullopt;
    return withinLimits(*info, QFileInfo(path).size(), why);
}

std::optional<PlayableSound> readPlayableSamples(const QString& path) {
    const std::unique_ptr<QFile> file = openRegularFile(path);
    if (!file) return std::nullopt;
    const Why quiet{nullptr, Language::English};
    std::optional<WavInfo> info = readWav(*file, quiet);
    if (info) info = withinLimits(*info, file->size(), quiet);
    if (!info || !file->seek(info->dataOffset)) return std::nullopt;
    QByteArray samples = file->read(info->dataBytes);
    if (samples.size() != info->dataBytes) return std::nullopt;
    return PlayableSound{*info, std::move(samples)};
}
