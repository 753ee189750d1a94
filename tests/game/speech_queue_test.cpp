// The order and timing of the words the game says.
#include "speech_queue.h"

#include <gtest/gtest.h>

namespace {

// Runs the queue from `from` to `to` ms in 10-ms steps with a voice that takes `wordMs` a word,
// and gives each word said with the time it started.
std::vector<std::pair<qint64, int>> run(SpeechQueue& queue, qint64 from, qint64 to,
                                        qint64 wordMs = 500) {
    std::vector<std::pair<qint64, int>> said;
    qint64 speakingUntil = -1;
    for (qint64 now = from; now <= to; now += 10) {
        if (const auto slot = queue.next(now, now < speakingUntil)) {
            said.emplace_back(now, *slot);
            speakingUntil = now + wordMs;
        }
    }
    return said;
}

using Said = std::vector<std::pair<qint64, int>>;

TEST(SpeechQueue, aClickedPictureIsSaidAtOnceAndCutsWhatWaits) {
    SpeechQueue queue;
    queue.sayAfter({1}, 0, 400);
    queue.sayNow(4, 100);
    EXPECT_EQ(run(queue, 100, 2000), (Said{{100, 4}}));
}

TEST(SpeechQueue, foundWordsFollowTheirSoundInWordOrderOneAfterTheOther) {
    SpeechQueue queue;
    queue.sayAfter({2, 5}, 0, 700);
    EXPECT_EQ(queue.nextDue(), 700);
    EXPECT_EQ(run(queue, 0, 3000), (Said{{700, 2}, {1200, 5}}));
    EXPECT_EQ(queue.nextDue(), std::nullopt);
}

TEST(SpeechQueue, aLaterWordCutsTheOneBeingSaidAndDropsWhatAnEarlierClickLeft) {
    SpeechQueue queue;
    queue.sayNow(0, 0);             // a picture's word, being said until 500
    queue.sayAfter({1, 2}, 0, 300); // due at 300: cuts the picture's word
    queue.sayAfter({3}, 350, 300);  // due at 650, while word 2 still waits for word 1
    EXPECT_EQ(run(queue, 0, 3000), (Said{{0, 0}, {300, 1}, {650, 3}}));
}

} // namespace
