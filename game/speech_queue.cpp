// The order and timing of the words the game says.
#include "speech_queue.h"

#include <iterator>

void SpeechQueue::sayNow(int slot, qint64 nowMs) {
    m_waiting.clear();
    m_waiting.push_back({slot, nowMs, true});
}

void SpeechQueue::sayAfter(const std::vector<int>& slots, qint64 nowMs, qint64 soundMs) {
    bool first = true;
    for (int slot : slots) {
        m_waiting.push_back({slot, nowMs + soundMs, first});
        first = false;
    }
}

std::optional<int> SpeechQueue::next(qint64 nowMs, bool voiceSpeaking) {
    // A later click's word that has fallen due cuts off, and drops, what an earlier click left.
    for (auto it = m_waiting.rbegin(); it != m_waiting.rend(); ++it) {
        if (it->cuts && it->dueMs <= nowMs) {
            m_waiting.erase(m_waiting.begin(), std::prev(it.base()));
            break;
        }
    }
    if (m_waiting.empty()) return std::nullopt;
    const Word& word = m_waiting.front();
    if (word.dueMs > nowMs || (voiceSpeaking && !word.cuts)) return std::nullopt;
    const int slot = word.slot;
    m_waiting.pop_front();
    return slot;
}

std::optional<qint64> SpeechQueue::nextDue() const {
    if (m_waiting.empty()) return std::nullopt;
    return m_waiting.front().dueMs;
}
