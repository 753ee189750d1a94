// The folder check's texts, in Spanish and English: the report is read in the language of the set.
#pragma once

// A teacher reads the report in the language of the set being checked, with the same compiled-in
// pair of texts that stands behind every other text of the game (TextDefault). %1, %2, ... stand
// for what the check puts in: a file's name, a number, a reason. Numbers are written as the
// language writes them (5,000 and 5.000).

#include "language_file.h"
#include "texts_file.h"

#include <QLocale>
#include <QString>

namespace check {

enum class Say {
    // The summary and the verdict.
    Checking,
    CheckingPictures,
    Playable,
    PlayableWithOwn,
    Ready,
    ReadyButOne,
    ReadyBut,
    NotReadyOne,
    NotReady,
    ToDo,
    ToLookAt,
    AndMore,
    AndMoreNames,
    InDetail,
    // The pictures.
    PicturesIn,
    OwnPicturesIn,
    SetPicturesIn,
    NoOwnPictures,
    OnlyOwnPlayed,
    OwnStandsIn,
    PictureFolderMissingLine,
    FileColumn,
    WordColumn,
    UsableColumn,
    VoiceColumn,
    NoteColumn,
    Yes,
    No,
    IgnoredByGame,
    BrokenLink,
    Folder,
    HiddenFile,
    NotRegularFile,
    NameNotUtf8,
    NoWord,
    WordTooLong,
    CannotBeOpened,
    EmptyFile,
    Photo,
    NotAPicture,
    Damaged,
    CutShort,
    SameWord,
    AsksFor,
    NotALetter,
    NotLetters,
    ABlank,
    And,
    RenameIt,
    NameOfLetters,
    RenameNot,
    BlankIsACell,
    OneWord,
    // The texts.
    Texts,
    SetLine,
    SetLineFromSettings,
    StateOk,
    StateMissing,
    StateUnreadable,
    UnreadableNotRegular,
    NotText,
    ScoreWord,
    PlayButton,
    ExitButton,
    WordListButton,
    HintsCaption,
    ItemMissing,
    NoFirstItem,
    FirstItem,
    MsAStep,
    SecondsFromSettings,
    NoClockFromSettings,
    NeverRuns,
    Refused,
    Level,
    LevelShowsLine,
    LevelShowsNothing,
    // Animations, sounds and voices.
    Media,
    AnimationFrame,
    AnimationCutAfter,
    AnimationUnreadableAfter,
    NotPlayable,
    VoiceLine,
    SwitchOn,
    SwitchRecordings,
    SwitchOff,
    VoiceRecording,
    VoiceOwnRecording,
    OwnRecordingsIn,
    VoiceComputer,
    VoiceSilent,
    VoiceMaybe,
    VoiceNotPlayable,
    RecordingNotPlayable,
    UnrecordedSilentSwitch,
    UnrecordedOff,
    UnrecordedWhereItHasOne,
    UnrecordedSaid,
    UnrecordedNoEngine,
    UnrecordedNoVoice,
    UnrecordedCouldNotTell,
    // What needs doing.
    PictureFolderMissing,
    TooFewPictures,
    DamagedOne,
    DamagedMany,
    FileIs,
    LanguageAdvice,
    SpeedAdvice,
    LevelAdvice,
    MediaAdvice,
    ShortOnly,
    ShortNone,
    TextsShortAdvice,
    LevelsShortAdvice,
    TextsWord,
    LevelLinesWord,
    // What to look at.
    SpeedMistake,
    SetMissing,
    SetNotAName,
    VoiceNotUnderstood,
    LettersNotUnderstood,
    CodeNotUnderstood,
    NotTextFile,
    LeftOutOne,
    LeftOutMany,
    NotesOne,
    NotesMany,
    BadRecordingsOne,
    BadRecordingsMany,
    SilentWords,
    UserFoldersProblem,
    SettingsUnreadable,
    SettingsUnknownKey,
    SettingsBadValue,
    SettingsNoSuchSet,
    SetsHere,
    OneSetHere,
    FoldersOwnSet,
    Or,
    ASetsName,
    FileSetting,
    AllPictures,
    // The user's own settings.
    SettingsNone,
    SettingsIn,
    SettingLine,
    SettingUnknownLine,
    SettingUnreadableLine,
    MeansSet,
    MeansNoSuchSet,
    MeansVoiceOn,
    MeansVoiceRecordings,
    MeansVoiceOff,
    MeansLowerCase,
    MeansCapitals,
    MeansSeconds,
    MeansNoClock,
    MeansOnlyMine,
    MeansAllPictures,
    MeansNotUnderstood,
    // The themes.
    ThemesNone,
    ThemesIn,
    ThemeUsable,
    ThemeShort,
    TooDeepLine,
    ChosenTheme,
    ChosenThemeMissing,
    TooDeepOne,
    TooDeepMany,
    ThemeNotHere,
    ThemesHere,
    NoThemesHere,
    ATheme,
    ThemeRowShown,
    MeansTheme,
    MeansNoSuchTheme,
    MeansThemeRowHidden,
    MeansWrittenLetters,
    MeansPlainLetters,
};

// The pair of texts behind each name.
TextDefault textFor(Say say);

// The texts in one language.
class ReportTexts {
  public:
    explicit ReportTexts(Language language = Language::English) : m_language(language) {}

    Language language() const { return m_language; }
    QString operator()(Say say) const { return textFor(say).in(m_language); }
    // A whole number with the language's thousands separator.
    QString number(qint64 value) const;
    // The language's own name for a language: "Spanish", or "español" in a Spanish report.
    QString languageName(const QLocale& locale) const;

  private:
    Language m_language;
};

} // namespace check
