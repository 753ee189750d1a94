// Where the game finds its texts, animations, sounds and pictures: the active language set's
// folders and the shared media folder, resolved from the folder of the program.
#pragma once

// Every program (the game, the folder check, the worksheets) asks here, and only here, where a file
// is, so that the folder layout can change in one place.
//
// The program folder holds gifs/ and sonidos/, shared by all languages, and idiomas/: one folder
// per language set (idiomas/es, idiomas/en, ...), each with configuracion/ (the text files and
// lengua.txt), imagenes/ (the pictures) and, later, voces/ (recordings). idiomas/activo.txt names
// the set in use, so switching the language is writing one word into one file, and undoing it is
// writing the old word back: no picture is ever moved or deleted.
//
// A folder laid out the old way, with configuracion/ or imagenes/ directly inside it, is one set
// on its own. It wins over idiomas/: a teacher who installs over an old copy, or checks an old USB
// stick, keeps seeing their own pictures and texts.
//
// The three roots below say where each kind of data lives. In the program folder they are all
// that folder. A system package (Debian) puts the texts under /etc as configuration files, the
// teacher's pictures and recordings under /var/lib where the package does not own them, and the
// media under /usr/share/games; its programs, in /usr/games, use those roots, and only roots()
// knows it (see docs/folders.md).

#include "language_file.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace assets {

struct Roots {
    QString texts;    // idiomas/activo.txt and idiomas/<set>/configuracion/
    QString pictures; // idiomas/<set>/imagenes/ and idiomas/<set>/voces/
    QString media;    // gifs/ and sonidos/
};

// The roots of a program folder: the folder itself, for all three; in a build for a system package,
// the system's roots for the folder its programs are installed in (and for no other).
Roots roots(const QString& programFolder);

// The language set in use.
struct LanguageSet {
    QString name;       // its folder's name under idiomas/; empty for an old-layout folder
    QString folder;     // holds configuracion/
    QString dataFolder; // holds imagenes/ and voces/; the same as folder except in a system layout
    QString languageCode; // BCP 47, from configuracion/lengua.txt: "es", "en", "en-GB"
    Language language = Language::Spanish; // whose compiled-in texts stand in for missing ones
    // What idiomas/activo.txt and lengua.txt say, as written (first line, blanks trimmed; empty
    // when missing), for the folder check to tell a teacher what was not followed.
    QString requestedName;
    QString writtenCode;
};

// Reads idiomas/activo.txt (first line, blanks trimmed). A set name that is missing, empty, names
// no set folder, holds '/' or "..", or starts with '.' counts as no choice: then "es" if that set
// exists, else the first set in name order, else "es" all the same (and the files are missing,
// as in an empty folder). lengua.txt is read the same way; a missing one, or one that is no
// language tag, means Spanish. Both files are read afresh at every call.
LanguageSet activeSet(const Roots& roots);
LanguageSet activeSet(const QString& programFolder);

// The folder that holds the running program file, symlinks resolved, so that a link to the
// program elsewhere still finds the data folders next to the real file. Its path is taken as the
// system's bytes and made reachable by reachableFolder(): a folder unpacked from an old archive
// may have a name that is not UTF-8, and the game must find its files there all the same.
QString programFolder();

// A folder named by the system's bytes (the program's own path, a command line), as Qt can reach
// it. Qt names files with Unicode text, and bytes that are not UTF-8 turn into U+FFFD on the way
// in, so a folder whose path holds them cannot be named at all: the program then enters it (the
// working folder changes) and gets ".", from which every path is formed. Any other path comes back
// unchanged; so does one that cannot be entered, whose files are then reported missing as usual.
QString reachableFolder(const QByteArray& systemPath);

// The relative paths are kept as the game writes them, with backslashes, so that a teacher's
// notes and the folder names read the same on every platform; path() turns them into this
// platform's separators. Their first folder says where they go: configuracion into the active
// set's folder, imagenes and voces into its data folder, gifs and sonidos into the media root;
// anything else into the texts root (the program folder). The folders are used unchanged: they
// may legitimately hold a backslash on this platform.
QString path(const Roots& roots, QStringView relative);
QString path(const QString& programFolder, QStringView relative);

inline constexpr char16_t LanguageFile[] = u"\\configuracion\\idioma.txt";
// The active set's language file, whose missing items take the set's language's own texts.
::LanguageFile language(const QString& programFolder);
inline constexpr char16_t SpeedFile[] = u"\\configuracion\\velocidad.txt";
inline constexpr char16_t LevelFile[] = u"\\configuracion\\nivel.txt";
inline constexpr char16_t TextsFile[] = u"\\configuracion\\textos.txt";
inline constexpr char16_t VoiceSwitchFile[] = u"\\configuracion\\voz.txt";
inline constexpr char16_t RunnerGif[] = u"\\gifs\\corre.gif";
inline constexpr char16_t SuccessGif[] = u"\\gifs\\acierto.gif";
inline constexpr char16_t SuccessSound[] = u"\\sonidos\\acierto.wav";
inline constexpr char16_t ErrorSound[] = u"\\sonidos\\error.wav";
inline constexpr char16_t FinalSound[] = u"\\sonidos\\final.wav";
inline constexpr char16_t PictureFolder[] = u"\\imagenes";
inline constexpr char16_t VoiceFolder[] = u"\\voces";

// The picture of level n - 1 (n = 1 to 6), named in plain decimal: 1.gif to 6.gif.
QString levelGif(const QString& programFolder, int n);

// A file of the active set's picture folder, by the name the folder listing gave; the name is not
// converted, since a file name here may hold a backslash.
QString picture(const QString& programFolder, const QString& fileName);
// The recording that says a picture's word: voces/perro.wav for imagenes/perro.png. Pictures and
// recordings are often named on different machines, so where no file has exactly that name, one
// whose name differs only in case stands in (Gato.JPG is said by gato.wav, perro.png by
// PERRO.WAV); the first in name order when there are several.
QString recording(const QString& programFolder, const QString& pictureFileName);

} // namespace assets
