// The program's sound and voice, played through the back ends' library once it has been opened.
#pragma once

#include "media_back_ends.h"
#include "sound.h"
#include "voice.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// Stands in for the sound and the voice from the start, so that the windows can be given them at
// once, and opens the back ends' library after the first frame (or at the first sound asked for
// before that). Where the library is missing or cannot be opened the game plays silently: every
// sound and word is dropped, and one line on stderr says why.
class LateMedia : public QObject {
    Q_OBJECT
  public:
    // libraries: where the back ends' library may be, tried in turn.
    LateMedia(QStringList libraries, QLocale language, QObject* parent = nullptr);
    ~LateMedia() override;

    Sound& sound() { return m_sound; }
    Voice& voice() { return m_voice; }

    // Opens the library once a window of the program has painted its first frame.
    void openAfterFirstFrame();
    // Opens the library now, if not tried yet. The back ends, or none.
    MediaBackEnds* open();
    // What main returns, once the windows are gone: the back ends are destroyed, then the
    // library's endProgram ends the process if a speech thread was left running.
    int endProgram(int status);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class LateSound : public Sound {
      public:
        explicit LateSound(LateMedia& media) : m_media(media) {}
        void play(const QString& wavPath) override;

      private:
        LateMedia& m_media;
    };
    class LateVoice : public Voice {
      public:
        explicit LateVoice(LateMedia& media) : m_media(media) {}
        bool say(const QString& recordingPath, const QString& word, bool systemVoice) override;
        bool speaking() const override;
        void setLanguage(const QLocale& language) override;

      private:
        LateMedia& m_media;
    };

    QStringList m_libraries;
    QLocale m_language;
    bool m_tried = false;
    std::unique_ptr<MediaBackEnds> m_backEnds;
    EndMediaProgram m_endProgram = nullptr;
    LateSound m_sound{*this};
    LateVoice m_voice{*this};
};

// Where the program looks for the back ends' library: beside itself, where the build and an
// installed copy of its own folder put it, then where a system package installs it.
QStringList mediaLibraryPaths(const QString& programFolder);
