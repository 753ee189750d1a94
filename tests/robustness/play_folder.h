// Throwaway program folders for the robustness tests: bundled assets, hostile files, and a
// byte-for-byte listing to prove that playing never changes what a teacher put in the folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <string>

class PlayFolder {
  public:
    enum class Pictures { None, Bundled };
    // The bundled texts, animations and sounds, and an empty or bundled picture folder.
    explicit PlayFolder(Pictures pictures = Pictures::None);

    QString path() const { return m_dir.path(); }
    // The picture folder, as a byte path for the file-system calls that create odd entries.
    std::string pictureFolder() const;

    // Creates a file by raw name bytes, so that names which are not valid UTF-8 can exist too.
    void writeRaw(const std::string& relative, const QByteArray& content) const;
    void write(const QString& relative, const QByteArray& content) const;
    void remove(const QString& relative) const;

  private:
    QTemporaryDir m_dir;
};

// A bundled picture as bytes, and the same picture re-encoded as JPEG.
QByteArray bundledPng(const QString& name = QStringLiteral("gato.png"));
QByteArray bundledJpeg(const QString& name = QStringLiteral("gato.png"));

// Every entry under a folder, by raw relative name: its kind, size, content checksum (regular
// files) or link target (symbolic links). Links are never followed and FIFOs never opened.
using FolderListing = std::map<std::string, std::string>;
FolderListing listFolder(const std::string& folder);

// The process's resident memory in kB, from /proc/self/status; 0 when unknown.
long residentKilobytes();
