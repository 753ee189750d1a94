// Making the speech engine for a language, and asking it on a thread of its own.
#include "speech_engine.h"

#include <QDeadlineTimer>
#include <QTextToSpeech>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

QTextToSpeech* createSpeechEngine(const QLocale& language, QObject* parent, SpeechSupport* why) {
    SpeechSupport support = SpeechSupport::NoEngine;
    QTextToSpeech* engine = nullptr;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.contains(QStringLiteral("speechd")))
        engine = new QTextToSpeech(QStringLiteral("speechd"), parent);
    else if (!engines.isEmpty())
        engine = new QTextToSpeech(parent);
    if (engine && engine->state() != QTextToSpeech::Error) {
        support = SpeechSupport::NoVoice;
        std::optional<QLocale> chosen;
        for (const QLocale& locale : engine->availableLocales()) {
            if (locale.language() != language.language()) continue;
            if (!chosen || locale.territory() == language.territory()) chosen = locale;
        }
        if (chosen) {
            engine->setLocale(*chosen);
            support = SpeechSupport::Speaks;
        }
    }
    if (why) *why = support;
    if (support == SpeechSupport::Speaks) return engine;
    delete engine;
    return nullptr;
}

SpeechProbe::SpeechProbe(QLocale language, int patienceMs)
    : m_answer(std::make_shared<std::atomic<SpeechSupport>>(SpeechSupport::NoAnswer)) {
    // The thread holds its own share of the answer: it may outlive the probe.
    m_thread = QThread::create([answer = m_answer, language = std::move(language), patienceMs] {
        const QDeadlineTimer deadline(patienceMs);
        SpeechSupport support = SpeechSupport::NoEngine;
        for (;;) {
            delete createSpeechEngine(language, nullptr, &support);
            if (support != SpeechSupport::NoEngine || QTextToSpeech::availableEngines().isEmpty())
                break;
            // An engine that is installed but does not connect is most often a speech daemon
            // that is still starting: asked again until the time is up, then no answer at all.
            if (deadline.hasExpired()) {
                support = SpeechSupport::NoAnswer;
                break;
            }
            QThread::msleep(RetryMs);
        }
        answer->store(support);
    });
    m_thread->setObjectName(QStringLiteral("speech probe"));
    m_thread->start();
}

SpeechProbe::~SpeechProbe() {
    endSpeechThread(m_thread, 0);
}

SpeechSupport SpeechProbe::result(int waitMs) {
    m_thread->wait(QDeadlineTimer(waitMs));
    return m_answer->load();
}

namespace {
// The threads left running, still referenced so that they count as held rather than leaked.
std::vector<QThread*>& abandonedThreads() {
    static std::vector<QThread*> threads;
    return threads;
}
} // namespace

void endSpeechThread(QThread* thread, int waitMs) {
    thread->quit();
    if (thread->wait(QDeadlineTimer(waitMs)))
        delete thread;
    else
        abandonedThreads().push_back(thread);
}

int endProgram(int status) {
    if (abandonedThreads().empty()) return status;
    // Only the program's own streams: the speech library's socket stream stays locked by its
    // reader.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
