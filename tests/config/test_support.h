// Helpers of the config tests: readable QStrings in failures, files in a temporary folder.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A file of the given bytes in a folder that disappears with the test.
class TempFiles {
  public:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

  private:
    QTemporaryDir m_dir;
};
