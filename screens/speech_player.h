// Saying the round's words: a clicked picture's word at once, each word found once its chime has
// played, one word at a time.
#pragma once

#include "board.h"
#include "game.h"
#include "speech_queue.h"
#include "voice_switch.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <functional>

class GameSounds;
class Voice;

// The queue holds the rules and is given the time; this keeps the clock and the one timer that
// wakes the queue when its next word falls due.
class SpeechPlayer {
  public:
    using RecordingPath = std::function<QString(const QString& pictureFile)>;
    // words: the round's, read when each word is said. recordingPath: where a picture's recording
    // is, as the screen resolves it.
    SpeechPlayer(const WordList& words, const GameSounds& sounds, RecordingPath recordingPath);

    // Who says the words; without one the game is silent.
    void setVoice(Voice* voice);
    // The teacher's switch: off, recordings only, or recordings and the system's voice.
    void setSpeaking(Speaking speaking);
    void sayFoundWords(const ClickResult& result);
    // A clicked picture's word, cutting off what is being said.
    void sayNow(int slot);
    // Nothing of the last round is said in the next.
    void clear();

  private:
    void saySpeech();

    const WordList& m_words;
    const GameSounds& m_sounds;
    RecordingPath m_recordingPath;
    Speaking m_speaking = Speaking::On;
    Voice* m_voice = nullptr;
    SpeechQueue m_speech;
    QElapsedTimer m_speechClock;
    QTimer m_speechTimer;
};
