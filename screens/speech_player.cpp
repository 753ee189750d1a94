// When the game's words are said: the queue's rules carried out on a clock and one timer.
#include "speech_player.h"

#include "game_sounds.h"
#include "picture_words.h"
#include "voice.h"

#include <algorithm>
#include <cstdio>
#include <utility>

SpeechPlayer::SpeechPlayer(const WordList& words, const GameSounds& sounds,
                           RecordingPath recordingPath)
    : m_words(words), m_sounds(sounds), m_recordingPath(std::move(recordingPath)) {
    m_speechTimer.setSingleShot(true);
    QObject::connect(&m_speechTimer, &QTimer::timeout, &m_speechTimer, [this] { saySpeech(); });
    m_speechClock.start();
}

void SpeechPlayer::setVoice(Voice* voice) {
    if (m_voice) m_voice->finished = nullptr;
    m_voice = voice;
    if (m_voice) m_voice->finished = [this] { saySpeech(); };
}

void SpeechPlayer::setSpeaking(Speaking speaking) {
    m_speaking = speaking;
    if (m_speaking == Speaking::Off) setVoice(nullptr);
}

// The words one click completes are said once the longest of its sounds has finished.
void SpeechPlayer::sayFoundWords(const ClickResult& result) {
    if (!m_voice || result.completedWords.empty()) return;
    qint64 longest = 0;
    for (SoundId sound : result.sounds)
        longest = std::max(longest, m_sounds.soundMs(sound));
    m_speech.sayAfter(result.completedWords, m_speechClock.elapsed(), longest);
    saySpeech();
}

void SpeechPlayer::sayNow(int slot) {
    m_speech.sayNow(slot, m_speechClock.elapsed());
    saySpeech();
}

void SpeechPlayer::clear() {
    m_speech.clear();
}

// Says what has fallen due, and wakes itself again for what is still to come.
void SpeechPlayer::saySpeech() {
    if (!m_voice) {
        m_speech.clear();
        return;
    }
    const qint64 now = m_speechClock.elapsed();
    while (const std::optional<int> slot = m_speech.next(now, m_voice->speaking())) {
        const QString& file = m_words.PictureFiles[*slot];
        if (file.isEmpty() ||
            m_voice->say(m_recordingPath(file), lowerCaseWord(file), m_speaking == Speaking::On))
            break;
        static bool reported = false; // once a run: a folder without recordings is not an error
        if (!reported) {
            std::fprintf(stderr, "tolvano: no way to say \"%s\"; such words are not said\n",
                         qPrintable(m_words.Words[*slot]));
            reported = true;
        }
    }
    if (const std::optional<qint64> due = m_speech.nextDue(); due && *due > now)
        m_speechTimer.start(static_cast<int>(*due - now));
}
