// What the picture decoders and Qt print while pictures are read, kept out of the output of the
// programs beside the game (the folder check, the worksheets).
#pragma once

#include <QtGlobal>

// libpng, libtiff and libjpeg print their complaints about a damaged picture straight onto
// stderr, past Qt's messages. While one of these lives, stderr goes to target (a file descriptor,
// duplicated; /dev/null when none is given or it is negative) and comes back when it ends.
class StderrRedirect {
  public:
    explicit StderrRedirect(int target = -1);
    ~StderrRedirect();
    StderrRedirect(const StderrRedirect&) = delete;
    StderrRedirect& operator=(const StderrRedirect&) = delete;

  private:
    int m_saved;
};

// A message handler that prints only fatal messages: any other library message would bury a
// program's own report or its one line, and a teacher cannot act on it; a fatal one ends the
// program, so that end has a reason.
void keepOnlyFatal(QtMsgType type, const QMessageLogContext& context, const QString& message);
