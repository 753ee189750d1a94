// What a WAV file holds, from its header and chunk table alone: whether the game can play it.
#pragma once

// The game plays its sounds as plain PCM WAV: 8 or 16 bits, mono or stereo. A teacher replacing
// a sound may drop in anything saved with a .wav name (a phone's recording, an MP3 renamed, a file
// half copied), and the sound player only fails later and quietly. This reader says beforehand,
// with a reason a person can act on. It reads the first 12 bytes and the chunk headers, seeking
// past everything else, so a large or hostile file costs a few small reads. Qt Core only: the
// folder check and the sound service both use it.

#include "config/language_file.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

class QIODevice;

struct WavInfo {
    int channels = 0;
    int bitsPerSample = 0;
    int sampleRate = 0;
    qint64 dataBytes = 0;  // the sound data chunk's size, which the file holds in full
    qint64 dataOffset = 0; // where in the file that chunk's sound starts
    qint64 durationMs() const;
};

// The playable format of the file at path, which must be a regular file; std::nullopt otherwise,
// with the reason in *why when why is given ("an MP3 file, not a WAV", "no sound data", ...).
std::optional<WavInfo> readWavInfo(const QString& path, QString* why = nullptr);

// The same over an open, seekable device, read from its start; its size is the file's size.
std::optional<WavInfo> readWavInfo(QIODevice& device, QString* why = nullptr);

// The sound player loads a whole file into memory: a header announcing gigabytes (a sparse file)
// would take them. A sound the game plays is a short chime or a spoken word, so longer sounds and
// larger files are refused, and the player beeps instead, as for a missing file.
inline constexpr qint64 MaxSoundMs = 30'000;
inline constexpr qint64 MaxSoundFileBytes = 16LL * 1024 * 1024;

// readWavInfo, and within the limits above; the reason in *why when it is not, in the language
// given (the folder check reports in the set's language).
std::optional<WavInfo> readPlayableSound(const QString& path, QString* why = nullptr,
                                         Language language = Language::English);

// A playable sound's format and its samples, read whole (at most MaxSoundFileBytes).
struct PlayableSound {
    WavInfo info;
    QByteArray samples;
};
// The sound at path, from one opening of the file, when readPlayableSound would take it and it can
// be read to its end; nullopt otherwise.
std::optional<PlayableSound> readPlayableSamples(const QString& path);
