// The sound and speech back ends as the program reaches them in their own library, opened late.
#pragma once

// Qt Multimedia and Qt TextToSpeech bring in the sound server's and the speech daemon's client
// libraries and every codec behind them: a score of libraries that the splash screen does not
// need and that would be loaded and relocated before it. So the back ends are built as a library
// of their own, which the program opens once its first frame is on the screen, and reaches through
// this one entry point only.

#include <QLocale>

class Sound;
class Voice;

class MediaBackEnds {
  public:
    virtual ~MediaBackEnds() = default;
    virtual Sound& sound() = 0;
    virtual Voice& voice() = 0;
    // The system voice's language from its next word on.
    virtual void setLanguage(const QLocale& language) = 0;
};

// The entry point, looked up by name: the back ends for the language the system's voice speaks.
using MakeMediaBackEnds = MediaBackEnds* (*)(const QLocale& language);
inline constexpr char MakeMediaBackEndsName[] = "tolvanoMakeMediaBackEnds";
// endProgram (speech_engine.h) over the library's own speech threads: called once the back ends
// have been destroyed, since destroying the system's voice is what may leave its thread running.
using EndMediaProgram = int (*)(int status);
inline constexpr char EndMediaProgramName[] = "tolvanoEndProgram";
