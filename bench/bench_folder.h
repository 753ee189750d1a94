// Throwaway program folders for the benchmarks, holding the bundled pictures or large photos.
//
// Each has the bundled texts, animations and sounds beside its picture folder.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class BenchFolder {
  public:
    // The bundled texts, animations and sounds, and an empty picture folder.
    BenchFolder();

    QString path() const { return m_dir.path(); }
    QString pictureFolder() const;

    // Copies every bundled picture into the picture folder, and their recordings beside it.
    void addBundledPictures();
    // Writes count JPEG photos of the given size, each named after a different word so that the
    // game can draw them all. Their content is smooth colour with grain, like a photo, so that
    // the files weigh what a phone's photos weigh (1 to 3 MB at 4000 x 3000) and decode as slowly.
    void addPhotos(int count, QSize size);
    // Writes one such photo as a progressive JPEG under count different words: what decoding it
    // costs does not depend on which photo it is, and encoding large ones takes seconds each.
    void addProgressivePhotos(int count, QSize size);
    // Writes count small PNG pictures of the given size, named with distinct words of 1 to 12
    // letters, so that a large folder costs the draw and the listing, not the decoding.
    void addTinyPictures(int count, QSize size);

    // The names in the picture folder and their total size in bytes.
    QStringList pictures() const;
    qint64 pictureBytes() const;

  private:
    QTemporaryDir m_dir;
};
