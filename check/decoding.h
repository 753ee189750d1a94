// Decodes pictures and animations as the game does, and tells a damaged file by what the decoders
// say and by where its data ends.
#pragma once

// Qt's decoders seldom refuse a damaged file outright. A JPEG cut short decodes with its lower part
// grey and a warning; a GIF or a BMP cut short decodes in silence with frames or rows missing;
// libpng and libtiff print their complaints straight onto stderr, past Qt. So every decode here
// listens to Qt's messages and to the process's stderr, sets known harmless notes aside and takes
// the rest as damage, and the GIF and BMP layouts are walked to see that the file holds all its
// data. What the decoders say goes into the report and never onto the terminal.

#include "report_texts.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QThread;

namespace check {

// Takes in Qt's messages and everything written to stderr while it lives, and puts both back as
// they were. For one thread only. Captures nest: Qt's messages go to the innermost, lines on
// stderr to every capture that is open.
class DecoderMessages {
  public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    // What was said so far that tells of missing or corrupt data; harmless notes left out.
    QStringList damage() const;

  private:
    static void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

    DecoderMessages* m_outer;
    QtMessageHandler m_previousHandler;
    QThread* m_thread;  // the one thread whose messages are heard
    qint64 m_start = 0; // where this capture's part of what stderr received begins
    QStringList m_heard;
};

// A damaged picture's reason is said in the teacher's words, what to do included ("the file is cut
// short or damaged: copy it again"); what the decoder said may follow in brackets, never alone.

// Why the game's header test refused the file, when a decoder complained while reading the header
// or the file ends inside a picture it began; empty for a file that is simply no picture.
QString headerDamage(const QString& path, const ReportTexts& say = ReportTexts());

// Why the picture that the game's header test accepted cannot be shown whole at the size the game
// shows it; empty when it can.
QString pictureDamage(const QString& path, const ReportTexts& say = ReportTexts());

// "HEIC" or "AVIF" for a photo in one of those formats, which the game cannot decode; empty for
// anything else. Reads the first bytes of a regular file only.
QString photoFormat(const QString& path);

// Why the animation cannot be played to its end ("damaged (frame 3)"); empty when every frame
// decodes whole. The bytes are those readAnimation gives the player (a PNG without its text
// chunks), so that the check decodes what the game plays, as quickly.
QString animationDamage(const QByteArray& bytes, const ReportTexts& say = ReportTexts());

} // namespace check
