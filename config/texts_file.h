// The texts file: the texts the player sees that have no place in the language file, with defaults.
#pragma once

#include "language_file.h"

#include <QString>
#include <QStringList>
#include <array>
#include <span>

// A text as the program says it when no file says otherwise, in each language.
struct TextDefault {
    const char16_t* spanish;
    const char16_t* english;

    QString in(Language language) const {
        return QString::fromUtf16(language == Language::English ? english : spanish);
    }
};

// The texts of configuracion/textos.txt, one per row of this table, in this order: line n of the
// file holds the text of row n. To add a text, append a row here and a name to TextId below;
// never reorder or remove a row, since teachers' files are written in this order and a moved row
// would put their texts in the wrong places.
// %1 stands for what the game puts in (a number, a word, the score).
inline constexpr std::array<TextDefault, 51> TextDefaults{{
    // What a screen reader says of a letter, beside the letter itself.
    {u"fallo", u"miss"},
    {u"encontrada", u"found"},
    {u"pista", u"hint"},
    {u"no encontrada", u"not found"},
    // A picture of the panel before its word is found; after, its word.
    {u"imagen %1", u"picture %1"},
    // The game's spoken status: a word found, the round's three endings, the score.
    {u"encontrada: %1", u"found: %1"},
    {u"¡Ronda ganada!", u"Round won!"},
    {u"Se acabó el tiempo", u"Out of time"},
    {u"No quedan intentos", u"No tries left"},
    {u"Puntos: %1", u"Score: %1"},
    // The printed worksheets: the child's name and the date at the top of a sheet, the sheet's
    // number at its foot, and the heading of its answer page.
    {u"Nombre:", u"Name:"},
    {u"Fecha:", u"Date:"},
    {u"Hoja %1", u"Sheet %1"},
    {u"Soluciones de la hoja %1", u"Answers to sheet %1"},
    // The level menu's settings button: the hint a tap shows, and its name for screen readers,
    // which is also the settings window's title.
    {u"mantén pulsado", u"press and hold"},
    {u"Ajustes", u"Settings"},
    // The settings window: the language set, the voice and the letters.
    {u"Idioma", u"Language"},
    {u"Voz", u"Voice"},
    {u"Sí", u"On"},
    {u"Solo grabaciones", u"Recordings only"},
    {u"No", u"Off"},
    {u"Letras minúsculas", u"Lower-case letters"},
    // The time for each word.
    {u"Tiempo para cada palabra", u"Time for each word"},
    {u"Lento (2 minutos)", u"Slow (2 minutes)"},
    {u"Normal (80 segundos)", u"Normal (80 seconds)"},
    {u"Rápido (40 segundos)", u"Fast (40 seconds)"},
    {u"Sin reloj", u"No clock"},
    // The pictures a round draws from, and the user's own folder.
    {u"Imágenes", u"Pictures"},
    {u"Todas", u"All"},
    {u"Solo las mías", u"Only mine"},
    {u"Abrir mi carpeta de imágenes", u"Open my pictures folder"},
    {u"Imágenes mías que se pueden usar: %1", u"My pictures that can be used: %1"},
    // The folder check, run from the window.
    {u"Revisar las imágenes", u"Check the pictures"},
    {u"Mostrar todo", u"Show everything"},
    {u"Revisando…", u"Checking…"},
    // The worksheets, printed from the window.
    {u"Imprimir fichas…", u"Print worksheets…"},
    {u"Nivel", u"Level"},
    {u"Hojas", u"Sheets"},
    {u"Papel", u"Paper"},
    {u"Palabras bajo las imágenes", u"Words under the pictures"},
    {u"Guardar PDF…", u"Save as PDF…"},
    {u"Imprimir…", u"Print…"},
    {u"Guardado: %1", u"Saved: %1"},
    // Leaving the window, and a settings file that cannot be written (%1 the file, %2 why).
    {u"Volver al juego", u"Back to the game"},
    {u"Los ajustes no se pueden guardar en %1: %2", u"The settings cannot be saved in %1: %2"},
    // The level menu's row of themes: what a screen reader says of its first button, the one that
    // plays every picture. The settings and the worksheets: the theme, and whether the children
    // may choose another in the menu.
    {u"todas", u"all"},
    {u"Tema", u"Theme"},
    {u"Mostrar los temas a los niños", u"Show the themes to the children"},
    // What a screen reader says of a level button of the menu (%1 the level's number, 1 to 6);
    // the level's line of nivel.txt is its description.
    {u"Nivel %1", u"Level %1"},
    // The game screen's balloons: how many misses the round still allows.
    {u"quedan %1 intentos", u"%1 tries left"},
    // The settings: the board's letters without accents, as printed word searches show them.
    {u"Tablero sin tildes, como en las sopas de letras impresas",
     u"Board without accents, as in printed word searches"},
}};

// The rows of TextDefaults by name: each name's value is its row, and so its place in the list
// readTexts() returns.
enum class TextId : int {
    LetterMiss,
    LetterFound,
    LetterHint,
    LetterNotFound,
    Picture,
    WordFound,
    RoundWon,
    RoundTimeUp,
    RoundTriesUsed,
    Score,
    SheetName,
    SheetDate,
    SheetNumber,
    SheetAnswers,
    HoldHint,
    Settings,
    SettingsLanguage,
    SettingsVoice,
    VoiceOn,
    VoiceRecordings,
    VoiceOff,
    LowerCaseLetters,
    SettingsTime,
    TimeSlow,
    TimeNormal,
    TimeFast,
    TimeNone,
    SettingsPictures,
    PicturesAll,
    PicturesMine,
    OpenMyPictures,
    MyPicturesUsable,
    CheckPictures,
    ShowEverything,
    Checking,
    PrintSheets,
    SheetsLevel,
    SheetsCount,
    SheetsPaper,
    SheetsWords,
    SheetsSavePdf,
    SheetsPrint,
    SheetsSaved,
    BackToGame,
    SettingsNotSaved,
    ThemeAll,
    SettingsTheme,
    ThemeRowShown,
    LevelButton,
    TriesLeft,
    PlainLetters,
};
static_assert(static_cast<std::size_t>(TextId::PlainLetters) + 1 == TextDefaults.size(),
              "one name per row of TextDefaults");

// A text of the list that readTexts() returned, by name.
inline QString textOf(const QStringList& texts, TextId id) {
    return texts.value(static_cast<int>(id));
}

// The file is optional and has one text per line, read with LineFile (UTF-8 or Windows-1252;
// CR, LF or CRLF), one text per row of the table:
// - Each line is trimmed of white space at both ends: an editor's stray spaces must not show.
// - A line that is then empty takes its row's default, as does a line the file does not have (the
//   file missing, unreadable or short): a blank caption is never wanted, and an empty line lets a
//   teacher change a later text while keeping an earlier one's default.
// - Lines past the table's rows are ignored.
// The list holds exactly one text per row.
QStringList readTexts(const QString& path, std::span<const TextDefault> defaults,
                      Language language = Language::Spanish);
// The same with the game's own table, TextDefaults.
QStringList readTexts(const QString& path, Language language = Language::Spanish);
