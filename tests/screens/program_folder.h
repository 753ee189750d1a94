// A throwaway program folder for window tests: the bundled texts, animations and sounds, a few
// pictures, and helpers to rewrite a text file; the repository's assets are never touched.
// It is laid out the old way, one set with configuracion/ and imagenes/ at the top, so that the
// tests name a file the same way whichever set the repository has active.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

class ProgramFolder {
  public:
    explicit ProgramFolder(const QStringList& pictures = {"casa.png", "sol.png", "pato.png",
                                                          "luna.png", "gato.png", "oso.png",
                                                          "pez.png", "rana.png"}) {
        const QString source = QStringLiteral(TOLVANO_ASSET_DIR);
        const QString spanish = source + QStringLiteral("/idiomas/es");
        copyFolder(spanish, "configuracion");
        copyFolder(source, "gifs");
        copyFolder(source, "sonidos");
        QDir(path()).mkdir(QStringLiteral("imagenes"));
        // Any bundled picture will do for every name: only the names matter to the tests.
        const QString sample = spanish + QStringLiteral("/imagenes/gato.png");
        for (const QString& name : pictures)
            QFile::copy(sample, path() + "/imagenes/" + name);
    }

    QString path() const { return m_dir.path(); }

    void write(const QString& relative, const QByteArray& content) const {
        QDir(path()).mkpath(QFileInfo(relative).path());
        QFile file(path() + QLatin1Char('/') + relative);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(content);
    }
    void remove(const QString& relative) const {
        QFile::remove(path() + QLatin1Char('/') + relative);
    }

  private:
    void copyFolder(const QString& source, const char* folder) {
        const QString name = QString::fromLatin1(folder);
        QDir(path()).mkdir(name);
        const QDir from(source + QLatin1Char('/') + name);
        for (const QString& file : from.entryList(QDir::Files))
            QFile::copy(from.filePath(file),
                        path() + QLatin1Char('/') + name + QLatin1Char('/') + file);
    }

    QTemporaryDir m_dir;
};
