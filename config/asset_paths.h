// Where the game finds its texts, animations, sounds and pictures: the folders beside the program.
#pragma once

#include <QString>
#include <QStringView>

namespace assets {

// The folder that holds the running program file, symlinks resolved, so that a link to the
// program elsewhere still finds the data folders next to the real file.
QString programFolder();

// The relative paths are kept as the game writes them, with backslashes, so that a teacher's
// notes and the folder names read the same on every platform; path() turns them into this
// platform's separators. The program folder is used unchanged: it may legitimately hold a
// backslash on this platform.
QString path(const QString& programFolder, QStringView relative);

inline constexpr char16_t LanguageFile[] = u"\\configuracion\\idioma.txt";
inline constexpr char16_t SpeedFile[] = u"\\configuracion\\velocidad.txt";
inline constexpr char16_t LevelFile[] = u"\\configuracion\\nivel.txt";
inline constexpr char16_t TextsFile[] = u"\\configuracion\\textos.txt";
inline constexpr char16_t RunnerGif[] = u"\\gifs\\corre.gif";
inline constexpr char16_t SuccessGif[] = u"\\gifs\\acierto.gif";
inline constexpr char16_t SuccessSound[] = u"\\sonidos\\acierto.wav";
inline constexpr char16_t ErrorSound[] = u"\\sonidos\\error.wav";
inline constexpr char16_t FinalSound[] = u"\\sonidos\\final.wav";
inline constexpr char16_t PictureFolder[] = u"\\imagenes";

// The picture of level n - 1 (n = 1 to 6), named in plain decimal: 1.gif to 6.gif.
QString levelGif(const QString& programFolder, int n);

// A file of the picture folder, by the name the folder listing gave; the name is not converted,
// since a file name here may hold a backslash.
QString picture(const QString& programFolder, const QString& fileName);

} // namespace assets
