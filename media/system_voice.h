// The system's synthetic voice, for the words that have no recording.
#pragma once

#include <QElapsedTimer>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>

class SystemVoiceWorker;

// Qt's speech engine connects to the speech daemon, and may start it, when it is created, which
// can take seconds; and it says one text at a time. So the engine lives on a thread of its own and
// is created there at the first word, never at start-up; the game keeps the queue. Where there is
// no engine, no daemon or no voice for the language, words are silent.
class SystemVoice : public QObject {
    Q_OBJECT
  public:
    explicit SystemVoice(QLocale language, QObject* parent = nullptr);
    ~SystemVoice() override;

    // Starts saying the word (cutting off the one being said) and returns at once.
    void say(const QString& word);
    // The language of the words from the next on: its engine is made again for it, and a voice
    // found missing for the old language is looked for again.
    void setLanguage(QLocale language);
    // Stops the word being said, if any, without reporting its end.
    void stop();
    // Whether a word is being said. An engine that never reports the end of a word (no audio
    // output) is taken to have ended after MaxWordMs.
    bool speaking() const;
    // False once the engine has been found missing or failing: words are then not sent.
    bool available() const { return m_available; }

    static constexpr qint64 MaxWordMs = 3000;
    // Words whose end the engine itself reported: it is reachable and speaks.
    int wordsHeard() const { return m_heard; }

  signals:
    void finished();

  private:
    void wordEnded(bool engineWorks);

    QThread* m_thread;
    SystemVoiceWorker* m_worker;
    QElapsedTimer m_since;
    bool m_speaking = false;
    int m_heard = 0;
    std::atomic<bool> m_available{true};
};
