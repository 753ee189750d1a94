// What the game will make of a program folder: its pictures, texts and media, as a report.
#pragma once

// A teacher fills the picture folder and edits the texts by hand, and finds out only in front of
// the class that a photo is too large or a caption went missing. This check answers beforehand,
// and it answers with the game's own rules (picture words, the folder listing, the picture loader,
// the text readers, the clock's limits) rather than copies of them, so that it cannot drift from
// what the game does. Pictures are decoded by the game's loader at the size the game shows them,
// animations frame by frame, and sounds' headers read as the sound player needs them; a file that
// decodes only in part counts as damaged. It reads and decodes, and never writes a file.

#include "asset_paths.h"
#include "board_letters.h"
#include "language_file.h"
#include "module1.h"
#include "report_texts.h"
#include "speech_engine.h"
#include "voice_switch.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace check {

// The language file's five items, in the order the game reads them, and one level line a level.
inline constexpr int LanguageItems = LanguageFile::ItemCount;
inline constexpr int LevelLines = Module1::LevelCount;

enum class FileState { Ok, Missing, Unreadable };

// A file the game needs, by its path inside the program folder (with '/').
struct NeededFile {
    QString relative;
    FileState state = FileState::Missing;
    QString
        why; // for an unreadable file, what is wrong when more can be said ("damaged (frame 3)")
};

// One file of the picture folder, in the order the game lists them.
struct PictureRow {
    QString file;
    QString word;         // empty when the name gives none
    bool usable = false;  // the game may draw it for a round
    bool damaged = false; // its data is cut short or corrupt: it cannot be shown whole
    QString why;          // why it is not usable; empty when usable
    QString note;         // a catch that does not stop the game from using it
    QByteArray rawName{}; // the name as the folder listing holds it: the report shows these bytes
    bool own{};           // from the user's own picture folder
    // The user's own picture that gives this set picture's word, which the game draws instead:
    // this one is neither usable nor a fault. Empty for every other row.
    QByteArray standsIn{};
};

// An entry of the picture folder that the game's listing leaves out (folders, hidden files).
struct IgnoredEntry {
    QByteArray name; // as the folder listing holds it, which need not be UTF-8
    QString kind;
};

// The language file read as the game reads it, each item shown as the game shows it.
// Items run out together: once one is missing, so are all after it.
struct LanguageReport {
    NeededFile file;
    std::array<std::optional<QString>, LanguageItems> items;
    std::array<QString, LanguageItems>
        shown; // what the game shows, its own text for a missing item
};

// What the runner's clock does with the speed file's first item.
enum class Clock { Runs, NeverRuns, Refused };

struct SpeedReport {
    NeededFile file;
    QString item; // the first item as the teacher wrote it; empty when there is none
    Clock clock = Clock::NeverRuns;
    int intervalMs = 0; // the interval the clock gets
    // More than a number in the file ("3,5", "250 ms"): the game reads the leading number alone.
    bool textAfterNumber = false;
    QString written; // the file's first line as written, for the report to quote
    // The seconds a word the user's tolvano.conf gives: the game then does not read the file.
    std::optional<int> settingsSeconds{};
    QString settingsName{}; // tolvano.conf, as the report names it
};

// Below this a round is over before a child has found a letter: taken for a mistake.
inline constexpr int LikelyMistakeBelowMs = 50;

// The level file's first six lines; level n shows line n, or the last line there is.
struct LevelReport {
    NeededFile file;
    std::array<std::optional<QString>, LevelLines> lines;
};

// How the game says a usable picture's word.
struct VoiceRow {
    QByteArray rawName; // the picture's name as the folder listing holds it
    QString voice;      // the voice column: a recording, the computer's voice, silent
    bool recorded = false;
    QString note{}; // what is wrong with its recording
    bool own{};     // the recording is in the user's own voces/
};

// What a word without a playable recording gets, by the switch and the computer's voice.
enum class Unrecorded { Silent, Off, WhereItHasOne, Said, NoEngine, NoVoice, CouldNotTell };

struct VoiceReport {
    QString switchSetting;  // what the game makes of the voice
    QString switchSource;   // the file that says it: voz.txt, or the user's tolvano.conf
    QString folder;         // the recordings' folder inside the program folder
    QString ownFolder;      // the user's own recordings, which play first; empty when none
    QList<VoiceRow> rows;   // one for each usable picture
    QString unrecordedNote; // what words without a recording get, when some have none
    Unrecorded unrecorded = Unrecorded::WhereItHasOne;
    int unrecordedCount = 0;
    QStringList notPlayable; // the pictures whose recording the game cannot play
};

// The teacher's switches and choices that the game takes its own way when it cannot follow them.
struct ChoicesReport {
    QString setsFile;        // idiomas/activo.txt as the report names it
    QString requestedSet;    // what it says; empty when nothing
    QString playingSet;      // the set that plays
    bool setMissing = false; // a name that is a set's name, but of no set here
    bool setNotAName = false;
    QString voiceFile;
    VoiceSwitch voiceSwitch;
    QString codeFile;
    QString writtenCode;  // lengua.txt's first line
    QString languageCode; // the code the game takes
    bool codeUnderstood = true;
    QStringList notText; // texts of these that hold NULs without a UTF-16 mark
    // The user's tolvano.conf: the set it asks for, which wins over activo.txt when it is there,
    // and the switches it gives, which win over voz.txt's.
    QString settingsName;
    QString userChoice;
    bool userChoiceFollowed = false;
    QStringList setNames;
    bool voiceFromSettings = false;
    bool lettersFromSettings = false;
};

// The user's own picture folder, whose pictures a round draws first.
struct OwnPictures {
    bool layer = false; // the user has folders of their own: found, or not made yet
    QString folder;     // in full
    bool found = false;
    bool onlyMine = false; // tolvano.conf says pictures=mine: the set's pictures are not drawn
    QList<IgnoredEntry> ignored;
};

// The user's own settings file and what was read from it.
struct SettingsReport {
    QString file; // in full; empty without a user layer (a folder checked alone)
    QString name; // tolvano.conf
    UserSettings read;
    QString foldersProblem; // why the user has no folders of their own, when that is known
    QString setsFile, voiceFile, speedFile; // the files a setting not understood leaves in charge
    QString playingSet;
    LetterRule letters; // how the rounds spell their words on the board
};

// A theme as a round of it draws: the usable pictures it has over every folder a round draws
// from, the user's own and the set's merged as the game merges them.
struct ThemeRow {
    QString name;
    int usable = 0;
    // Fewer than a round's six: a round of this theme shows them all and is topped up from all
    // the pictures, which a teacher who chose it may not expect.
    bool isShort = false;
};

// A folder inside a theme, which the game never reads: one level of folders counts.
struct TooDeepFolder {
    QString name;  // inside its picture folder: "animales/perros"
    QString shown; // as the report names it: "imagenes/animales/perros/"
    bool own = false;
};

struct ThemesReport {
    QList<ThemeRow> themes; // in the order the menu shows them
    QList<TooDeepFolder> tooDeep;
    // The theme tolvano.conf starts rounds with (empty: all pictures), and whether a round finds
    // it: one the folder does not hold leaves rounds drawing from all the pictures.
    QString chosen;
    bool chosenFound = false;
};

struct FolderReport {
    ReportTexts say;           // the set's language, in which the report is written
    bool picturesOnly = false; // a plain picture folder, checked as tolvano-sheets --folder uses it
    QString folder;            // as Qt reaches it, which may be "." (see assets::reachableFolder)
    QByteArray absolute;       // its absolute path as the system names it, for the report
    QString pictureFolder;     // the picture folder's path inside the program folder
    bool pictureFolderFound = false;
    QList<PictureRow> pictures; // the user's own first, then the set's
    QList<IgnoredEntry> ignored;
    int usableCount = 0; // what a round can draw, from every folder it draws from
    OwnPictures own;
    ThemesReport themes;
    LanguageReport language;
    SpeedReport speed;
    LevelReport levels;
    QList<NeededFile> media; // the animations and sounds
    VoiceReport voices;
    ChoicesReport choices;
    SettingsReport settings;
};

// What the computer's voice answers for the set's language; asked at most once, and only where a
// word has no recording and the teacher's switch allows that voice.
using SpeechAnswer = std::function<SpeechSupport()>;

// Checks the program folder that holds imagenes/, configuracion/, gifs/ and sonidos/, by its
// paths, in the language of its active set, together with the user's own layer the paths hold:
// the pictures of every folder a round draws from, the recordings played first, and tolvano.conf
// with the settings it wins. Without an answer from the computer's voice, the report says only
// where words go to it.
FolderReport checkFolder(const assets::AssetPaths& paths, const SpeechAnswer& speech = {});

// How long the computer's voice may take to answer, counted from the check's start: reaching the
// speech daemon, or starting it, takes seconds; one that hangs must not hang the check.
inline constexpr int SpeechAnswerMs = 4000;
// The check with the computer's voice as the programs ask it: at once where it will likely be
// needed, so that its answer comes while the pictures are read, and never waited for past
// SpeechAnswerMs from the start.
FolderReport checkFolderWithVoice(const assets::AssetPaths& paths);

// Whether the folder is a plain folder of pictures (such as tolvano-sheets --folder takes) rather
// than a program folder: it holds files, and none of the program folder's folders.
bool isPictureFolder(const assets::AssetPaths& paths);

// Checks the pictures of a plain picture folder alone, the report in the given language.
FolderReport checkPictureFolder(const QString& folder, Language language);

// Whether some picture has no recording while the switch allows the computer's voice: the voice
// is then worth asking before the pictures are read, which takes as long.
bool voiceMayBeNeeded(const assets::AssetPaths& paths);

// The speed file's first item as the game turns it into the clock's interval: the variant the game
// reads gives the number, the text as written is what the report quotes.
SpeedReport clockFromItem(const QString& item, const QString& asWritten = {});

// "ok", "missing" or "unreadable", in the report's language.
QString stateText(FileState state, const ReportTexts& say = ReportTexts());

// The file's state, or what is wrong with it when more can be said.
QString fileText(const NeededFile& file, const ReportTexts& say = ReportTexts());

// Why the game cannot run properly on the folder, each with what to do: too few pictures, damaged
// pictures, needed files missing, unreadable or damaged, texts or level lines missing from their
// files. Empty when it can.
QStringList problems(const FolderReport& report);

// What the game copes with but a teacher should look at, each with what to do: a speed that is
// probably a mistake, switches and choices it does not understand (tolvano.conf's among them),
// pictures it leaves out or whose names are not only letters, folders too deep for a theme, a
// chosen theme that is not there, recordings it cannot play, words that will be silent.
QStringList warnings(const FolderReport& report);

// 0 when the folder is ready to play (warnings or not), 1 when problems() has something to say.
int exitStatus(const FolderReport& report);

// The summary of at most MaxSummaryLines lines: what is checked, the verdict, how many pictures
// can be played, each problem and warning in one line.
inline constexpr int MaxSummaryLines = 10;
QString formatSummary(const FolderReport& report);

// The whole report for the teacher: the summary, then every picture, text and medium in detail
// under a heading, and the verdict as its last line.
QString formatReport(const FolderReport& report);

// A name, path or text as `ls -b` prints it, blanks aside, which a teacher reads better as they
// are. A file name can hold any byte but '/' and NUL, and the report goes to a terminal: an escape
// sequence in a name could clear the screen, hide the rest or print a verdict of its own, and a
// line end could start a line of the report. So a backslash becomes \\, the usual control
// characters \a \b \t \n \v \f \r, any other character that is not printed as itself (control,
// format and line-separator characters) the octal \ooo of each of its bytes, and so does every
// byte that is not part of valid UTF-8. Everything the report shows of a folder's contents goes
// through here.
QString escaped(const QByteArray& bytes);
QString escaped(const QString& text); // its UTF-8 bytes

// A key of tolvano.conf as a teacher wrote it under [general] ("voice" for general/voice), escaped.
QString settingKey(const QString& key);

// A teacher's text in quotes, escaped like a name: a line end in it would break the report, and
// an escape sequence would reach the terminal.
QString quoted(QString text);

} // namespace check
