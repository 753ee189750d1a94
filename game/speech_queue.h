// What the game says and when: a picture's word when the picture is clicked, and a found word once
// the sound played for it has finished.
#pragma once

// The voice says one word at a time and has no queue of its own, so the order lives here:
// - a clicked picture's word is said at once, cutting off whatever is being said or waiting;
// - the words one click completes are said in word order, one after the other, once the sound
//   played for that click (the success chime, or the final fanfare that follows the last word)
//   has finished: the game's sounds never cut a word, and a word never covers them;
// - a word that falls due cuts off the one being said, except the words of its own click, which
//   wait for each other.
// Time is in milliseconds on any monotonic clock the caller keeps.

#include <QtGlobal>
#include <deque>
#include <optional>
#include <vector>

class SpeechQueue {
  public:
    void sayNow(int slot, qint64 nowMs);
    void sayAfter(const std::vector<int>& slots, qint64 nowMs, qint64 soundMs);

    // The next word to start at nowMs, taken off the queue: one that is due and either cuts
    // (the first of its click) or finds the voice idle. nullopt when there is none yet.
    std::optional<int> next(qint64 nowMs, bool voiceSpeaking);
    // When the word at the front falls due; nullopt when nothing waits.
    std::optional<qint64> nextDue() const;
    // Forgets every word waiting (a new round).
    void clear() { m_waiting.clear(); }

  private:
    struct Word {
        int slot;
        qint64 dueMs;
        bool cuts; // the first word of its click cuts off the one being said
    };
    std::deque<Word> m_waiting;
};
