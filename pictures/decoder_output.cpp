// Sending stderr elsewhere while pictures are read, and the handler that keeps fatal messages only.
#include "decoder_output.h"

#include <QString>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

StderrRedirect::StderrRedirect(int target) {
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    const int null = target < 0 ? ::open("/dev/null", O_WRONLY | O_CLOEXEC) : -1;
    const int to = target < 0 ? null : target;
    if (m_saved >= 0 && to >= 0) ::dup2(to, STDERR_FILENO);
    if (null >= 0) ::close(null);
}

StderrRedirect::~StderrRedirect() {
    if (m_saved < 0) return;
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

void keepOnlyFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}
