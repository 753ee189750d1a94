// The process's peak resident memory, as the kernel counts it.
#pragma once

#include <QFile>
#include <QRegularExpression>

// VmHWM of /proc/self/status in kilobytes; -1 where there is no such file.
inline long long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    static const QRegularExpression hwm(QStringLiteral("VmHWM:\\s+(\\d+) kB"));
    const auto match = hwm.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}
