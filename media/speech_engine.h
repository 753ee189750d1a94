// The system's speech engine: made for a language, asked whether it can speak it, and its threads
// ended without ever holding up the program.
#pragma once

#include <QLocale>
#include <atomic>
#include <memory>

class QObject;
class QTextToSpeech;
class QThread;

enum class SpeechSupport {
    Speaks,   // an engine with a voice for the language
    NoEngine, // no speech engine, or none that works (no daemon)
    NoVoice,  // an engine without the language
    NoAnswer, // the engine did not answer in time
};

// The engine set to the language, in the language's own region where the engine has it (es-ES
// rather than es-MX); none where there is no engine or no voice for the language, and why says
// which. Slow: creating it connects to the speech daemon, which may start the daemon.
QTextToSpeech* createSpeechEngine(const QLocale& language, QObject* parent,
                                  SpeechSupport* why = nullptr);

// Asks, on a thread of its own, whether the engine can speak the language; started at once, so
// that the asking overlaps other work. An installed engine that cannot connect yet (a speech
// daemon starting cold takes seconds) is asked again every RetryMs for patienceMs; still without
// a connection, the answer is NoAnswer, not NoEngine: nobody can tell whether it would work.
class SpeechProbe {
  public:
    static constexpr int RetryMs = 250;
    explicit SpeechProbe(QLocale language, int patienceMs = 0);
    ~SpeechProbe();
    SpeechProbe(const SpeechProbe&) = delete;
    SpeechProbe& operator=(const SpeechProbe&) = delete;

    // The answer, waiting for it up to waitMs; NoAnswer once that has passed.
    SpeechSupport result(int waitMs);

  private:
    QThread* m_thread;
    std::shared_ptr<std::atomic<SpeechSupport>> m_answer;
};

// Ends a speech thread, waiting up to waitMs. A speech daemon that has stopped answering leaves
// the engine waiting in a read for ever, and the program must still end at once: such a thread is
// left running to the end of the process rather than destroyed.
void endSpeechThread(QThread* thread, int waitMs);

// What main returns, once every speech thread has been ended. Where one was left running, the usual
// exit would unload the speech plugin and tear Qt down under it (a crash at exit, or a library's
// report lost with the output), so the output is flushed and the process ends here instead.
int endProgram(int status);
