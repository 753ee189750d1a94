// The speech engine on its own thread: created at the first word, one word at a time.
#include "system_voice.h"

#include <QTextToSpeech>
#include <cstdio>
#include <optional>
#include <vector>

// Lives on the voice's thread; every call reaches it as a queued call.
class SystemVoiceWorker : public QObject {
    Q_OBJECT
  public:
    explicit SystemVoiceWorker(QLocale language) : m_language(std::move(language)) {}

    void say(const QString& word) {
        if (!engine()) {
            emit ended(false);
            return;
        }
        m_engine->stop();
        m_engine->say(word);
    }

    void stop() {
        if (m_engine) m_engine->stop();
    }

  signals:
    void ended(bool engineWorks);

  private:
    // The set's language, in its own region where the engine has it (es-ES rather than es-MX).
    bool chooseLocale() {
        std::optional<QLocale> chosen;
        for (const QLocale& locale : m_engine->availableLocales()) {
            if (locale.language() != m_language.language()) continue;
            if (!chosen || locale.territory() == m_language.territory()) chosen = locale;
        }
        if (chosen) m_engine->setLocale(*chosen);
        return chosen.has_value();
    }

    QTextToSpeech* engine() {
        if (m_engine || m_failed) return m_engine;
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.contains(QStringLiteral("speechd")))
            m_engine = new QTextToSpeech(QStringLiteral("speechd"), this);
        else if (!engines.isEmpty())
            m_engine = new QTextToSpeech(this);
        if (m_engine && m_engine->state() != QTextToSpeech::Error && chooseLocale()) {
            connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
                if (s == QTextToSpeech::Ready) emit ended(true);
                if (s == QTextToSpeech::Error) emit ended(false);
            });
            return m_engine;
        }
        delete m_engine;
        m_engine = nullptr;
        m_failed = true;
        return nullptr;
    }

    QLocale m_language;
    QTextToSpeech* m_engine = nullptr;
    bool m_failed = false;
};

namespace {
// Speech threads that did not end in time. A speech daemon that has stopped answering leaves the
// engine waiting in a read for ever; the program must still end at once, so the thread is left to
// the end of the process, still referenced here.
std::vector<QThread*>& abandonedThreads() {
    static std::vector<QThread*> threads;
    return threads;
}
constexpr int ThreadEndMs = 200;
} // namespace

SystemVoice::SystemVoice(QLocale language, QObject* parent)
    : QObject(parent), m_thread(new QThread), m_worker(new SystemVoiceWorker(std::move(language))) {
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SystemVoiceWorker::ended, this, &SystemVoice::wordEnded,
            Qt::QueuedConnection);
    m_thread->setObjectName(QStringLiteral("speech"));
    m_thread->start();
}

SystemVoice::~SystemVoice() {
    disconnect(m_worker, nullptr, this, nullptr);
    m_thread->quit();
    if (m_thread->wait(ThreadEndMs)) {
        delete m_thread;
    } else {
        abandonedThreads().push_back(m_thread);
    }
}

void SystemVoice::say(const QString& word) {
    if (!m_available) return;
    m_speaking = true;
    m_since.start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, word] { worker->say(word); },
                              Qt::QueuedConnection);
}

void SystemVoice::stop() {
    if (!m_speaking) return;
    m_speaking = false;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->stop(); },
                              Qt::QueuedConnection);
}

bool SystemVoice::speaking() const {
    return m_speaking && m_since.isValid() && m_since.elapsed() < MaxWordMs;
}

void SystemVoice::wordEnded(bool engineWorks) {
    if (!engineWorks && m_available) {
        m_available = false;
        std::fprintf(stderr, "tolvano: no system voice for this language; words without a "
                             "recording are not said\n");
    }
    if (engineWorks) ++m_heard;
    if (!m_speaking) return;
    m_speaking = false;
    emit finished();
}

#include "system_voice.moc"
