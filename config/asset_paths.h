// Where the game finds its texts, animations, sounds and pictures: the active language set's
// folders and the shared media folder, resolved from the folder of the program.
#pragma once

// Every program (the game, the folder check, the worksheets) asks here, and only here, where a file
// is, so that the folder layout can change in one place: each builds one AssetPaths when it starts
// and passes it to whatever opens a file.
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
// media under /usr/share/games; its programs, in /usr/games, use those roots, and only resolve()
// knows it (see docs/folders.md).

#include "language_file.h"
#include "user_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace assets {

struct Roots {
    QString texts;    // idiomas/activo.txt and idiomas/<set>/configuracion/
    QString pictures; // idiomas/<set>/imagenes/ and idiomas/<set>/voces/
    QString media;    // gifs/ and sonidos/
};

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
    bool requestedIsSetName = false; // a plain folder name, followed when such a set is there
    QString writtenCode;
    // The set the user's own settings ask for (tolvano.conf's language), as written; empty when
    // they ask for none. It wins over activo.txt when such a set is there.
    QString userChoice;
    bool userChoiceFollowed = false;
};

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
// notes and the folder names read the same on every platform; AssetPaths::file() turns them into
// this platform's separators.
inline constexpr char16_t LanguageFile[] = u"\\configuracion\\idioma.txt";
inline constexpr char16_t SpeedFile[] = u"\\configuracion\\velocidad.txt";
inline constexpr char16_t LevelFile[] = u"\\configuracion\\nivel.txt";
inline constexpr char16_t TextsFile[] = u"\\configuracion\\textos.txt";
inline constexpr char16_t VoiceSwitchFile[] = u"\\configuracion\\voz.txt";
inline constexpr char16_t RunnerGif[] = u"\\gifs\\corre.gif";
inline constexpr char16_t SuccessGif[] = u"\\gifs\\acierto.gif";
inline constexpr char16_t SuccessSound[] = u"\\sonidos\\acierto.wav";
inline constexpr char16_t ErrorSound[] = u"\\sonidos\\error.wav";
inline constexpr char16_t FinalSound[] = u"\\sonidos\\final.wav";
inline constexpr char16_t LostSound[] = u"\\sonidos\\perdida.wav";
inline constexpr char16_t PictureFolder[] = u"\\imagenes";
inline constexpr char16_t VoiceFolder[] = u"\\voces";

// One place the game's files come from, with every folder found: its roots, the language set
// active there, and the folder of each kind of file.
struct AssetSource {
    Roots roots;
    LanguageSet set;
    QString textFolder;    // the set's configuracion/
    QString pictureFolder; // the set's imagenes/
    QString voiceFolder;   // the set's voces/
    QString gifFolder;     // gifs/
    QString soundFolder;   // sonidos/
};

// Where every file of a program run is, found once when the program starts and passed to whatever
// opens a file, so that the game never reads activo.txt again while it runs and every picture of
// a run comes from the folder its list was made from: a set chosen mid-run plays from the next
// start. Looking a file up reads nothing (a recording aside, which is probed for its name's case).
//
// The sources are the program folder's (or the system's, for an installed package), first, and the
// user's own, when the user has a home: the user's source gives pictures and recordings only, of
// the same set, and they win over the set's (pictureFolders()). The lookups below are the one
// place that decides which source a file comes from.
//
// Which setting wins, stated once: the user's own settings (tolvano.conf), then the program's text
// files (activo.txt, voz.txt, velocidad.txt), then the game's own defaults. The set is chosen
// here; the rest in playSettings().
class AssetPaths {
  public:
    // The program folder the sources were found from: the checked folder for the folder check.
    const QString& programFolder() const { return m_programFolder; }
    const QList<AssetSource>& sources() const { return m_sources; }
    // The source the active set, its language and every file but the user's come from.
    const AssetSource& source() const { return m_sources.front(); }
    // The user's own pictures and recordings, of the active set; none without a home.
    const AssetSource* userSource() const {
        return m_sources.size() > 1 ? &m_sources.back() : nullptr;
    }
    const UserFolders& userFolders() const { return m_userFolders; }
    // tolvano.conf, and what it held when the paths were resolved.
    QString settingsFile() const { return assets::settingsFile(m_userFolders); }
    const UserSettings& userSettings() const { return m_userSettings; }
    // The folders a round draws its pictures from, the winning first: the user's own and the
    // set's, or the user's alone when the settings say "only mine".
    QStringList pictureFolders() const;
    // The user's own picture and recording folders for the active set (made by whoever adds the
    // first picture); empty without a home.
    QString userPictureFolder() const;
    QString userVoiceFolder() const;
    // The sets found under idiomas/, in name order; none for a folder laid out the old way.
    QStringList setNames() const;
    const Roots& roots() const { return source().roots; }
    const LanguageSet& set() const { return source().set; }
    Language language() const { return source().set.language; }

    // A file by its relative path. Its first folder says where it goes: configuracion into the
    // active set's folder, imagenes and voces into its data folder, gifs and sonidos into the media
    // root; anything else into the texts root (the program folder). The folders are used
    // unchanged: they may legitimately hold a backslash on this platform.
    QString file(QStringView relative) const;
    const QString& pictureFolder() const { return source().pictureFolder; }
    const QString& voiceFolder() const { return source().voiceFolder; }
    // idiomas/activo.txt and the active set's lengua.txt, for the check to name them.
    QString setsFile() const;
    QString languageCodeFile() const;
    // The picture of level n - 1 (n = 1 to 6), named in plain decimal: 1.gif to 6.gif.
    QString levelGif(int n) const;
    // A picture by the name a listing gave: from the first of pictureFolders() that holds it. The
    // name is not converted, since a file name here may hold a backslash.
    QString picture(const QString& fileName) const;
    // The recording that says a picture's word: voces/perro.wav for imagenes/perro.png, the user's
    // own voces/ before the set's. Pictures
    // and recordings are often named on different machines, so where no file has exactly that
    // name, one whose name differs only in case stands in (Gato.JPG is said by gato.wav, perro.png
    // by PERRO.WAV); the first in name order when there are several.
    QString recording(const QString& pictureFileName) const;
    // The active set's language file, whose missing items take the set's language's own texts.
    // It is read at every call, so that a text edited between rounds shows at the next.
    ::LanguageFile languageFile() const;
    // A picture of the windows themselves (portada.png, salir.png): built into the program.
    QString windowPicture(QStringView name) const;
    // Whether any root holds one of the game's folders (idiomas, configuracion, imagenes, gifs,
    // sonidos): a folder that holds none is no program folder.
    bool holdsGameFolders() const;
    // The same roots and user folders resolved again, once the user's settings have changed: the
    // set, its files and the user's settings as they are now.
    AssetPaths resolvedAgain() const;

  private:
    friend AssetPaths resolve(const Roots& roots, const QString& programFolder,
                              const UserFolders& user);
    AssetPaths() = default;

    QString m_programFolder;
    QList<AssetSource> m_sources;
    UserFolders m_userFolders;
    UserSettings m_userSettings;
};

// The paths of a program folder. Its roots are the folder itself, for all three; in a build for a
// system package, the system's roots for the folder its programs are installed in (and for no
// other). The active set comes from idiomas/activo.txt (first line, blanks trimmed): a set name
// that is missing, empty, names no set folder, holds '/' or "..", or starts with '.' counts as no
// choice, and then "es" plays if that set exists, else the first set in name order, else "es" all
// the same (and the files are missing, as in an empty folder). lengua.txt is read the same way; a
// missing one, or one that is no language tag, means Spanish. Both files are read here, once, and
// so is the user's tolvano.conf, whose language wins over activo.txt when it names a set that is
// there. The user's folders are the standard ones (userFolders()).
AssetPaths resolve(const QString& programFolder);
// The same with the user's folders given (none: no user layer, as for a folder checked alone).
AssetPaths resolve(const QString& programFolder, const UserFolders& user);
// The same over roots given outright, as a system layout's are.
AssetPaths resolve(const Roots& roots, const QString& programFolder = {},
                   const UserFolders& user = {});

} // namespace assets
