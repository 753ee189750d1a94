// Opening the sound and speech library after the first frame, and forwarding to it.
#include "late_media.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLibrary>
#include <QTimer>
#include <QWidget>
#include <cstdio>

LateMedia::LateMedia(QStringList libraries, QLocale language, QObject* parent)
    : QObject(parent), m_libraries(std::move(libraries)), m_language(std::move(language)) {}

LateMedia::~LateMedia() {
    if (m_backEnds) m_backEnds->voice().finished = nullptr;
}

void LateMedia::openAfterFirstFrame() {
    if (!m_tried) qApp->installEventFilter(this);
}

// The paint event comes before the window is painted and flushed; the queued call runs after.
bool LateMedia::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { open(); });
    }
    return false;
}

MediaBackEnds* LateMedia::open() {
    if (m_tried) return m_backEnds.get();
    m_tried = true;
    qApp->removeEventFilter(this);
    QString why = QStringLiteral("not found");
    for (const QString& path : m_libraries) {
        // Never unloaded: the back ends' threads and Qt's plug-ins may refer to it up to the end.
        QLibrary library(path);
        if (!library.load()) {
            if (QLibrary::isLibrary(path) && QFile::exists(path)) why = library.errorString();
            continue;
        }
        const auto make =
            reinterpret_cast<MakeMediaBackEnds>(library.resolve(MakeMediaBackEndsName));
        const auto end = reinterpret_cast<EndMediaProgram>(library.resolve(EndMediaProgramName));
        if (!make || !end) {
            why = library.errorString();
            continue;
        }
        m_endProgram = end;
        m_backEnds.reset(make(m_language));
        m_backEnds->voice().finished = [this] {
            if (m_voice.finished) m_voice.finished();
        };
        return m_backEnds.get();
    }
    std::fprintf(stderr, "tolvano: no sound or voice (the sound library: %s)\n", qPrintable(why));
    return nullptr;
}

int LateMedia::endProgram(int status) {
    if (m_backEnds) m_backEnds->voice().finished = nullptr;
    m_backEnds.reset();
    return m_endProgram ? m_endProgram(status) : status;
}

void LateMedia::LateSound::play(const QString& wavPath) {
    if (MediaBackEnds* backEnds = m_media.open()) backEnds->sound().play(wavPath);
}

bool LateMedia::LateVoice::say(const QString& recordingPath, const QString& word,
                               bool systemVoice) {
    MediaBackEnds* backEnds = m_media.open();
    return backEnds && backEnds->voice().say(recordingPath, word, systemVoice);
}

// Nothing is said before the library is open, so asking opens nothing.
bool LateMedia::LateVoice::speaking() const {
    return m_media.m_backEnds && m_media.m_backEnds->voice().speaking();
}

QStringList mediaLibraryPaths(const QString& programFolder) {
    QStringList paths{programFolder + QStringLiteral("/" TOLVANO_MEDIA_LIBRARY)};
#ifdef TOLVANO_SYSTEM_MEDIA_LIBRARY_DIR
    paths << QStringLiteral(TOLVANO_SYSTEM_MEDIA_LIBRARY_DIR "/" TOLVANO_MEDIA_LIBRARY);
#endif
    return paths;
}

void LateMedia::LateVoice::setLanguage(const QLocale& language) {
    m_media.m_language = language;
    if (m_media.m_backEnds) m_media.m_backEnds->setLanguage(language);
}
