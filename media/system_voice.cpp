// The speech engine on its own thread: created at the first word, one word at a time.
#include "system_voice.h"
#include "speech_engine.h"

#include <QTextToSpeech>
#include <cstdio>

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

    void setLanguage(const QLocale& language) {
        if (language == m_language) return;
        m_language = language;
        delete m_engine;
        m_engine = nullptr;
        m_failed = false;
    }

  signals:
    void ended(bool engineWorks);

  private:
    QTextToSpeech* engine() {
        if (m_engine || m_failed) return m_engine;
        m_engine = createSpeechEngine(m_language, this);
        if (!m_engine) {
            m_failed = true;
            return nullptr;
        }
        connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
            if (s == QTextToSpeech::Ready) emit ended(true);
            if (s == QTextToSpeech::Error) emit ended(false);
        });
        return m_engine;
    }

    QLocale m_language;
    QTextToSpeech* m_engine = nullptr;
    bool m_failed = false;
};

namespace {
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
    endSpeechThread(m_thread, ThreadEndMs);
}

void SystemVoice::say(const QString& word) {
    if (!m_available) return;
    m_speaking = true;
    m_since.start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, word] { worker->say(word); },
                              Qt::QueuedConnection);
}

void SystemVoice::setLanguage(QLocale language) {
    m_available = true;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, language] { worker->setLanguage(language); },
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
