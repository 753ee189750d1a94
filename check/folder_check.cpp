// Gathers the report: the picture folder through the game's listing and rules, then the files.
#include "folder_check.h"
#include "speech_engine.h"

#include "asset_paths.h"
#include "board.h"
#include "clock_interval.h"
#include "decoding.h"
#include "language_file.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "play_settings.h"
#include "regular_file.h"
#include "text_file.h"
#include "voice_switch.h"
#include "wav_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <filesystem>
#include <optional>

namespace check {

namespace {

FileState stateOf(const QString& path) {
    if (!QFileInfo::exists(path)) return FileState::Missing;
    return openRegularFile(path) ? FileState::Ok : FileState::Unreadable;
}

// Whether a text file that opens holds NULs without a UTF-16 mark: saved in another format.
bool savedInAnotherFormat(const QString& path) {
    const std::optional<QByteArray> bytes = readRegularFile(path, MaxFileBytes);
    return bytes && !looksLikeText(*bytes);
}

// How the report names a file: relative to the checked folder, or in full where it lies outside
// (an installed package keeps its texts, pictures and media in the system's folders).
QString shownPath(const QString& folder, const QString& path) {
    const QString relative = QDir(folder).relativeFilePath(path);
    return relative.startsWith(QLatin1String("../")) ? QDir::cleanPath(path) : relative;
}

NeededFile neededFile(const QString& folder, const QString& path, const ReportTexts& say) {
    NeededFile file{shownPath(folder, path), stateOf(path), {}};
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) file.why = say(Say::UnreadableNotRegular);
    return file;
}

// A text file the game reads: one with NULs and no UTF-16 mark is unreadable, since every button
// and line would show garbage.
NeededFile textFile(const QString& folder, const QString& path, const ReportTexts& say) {
    NeededFile file = neededFile(folder, path, say);
    if (file.state == FileState::Ok && savedInAnotherFormat(path)) {
        file.state = FileState::Unreadable;
        file.why = say(Say::NotText);
    }
    return file;
}

// Why a name gives no word the board can hold.
QString wordProblem(const std::optional<QString>& word, const LetterRule& rule,
                    const ReportTexts& say) {
    if (!word || word->isEmpty()) return say(Say::NoWord);
    return say(Say::WordTooLong).arg(wordLetters(boardWord(*word, rule)).size());
}

// Why the game's picture test refused a file. The game only hears no, so the loader is asked for
// the budget it went over, and the file is read again here to tell a phone photo or a damaged
// picture from a file that is no picture at all.
QString pictureProblem(const QString& path, bool& damaged, const ReportTexts& say) {
    const QFileInfo info(path);
    if (!info.isReadable()) return say(Say::CannotBeOpened);
    if (info.size() == 0) return say(Say::EmptyFile);
    const QString photo = photoFormat(path);
    if (!photo.isEmpty()) return say(Say::Photo).arg(photo);
    if (const std::optional<QString> refusal = pictureRefusal(path, say.language()))
        return *refusal;
    const QString damage = headerDamage(path, say);
    damaged = !damage.isEmpty();
    return damaged ? damage : say(Say::NotAPicture);
}

// Each character of the word that is no letter, once, in the order they come: "2", a blank.
QStringList nonLetters(const QString& word, const ReportTexts& say) {
    QStringList found;
    for (const char32_t c : wordLetters(word)) {
        if (QChar::isLetter(c)) continue;
        const QString shown =
            c == U' ' ? say(Say::ABlank) : u'"' + escaped(QString::fromUcs4(&c, 1)) + u'"';
        if (!found.contains(shown)) found.append(shown);
    }
    return found;
}

// The runs of letters in the part of the name before its last dot ("12 uvas" has one, "mi casa"
// two), and what stands between them.
struct LetterRuns {
    QStringList runs;
    bool blankBetween = false;
    QString extension; // from the last dot on
};

LetterRuns letterRuns(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    LetterRuns found{{}, false, dot < 0 ? QString() : name.mid(dot)};
    const QList<uint> stem =
        name.left(dot < 0 ? name.size() : dot).normalized(QString::NormalizationForm_C).toUcs4();
    QString run;
    bool blankSinceRun = false;
    for (const uint c : stem) {
        if (QChar::isLetter(c)) {
            if (run.isEmpty() && !found.runs.isEmpty() && blankSinceRun) found.blankBetween = true;
            run += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
            blankSinceRun = false;
            continue;
        }
        if (!run.isEmpty()) found.runs.append(run);
        run.clear();
        blankSinceRun = blankSinceRun || c == U' ';
    }
    if (!run.isEmpty()) found.runs.append(run);
    return found;
}

QString joinedWithAnd(const QStringList& items, const ReportTexts& say) {
    if (items.size() < 2) return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + say(Say::And) + items.last();
}

// "\"en\" and \"es\"".
QString quotedNames(QStringList names, const ReportTexts& say) {
    for (QString& name : names)
        name = quoted(name);
    return joinedWithAnd(names, say);
}

// "on, recordings or off".
QString alternatives(const QStringList& items, const ReportTexts& say) {
    if (items.size() < 2) return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + say(Say::Or) + items.last();
}

// The board has a cell for every character of the word, so a child would have to find a digit, a
// blank or a dash among the letters. Where the characters only stand before or after the word
// (pez2, "12 uvas"), the name without them is offered, unless its word is already another
// picture's: then a round could ask for that word twice. Where they stand between words
// ("mi casa", t-shirt), dropping them leaves no word a child knows: one word is asked for.
QString nonLetterNote(const QString& name, const QString& word, const QSet<QString>& words,
                      const ReportTexts& say) {
    const QStringList found = nonLetters(word, say);
    if (found.isEmpty()) return {};
    const LetterRuns letters = letterRuns(name);
    if (letters.runs.size() > 1 && letters.blankBetween) return say(Say::BlankIsACell);
    QString advice;
    if (letters.runs.isEmpty()) {
        advice = say(Say::NameOfLetters);
    } else if (letters.runs.size() > 1) {
        advice = say(Say::OneWord);
    } else {
        const QString renamed = letters.runs.first() + letters.extension;
        const QString renamedWord = pictureWord(renamed).value_or(QString());
        advice = words.contains(renamedWord)
                     ? say(Say::RenameNot).arg(escaped(renamed), escaped(renamedWord))
                     : say(Say::RenameIt).arg(escaped(renamed));
    }
    return say(Say::AsksFor)
        .arg(joinedWithAnd(found, say),
             found.size() == 1 ? say(Say::NotALetter) : say(Say::NotLetters), advice);
}

PictureRow pictureRow(DiskPictureFolder& folder, const QString& name, const QSet<QString>& words,
                      const LetterRule& rule, const ReportTexts& say) {
    PictureRow row{name, {}, false, false, {}, {}};
    const std::optional<QString> word = pictureWord(name);
    row.word = word.value_or(QString());
    // The game's own test, by the letters its boards spell: a word that plain letters make
    // longer than the board is refused here as there.
    if (!givesPlaceableWord(name, rule)) {
        row.why = wordProblem(word, rule, say);
    } else if (!folder.isPicture(name)) {
        row.why = pictureProblem(folder.pathOf(name), row.damaged, say);
    } else {
        // The game draws by the header alone and finds a damaged file only when it shows it: an
        // empty place, or a picture half grey, beside a word the child must find.
        row.why = pictureDamage(folder.pathOf(name), say);
        row.damaged = !row.why.isEmpty();
        row.usable = !row.damaged;
        // The board's cells are what a child looks for: a plain board has no l·l dot.
        if (row.usable) row.note = nonLetterNote(name, boardWord(row.word, rule), words, say);
    }
    return row;
}

QString ignoredKind(const QFileInfo& info, const ReportTexts& say) {
    if (info.isSymLink() && !info.exists()) return say(Say::BrokenLink);
    if (info.isDir()) return say(Say::Folder);
    if (info.isHidden()) return say(Say::HiddenFile);
    return say(Say::NotRegularFile);
}

// The folder's names as the system holds them, which the report shows: Qt's reading of a name
// turns bytes that are not UTF-8 into U+FFFD, and the report must name each file as it is.
struct RawListing {
    QHash<QString, QByteArray> byName; // the names Qt can read, by that reading
    // Names copied from old disks may not be UTF-8. Qt cannot name such a file, so it drops out
    // of every listing, the game's included; only the raw directory shows it.
    QList<QByteArray> notUtf8;

    QByteArray bytesOf(const QString& name) const {
        return byName.value(name, QFile::encodeName(name));
    }
};

RawListing rawListing(const QString& path) {
    RawListing listing;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(QFile::encodeName(path).toStdString(), error)) {
        const std::string raw = entry.path().filename().native();
        const QByteArray bytes(raw.data(), static_cast<qsizetype>(raw.size()));
        const QString name = QFile::decodeName(bytes);
        if (QFile::encodeName(name) == bytes)
            listing.byName.insert(name, bytes);
        else
            listing.notUtf8.append(bytes);
    }
    std::sort(listing.notUtf8.begin(), listing.notUtf8.end());
    return listing;
}

// The folder's absolute path in the system's bytes, from the working folder's own bytes: Qt may
// know the folder only as ".", having entered it because it cannot name it.
QByteArray absoluteBytes(const QString& folder) {
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::absolute(QFile::encodeName(folder).toStdString(), error);
    if (error) return QFile::encodeName(folder);
    std::string text = path.lexically_normal().native();
    if (text.size() > 1 && text.ends_with('/')) text.pop_back(); // "/a/." leaves "/a/"
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Everything in the folder that the game's listing does not hold.
QList<IgnoredEntry> ignoredEntries(const QString& path, const QStringList& listed,
                                   const RawListing& raw, const ReportTexts& say) {
    QSet<QString> seen(listed.begin(), listed.end());
    // A theme's folder is not passed over: its pictures have rows of their own.
    for (const QString& name : listed)
        if (const QString theme = themeOf(name); !theme.isEmpty()) seen.insert(theme);
    const QDir dir(path);
    QStringList all = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    sortListing(all);
    QList<IgnoredEntry> ignored;
    for (const QString& name : all) {
        if (!seen.contains(name))
            ignored.append({raw.bytesOf(name), ignoredKind(QFileInfo(dir.filePath(name)), say)});
    }
    for (const QByteArray& name : raw.notUtf8)
        ignored.append({name, say(Say::NameNotUtf8)});
    return ignored;
}

// The themes as the menu lists them from the merged folder, each with the rows the check found
// usable in it: a set picture that the user's own stands in for counts once, as the user's.
QList<ThemeRow> themeRows(LayeredPictureFolder& layered, const QList<PictureRow>& pictures,
                          const LetterRule& rule) {
    QList<ThemeRow> rows;
    for (const Theme& theme : themesIn(layered, rule)) {
        const auto usable =
            std::count_if(pictures.begin(), pictures.end(), [&](const PictureRow& row) {
                return row.usable && inTheme(row.file, theme.name);
            });
        rows.append({theme.name, int(usable), usable < WordSlots});
    }
    return rows;
}

// The pictures of the folders a round draws from (the user's own first), as the game's layered
// listing takes them: a set picture whose word the user's own folder gives is never drawn, so it
// is not decoded either, and its row names the picture that stands in for it.
void checkPictures(FolderReport& report, const QStringList& folders, const QString& ownFolder,
                   const LetterRule& rule = {}) {
    const ReportTexts& say = report.say;
    LayeredPictureFolder layered(folders, &canShowPicture);
    const QStringList drawn = layered.listing();
    const QSet<QString> drawnNames(drawn.begin(), drawn.end());
    QSet<QString> words;
    for (const QString& name : drawn)
        words.insert(pictureWord(name).value_or(QString()));
    // Two files with one word may both be drawn in a round: the child would look for it twice.
    QHash<QString, QByteArray> firstWithWord;
    QHash<QString, QByteArray> ownWithWord;
    for (const QString& path : folders) {
        const bool own = !ownFolder.isEmpty() && path == ownFolder;
        const bool found = QFileInfo(path).isDir();
        (own ? report.own.found : report.pictureFolderFound) = found;
        if (!own) report.pictureFolder = shownPath(report.folder, path);
        if (!found) continue;
        DiskPictureFolder folder(path, &canShowPicture);
        const QStringList listed = folder.listing();
        const RawListing raw = rawListing(path);
        for (const QString& name : listed) {
            const std::optional<QString> word = pictureWord(name);
            const bool standsAside =
                !drawnNames.contains(name) || layered.pathOf(name) != folder.pathOf(name);
            PictureRow row;
            if (!own && standsAside) {
                row.file = name;
                row.word = word.value_or(QString());
                row.standsIn = ownWithWord.value(row.word);
                row.why = say(Say::OwnStandsIn).arg(escaped(row.standsIn));
            } else {
                row = pictureRow(folder, name, words, rule, say);
            }
            row.rawName = raw.bytesOf(name);
            row.own = own;
            if (own && word && !ownWithWord.contains(*word)) ownWithWord.insert(*word, row.rawName);
            if (row.usable) {
                ++report.usableCount;
                const auto first = firstWithWord.constFind(row.word);
                if (first == firstWithWord.cend()) {
                    firstWithWord.insert(row.word, row.rawName);
                } else {
                    const QString same = say(Say::SameWord).arg(escaped(*first));
                    row.note = row.note.isEmpty() ? same : same + QStringLiteral("; ") + row.note;
                }
            }
            report.pictures.append(row);
        }
        (own ? report.own.ignored : report.ignored) = ignoredEntries(path, listed, raw, say);
        for (const SkippedFolder& skipped : folder.skippedFolders())
            report.themes.tooDeep.append(
                {skipped.name, shownPath(report.folder, path + u'/' + skipped.name) + u'/', own});
    }
    report.themes.themes = themeRows(layered, report.pictures, rule);
}

LanguageReport checkLanguage(const assets::AssetPaths& paths, const ReportTexts& say) {
    const QString& folder = paths.programFolder();
    const QString path = paths.file(assets::LanguageFile);
    LanguageReport report{textFile(folder, path, say), {}, {}};
    // Each item as the game shows it, from the game's own reading of the file.
    const LanguageFile language = paths.languageFile();
    for (int item = 0; item < LanguageItems; ++item) {
        const auto which = static_cast<LanguageItem>(item + 1);
        report.items[item] = language.asRead(which);
        report.shown[item] = language.shown(which);
    }
    return report;
}

SpeedReport checkSpeed(const assets::AssetPaths& paths, const ReportTexts& say) {
    const QString path = paths.file(assets::SpeedFile);
    // A file without a first item leaves the game with an empty item, which still reads as 0.
    ItemFile asText(path);
    const QString written = asText.readText().value_or(QString());
    SpeedReport report = clockFromItem(ItemFile(path).readVariant().value_or(QString()), written);
    report.textAfterNumber = report.textAfterNumber || asText.readText().has_value();
    report.written = LineFile(path).readLine().value_or(QString()).trimmed();
    report.file = textFile(paths.programFolder(), path, say);
    report.settingsSeconds = paths.userSettings().secondsPerWord;
    report.settingsName = QFileInfo(paths.settingsFile()).fileName();
    return report;
}

LevelReport checkLevels(const assets::AssetPaths& paths, const ReportTexts& say) {
    const QString path = paths.file(assets::LevelFile);
    LevelReport report{textFile(paths.programFolder(), path, say), {}};
    LineFile file(path);
    for (auto& line : report.lines)
        line = file.readLine();
    return report;
}

// Animations are read through the image reader as the game's movie player reads them, every
// frame of them, once the loader's budgets have let them through as they let them through for
// the game; only a regular file is opened, since a FIFO would never answer.
NeededFile animationFile(const QString& folder, const QString& path, const ReportTexts& say) {
    NeededFile file = neededFile(folder, path, say);
    if (file.state != FileState::Ok) return file;
    if (const std::optional<QString> refusal = animationRefusal(path, say.language())) {
        file.state = FileState::Unreadable;
        file.why = *refusal;
        return file;
    }
    const std::optional<AnimationFile> animation = readAnimation(path);
    if (!animation) {
        file.state = FileState::Unreadable;
        return file;
    }
    file.why = animationDamage(animation->bytes, say);
    if (!file.why.isEmpty()) file.state = FileState::Unreadable;
    return file;
}

// A sound plays when it is a PCM WAV the sound player can take, with its sound data all there.
NeededFile soundFile(const QString& folder, const QString& path, const ReportTexts& say) {
    NeededFile file = neededFile(folder, path, say);
    if (file.state != FileState::Ok) return file;
    QString why;
    if (!readPlayableSound(path, &why, say.language())) {
        file.state = FileState::Unreadable;
        file.why = say(Say::NotPlayable).arg(why);
    }
    return file;
}

QList<NeededFile> checkMedia(const assets::AssetPaths& paths, const ReportTexts& say) {
    const QString& folder = paths.programFolder();
    QStringList gifs{paths.file(assets::RunnerGif), paths.file(assets::SuccessGif)};
    for (int level = 1; level <= LevelLines; ++level)
        gifs.append(paths.levelGif(level));
    QList<NeededFile> media;
    for (const QString& path : gifs)
        media.append(animationFile(folder, path, say));
    for (const char16_t* sound :
         {assets::SuccessSound, assets::ErrorSound, assets::FinalSound, assets::LostSound})
        media.append(soundFile(folder, paths.file(sound), say));
    return media;
}

// "3 of its 5 texts", or "none of its 5 texts", when some are missing from a file that is there.
// "only 3 of its 5 texts", or "none of its 5 texts", when some are missing from a file that is
// there, with what the game does instead.
template <std::size_t Count>
QString shortFile(const NeededFile& file, const std::array<std::optional<QString>, Count>& read,
                  Say what, Say someMissing, Say allMissing, const ReportTexts& say) {
    const auto found =
        std::count_if(read.begin(), read.end(), [](const auto& item) { return item.has_value(); });
    if (file.state != FileState::Ok || found == qsizetype(Count)) return {};
    if (found == 0)
        return say(Say::ShortNone)
            .arg(escaped(file.relative))
            .arg(Count)
            .arg(say(what), say(allMissing));
    return say(Say::ShortOnly)
        .arg(escaped(file.relative))
        .arg(found)
        .arg(Count)
        .arg(say(what), say(someMissing));
}

// A few names of a list, and how many more there are: "roto.png, corta.gif and 3 more".
QString someNames(const QStringList& names, const ReportTexts& say) {
    constexpr qsizetype Named = 3;
    QString shown = names.mid(0, Named).join(QStringLiteral(", "));
    if (names.size() > Named) shown += say(Say::AndMoreNames).arg(names.size() - Named);
    return shown;
}

// One line for a list of files: the text for one or for many, with a few of their names.
QString countedLine(const QStringList& names, Say one, Say many, const ReportTexts& say) {
    if (names.isEmpty()) return {};
    if (names.size() == 1) return say(one).arg(names.first());
    return say(many).arg(names.size()).arg(someNames(names, say));
}

// Damaged pictures, by name: the game may draw them and show a word without its whole picture.
QString damagedPictures(const QList<PictureRow>& pictures, const ReportTexts& say) {
    QStringList names;
    for (const PictureRow& row : pictures) {
        if (row.damaged) names.append(escaped(row.rawName));
    }
    return countedLine(names, Say::DamagedOne, Say::DamagedMany, say);
}

// The number as the game reads it, up to the first character that belongs to no number: the
// item's text after it is what the game drops.
bool textAfterLeadingNumber(const QString& item) {
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d*(?:[.,]\\d*)?\\s*$"));
    return !item.isEmpty() && !number.match(item).hasMatch();
}

} // namespace

SpeedReport clockFromItem(const QString& item, const QString& asWritten) {
    SpeedReport report;
    report.item = asWritten.isEmpty() ? item : asWritten;
    report.textAfterNumber = textAfterLeadingNumber(report.item);
    if (const std::optional<int> interval = speedInterval(item)) {
        report.clock = neverFires(*interval) ? Clock::NeverRuns : Clock::Runs;
        report.intervalMs = *interval;
    } else {
        report.clock = Clock::Refused;
        report.intervalMs = RunnerIntervalMs;
    }
    return report;
}

namespace {

// What a word without a playable recording gets, by what the switch allows and, where it allows
// the computer's voice, by what that voice answered for the set's language.
Unrecorded unrecordedVoice(Speaking speaking, const SpeechAnswer& speech) {
    if (speaking == Speaking::Off) return Unrecorded::Off;
    if (speaking == Speaking::RecordingsOnly) return Unrecorded::Silent;
    if (!speech) return Unrecorded::WhereItHasOne;
    switch (speech()) {
    case SpeechSupport::Speaks:
        return Unrecorded::Said;
    case SpeechSupport::NoEngine:
        return Unrecorded::NoEngine;
    case SpeechSupport::NoVoice:
        return Unrecorded::NoVoice;
    case SpeechSupport::NoAnswer:
        break;
    }
    return Unrecorded::CouldNotTell;
}

// The switch's source names the file a teacher would change: voz.txt, or tolvano.conf over it.
QString unrecordedNote(Unrecorded unrecorded, const QString& switchSource, const QLocale& language,
                       const ReportTexts& say) {
    switch (unrecorded) {
    case Unrecorded::Silent:
        return say(Say::UnrecordedSilentSwitch).arg(switchSource);
    case Unrecorded::Off:
        return say(Say::UnrecordedOff).arg(switchSource);
    case Unrecorded::WhereItHasOne:
        return say(Say::UnrecordedWhereItHasOne);
    case Unrecorded::Said:
        return say(Say::UnrecordedSaid);
    case Unrecorded::NoEngine:
        return say(Say::UnrecordedNoEngine);
    case Unrecorded::NoVoice:
        return say(Say::UnrecordedNoVoice).arg(say.languageName(language));
    case Unrecorded::CouldNotTell:
        break;
    }
    return say(Say::UnrecordedCouldNotTell);
}

// The voice column of a word without a recording.
QString unrecordedColumn(Unrecorded unrecorded, const ReportTexts& say) {
    switch (unrecorded) {
    case Unrecorded::Silent:
    case Unrecorded::Off:
    case Unrecorded::NoEngine:
    case Unrecorded::NoVoice:
        return say(Say::VoiceSilent);
    case Unrecorded::WhereItHasOne:
    case Unrecorded::CouldNotTell:
        return say(Say::VoiceMaybe);
    case Unrecorded::Said:
        break;
    }
    return say(Say::VoiceComputer);
}

// Each usable picture's recording, as the game looks for it.
VoiceReport checkVoices(const assets::AssetPaths& paths, const QList<PictureRow>& pictures,
                        const SpeechAnswer& speech, const ReportTexts& say) {
    VoiceReport report;
    const Speaking speaking = playSettings(paths).speaking;
    report.switchSource =
        QFileInfo(paths.userSettings().voice ? paths.settingsFile()
                                             : paths.file(assets::VoiceSwitchFile))
            .fileName();
    switch (speaking) {
    case Speaking::On:
        report.switchSetting = say(Say::SwitchOn);
        break;
    case Speaking::RecordingsOnly:
        report.switchSetting = say(Say::SwitchRecordings);
        break;
    case Speaking::Off:
        report.switchSetting = say(Say::SwitchOff);
        break;
    }
    report.folder = shownPath(paths.programFolder(), paths.voiceFolder());
    const QString ownFolder = paths.userVoiceFolder();
    if (!ownFolder.isEmpty() && QFileInfo(ownFolder).isDir())
        report.ownFolder = shownPath(paths.programFolder(), ownFolder);
    std::optional<Unrecorded> unrecorded; // the voice is asked at the first word that needs it
    for (const PictureRow& picture : pictures) {
        if (!picture.usable) continue;
        const QString path = paths.recording(picture.file);
        VoiceRow row{picture.rawName, say(Say::VoiceRecording), true};
        row.own = !ownFolder.isEmpty() && path.startsWith(ownFolder + u'/');
        if (row.own) row.voice = say(Say::VoiceOwnRecording);
        QString why;
        if (speaking == Speaking::Off) {
            row.voice = say(Say::VoiceSilent);
            row.recorded = QFileInfo::exists(path);
        } else if (!QFileInfo::exists(path)) {
            if (!unrecorded) unrecorded = unrecordedVoice(speaking, speech);
            row.voice = unrecordedColumn(*unrecorded, say);
            row.recorded = false;
            ++report.unrecordedCount;
        } else if (!readPlayableSound(path, &why, say.language())) {
            row.voice = say(Say::VoiceNotPlayable);
            row.note = say(Say::RecordingNotPlayable).arg(why);
            row.recorded = false;
            report.notPlayable.append(escaped(QFile::encodeName(QFileInfo(path).fileName())));
        }
        report.rows.append(row);
    }
    if (speaking == Speaking::Off) unrecorded = Unrecorded::Off;
    if (unrecorded) {
        report.unrecorded = *unrecorded;
        report.unrecordedNote =
            unrecordedNote(*unrecorded, report.switchSource, voiceLanguage(paths), say);
    }
    return report;
}

// The set that plays, and the switches, as the game takes them and as the teacher wrote them.
ChoicesReport checkChoices(const assets::AssetPaths& paths) {
    ChoicesReport report;
    const QString& programFolder = paths.programFolder();
    const assets::LanguageSet& set = paths.set();
    report.setsFile = shownPath(programFolder, paths.setsFile());
    report.requestedSet = set.requestedName;
    report.playingSet = set.name;
    if (!set.name.isEmpty() && !set.requestedName.isEmpty() && set.requestedName != set.name) {
        (set.requestedIsSetName ? report.setMissing : report.setNotAName) = true;
    }
    const QString voicePath = paths.file(assets::VoiceSwitchFile);
    report.voiceFile = shownPath(programFolder, voicePath);
    report.voiceSwitch = readVoiceSwitch(voicePath);
    const QString codePath = paths.languageCodeFile();
    report.codeFile = shownPath(programFolder, codePath);
    report.writtenCode = set.writtenCode;
    report.languageCode = set.languageCode;
    report.codeUnderstood = set.writtenCode.isEmpty() || set.writtenCode == set.languageCode;
    for (const QString& path : {paths.setsFile(), voicePath, codePath}) {
        if (savedInAnotherFormat(path)) report.notText.append(shownPath(programFolder, path));
    }
    const UserSettings& user = paths.userSettings();
    report.settingsName = QFileInfo(paths.settingsFile()).fileName();
    report.userChoice = set.userChoice;
    report.userChoiceFollowed = set.userChoiceFollowed;
    report.setNames = paths.setNames();
    report.voiceFromSettings = user.voice.has_value();
    report.lettersFromSettings = user.lowerCase.has_value();
    return report;
}

// The user's own settings file, and the files that stay in charge of what it does not give.
SettingsReport checkSettings(const assets::AssetPaths& paths, const FolderReport& report) {
    SettingsReport settings;
    settings.file = paths.settingsFile();
    settings.name = QFileInfo(settings.file).fileName();
    settings.read = paths.userSettings();
    settings.foldersProblem = paths.userFolders().problem;
    settings.setsFile = report.choices.setsFile;
    settings.voiceFile = report.choices.voiceFile;
    settings.speedFile = report.speed.file.relative;
    settings.playingSet = report.choices.playingSet;
    settings.letters = playSettings(paths).letters;
    return settings;
}

} // namespace

bool voiceMayBeNeeded(const assets::AssetPaths& paths) {
    if (playSettings(paths).speaking != Speaking::On) return false;
    for (const QString& folder : paths.pictureFolders()) {
        const auto entries = QDir(folder).entryList(QDir::Files);
        if (std::any_of(entries.begin(), entries.end(), [&](const QString& file) {
                return !QFileInfo::exists(paths.recording(file));
            }))
            return true;
    }
    return false;
}

FolderReport checkFolder(const assets::AssetPaths& paths, const SpeechAnswer& speech) {
    // The decoders' complaints are read where they matter and go into the report; any others
    // (and libraries write straight onto stderr) must not bury it.
    const DecoderMessages quiet;
    FolderReport report;
    report.say = ReportTexts(paths.language());
    const ReportTexts& say = report.say;
    report.folder = paths.programFolder();
    report.absolute = absoluteBytes(report.folder);
    report.pictureFolder = shownPath(report.folder, paths.pictureFolder());
    report.own.layer = paths.userSource() != nullptr;
    report.own.folder = QDir::cleanPath(paths.userPictureFolder());
    report.own.onlyMine = report.own.layer && playSettings(paths).onlyMine;
    checkPictures(report, paths.pictureFolders(), paths.userPictureFolder(),
                  playSettings(paths).letters);
    report.themes.chosen = playSettings(paths).theme;
    report.themes.chosenFound = std::any_of(
        report.themes.themes.begin(), report.themes.themes.end(),
        [&](const ThemeRow& theme) { return inTheme(theme.name + u'/', report.themes.chosen); });
    report.language = checkLanguage(paths, say);
    report.speed = checkSpeed(paths, say);
    report.levels = checkLevels(paths, say);
    report.media = checkMedia(paths, say);
    report.voices = checkVoices(paths, report.pictures, speech, say);
    report.choices = checkChoices(paths);
    report.settings = checkSettings(paths, report);
    return report;
}

bool isPictureFolder(const assets::AssetPaths& paths) {
    // An installed program's folder holds the programs alone: the game's folders are under its
    // roots, and those are what it plays.
    return !paths.holdsGameFolders() &&
           !QDir(paths.programFolder()).entryList(QDir::Files).isEmpty();
}

FolderReport checkPictureFolder(const QString& folder, Language language) {
    const DecoderMessages quiet;
    FolderReport report;
    report.say = ReportTexts(language);
    report.picturesOnly = true;
    report.folder = folder;
    report.absolute = absoluteBytes(folder);
    checkPictures(report, {folder}, {});
    report.pictureFolder = QFile::decodeName(report.absolute);
    return report;
}

QString stateText(FileState state, const ReportTexts& say) {
    switch (state) {
    case FileState::Ok:
        return say(Say::StateOk);
    case FileState::Missing:
        return say(Say::StateMissing);
    case FileState::Unreadable:
        break;
    }
    return say(Say::StateUnreadable);
}

QString fileText(const NeededFile& file, const ReportTexts& say) {
    return file.why.isEmpty() ? stateText(file.state, say) : file.why;
}

QStringList problems(const FolderReport& report) {
    const ReportTexts& say = report.say;
    QStringList found;
    // The user's own pictures count with the set's: a missing set folder matters only when the
    // round cannot be filled without it.
    const bool enough = report.usableCount >= WordSlots;
    if (!report.own.onlyMine && !report.pictureFolderFound && !enough)
        found.append(
            say(Say::PictureFolderMissing).arg(escaped(report.pictureFolder)).arg(WordSlots));
    else if (!enough)
        found.append(
            say(Say::TooFewPictures)
                .arg(report.usableCount)
                .arg(WordSlots)
                .arg(escaped(report.own.onlyMine ? report.own.folder : report.pictureFolder)));
    found.append(damagedPictures(report.pictures, say));
    if (report.picturesOnly) {
        found.removeAll(QString());
        return found;
    }
    const std::pair<const NeededFile*, Say> texts[] = {{&report.language.file, Say::LanguageAdvice},
                                                       {&report.speed.file, Say::SpeedAdvice},
                                                       {&report.levels.file, Say::LevelAdvice}};
    for (const auto& [file, advice] : texts) {
        // tolvano.conf's speed stands in for the speed file, which the game then never reads.
        if (file == &report.speed.file && report.speed.settingsSeconds) continue;
        if (file->why == say(Say::NotText))
            found.append(say(Say::NotTextFile).arg(escaped(file->relative)));
        else if (file->state != FileState::Ok)
            found.append(
                say(Say::FileIs).arg(escaped(file->relative), fileText(*file, say), say(advice)));
    }
    for (const NeededFile& file : report.media) {
        if (file.state != FileState::Ok)
            found.append(
                say(Say::FileIs)
                    .arg(escaped(file.relative), fileText(file, say), say(Say::MediaAdvice)));
    }
    found.append(shortFile(report.language.file, report.language.items, Say::TextsWord,
                           Say::TextsShortAdvice, Say::LanguageAdvice, say));
    found.append(shortFile(report.levels.file, report.levels.lines, Say::LevelLinesWord,
                           Say::LevelsShortAdvice, Say::LevelAdvice, say));
    found.removeAll(QString());
    return found;
}

namespace {

// The seconds a word gets at the interval, as a teacher reads them: 0.8, 8, 80.
QString secondsForAWord(int intervalMs, const ReportTexts& say) {
    const double seconds = double(intervalMs) * TicksForAWord / 1000;
    const QLocale locale(say.language() == Language::English ? QLocale::English : QLocale::Spanish);
    return seconds < 10 ? locale.toString(seconds, 'f', 1) : locale.toString(qRound(seconds));
}

void speedWarnings(const FolderReport& report, QStringList& found) {
    const SpeedReport& speed = report.speed;
    const ReportTexts& say = report.say;
    if (speed.settingsSeconds || speed.file.state != FileState::Ok || speed.clock != Clock::Runs)
        return;
    if (speed.intervalMs >= LikelyMistakeBelowMs && !speed.textAfterNumber) return;
    found.append(say(Say::SpeedMistake)
                     .arg(escaped(speed.file.relative), quoted(speed.written),
                          secondsForAWord(speed.intervalMs, say)));
}

void choiceWarnings(const FolderReport& report, QStringList& found) {
    const ChoicesReport& choices = report.choices;
    const ReportTexts& say = report.say;
    for (const QString& file : choices.notText)
        found.append(say(Say::NotTextFile).arg(escaped(file)));
    // A set that tolvano.conf chooses leaves activo.txt unread; one that is not there leaves it
    // in charge, and the teacher should know which set plays.
    if (!choices.userChoice.isEmpty() && !choices.userChoiceFollowed) {
        const QString sets = choices.setNames.isEmpty()
                                 ? say(Say::OneSetHere)
                                 : say(Say::SetsHere).arg(quotedNames(choices.setNames, say));
        found.append(say(Say::SettingsNoSuchSet)
                         .arg(escaped(choices.settingsName), escaped(choices.userChoice), sets,
                              choices.playingSet.isEmpty() ? say(Say::FoldersOwnSet)
                                                           : quoted(choices.playingSet)));
    }
    if ((choices.setMissing || choices.setNotAName) && !choices.userChoiceFollowed)
        found.append(say(choices.setMissing ? Say::SetMissing : Say::SetNotAName)
                         .arg(quoted(choices.requestedSet), quoted(choices.playingSet)));
    // A file in another format reads as garbage: saving it again is all there is to say.
    const VoiceSwitch voice =
        choices.notText.contains(choices.voiceFile) ? VoiceSwitch{} : choices.voiceSwitch;
    if (!voice.speakingUnderstood && !choices.voiceFromSettings)
        found.append(say(Say::VoiceNotUnderstood)
                         .arg(escaped(choices.voiceFile), quoted(*voice.speakingItem)));
    if (!voice.lettersUnderstood && !choices.lettersFromSettings)
        found.append(say(Say::LettersNotUnderstood)
                         .arg(escaped(choices.voiceFile), quoted(*voice.lettersItem)));
    if (!choices.codeUnderstood && !choices.notText.contains(choices.codeFile))
        found.append(
            say(Say::CodeNotUnderstood)
                .arg(escaped(choices.codeFile), quoted(choices.writtenCode), choices.languageCode));
}

// What a key takes, and what the game uses when its value is not understood.
std::pair<QString, QString> keyValues(const QString& key, const SettingsReport& settings,
                                      const ReportTexts& say) {
    const QString name = key.section(u'/', -1);
    const auto fileSetting = [&](const QString& file) {
        return say(Say::FileSetting).arg(escaped(file));
    };
    const auto values = [&](std::initializer_list<const char*> names) {
        QStringList list;
        for (const char* value : names)
            list.append(QString::fromLatin1(value));
        return alternatives(list, say);
    };
    if (name == u"voice")
        return {values({"on", "recordings", "off"}), fileSetting(settings.voiceFile)};
    if (name == u"lowercase") return {values({"true", "false"}), fileSetting(settings.voiceFile)};
    if (name == u"secondsPerWord")
        return {values({"120", "80", "40", "0"}), fileSetting(settings.speedFile)};
    if (name == u"pictures") return {values({"all", "mine"}), say(Say::AllPictures)};
    if (name == u"theme") return {say(Say::ATheme), say(Say::AllPictures)};
    if (name == u"themes") return {values({"shown", "hidden"}), say(Say::ThemeRowShown)};
    if (name == u"letters")
        return {values({"as-written", "plain"}),
                say(settings.letters.style == LetterStyle::Plain ? Say::MeansPlainLetters
                                                                 : Say::MeansWrittenLetters)};
    return {say(Say::ASetsName), fileSetting(settings.setsFile)};
}

// The user's own folders and settings that the game could not follow, one line each: none of
// them stops the game, which goes on with the program's own files.
void settingsWarnings(const FolderReport& report, QStringList& found) {
    const SettingsReport& settings = report.settings;
    const ReportTexts& say = report.say;
    if (!settings.foldersProblem.isEmpty())
        found.append(say(Say::UserFoldersProblem).arg(escaped(settings.foldersProblem)));
    for (const SettingsProblem& problem : settings.read.problems) {
        switch (problem.kind) {
        case SettingsProblem::Kind::Unreadable:
            found.append(say(Say::SettingsUnreadable).arg(escaped(settings.file)));
            break;
        case SettingsProblem::Kind::UnknownKey:
            found.append(
                say(Say::SettingsUnknownKey).arg(escaped(settings.name), settingKey(problem.key)));
            break;
        case SettingsProblem::Kind::BadValue: {
            const auto [takes, instead] = keyValues(problem.key, settings, say);
            found.append(say(Say::SettingsBadValue)
                             .arg(escaped(settings.name), settingKey(problem.key),
                                  escaped(problem.value), takes, instead));
            break;
        }
        }
    }
}

// A theme that tolvano.conf chooses and the folder does not hold: the class plays all the
// pictures, not the theme the teacher prepared.
void themeWarnings(const FolderReport& report, QStringList& found) {
    const ThemesReport& themes = report.themes;
    const ReportTexts& say = report.say;
    if (themes.chosen.isEmpty() || themes.chosenFound) return;
    QStringList names;
    for (const ThemeRow& theme : themes.themes)
        names.append(theme.name);
    found.append(say(Say::ThemeNotHere)
                     .arg(escaped(report.settings.name), escaped(themes.chosen),
                          names.isEmpty() ? say(Say::NoThemesHere)
                                          : say(Say::ThemesHere).arg(quotedNames(names, say))));
}

void pictureWarnings(const FolderReport& report, QStringList& found) {
    const ReportTexts& say = report.say;
    QStringList leftOut, noted;
    for (const PictureRow& row : report.pictures) {
        if (!row.usable && !row.damaged && row.standsIn.isEmpty())
            leftOut.append(escaped(row.rawName));
        if (row.usable && !row.note.isEmpty()) noted.append(escaped(row.rawName));
    }
    found.append(countedLine(leftOut, Say::LeftOutOne, Say::LeftOutMany, say));
    found.append(countedLine(noted, Say::NotesOne, Say::NotesMany, say));
    // Pictures a teacher sorted one folder deeper never reach a round, and nothing else says so.
    QStringList tooDeep;
    for (const TooDeepFolder& folder : report.themes.tooDeep)
        tooDeep.append(escaped(folder.shown));
    found.append(countedLine(tooDeep, Say::TooDeepOne, Say::TooDeepMany, say));
    if (report.picturesOnly) return;
    const VoiceReport& voices = report.voices;
    found.append(
        countedLine(voices.notPlayable, Say::BadRecordingsOne, Say::BadRecordingsMany, say));
    const bool silent =
        voices.unrecorded == Unrecorded::NoEngine || voices.unrecorded == Unrecorded::NoVoice;
    if (silent && voices.unrecordedCount > 0)
        found.append(say(Say::SilentWords).arg(voices.unrecordedCount));
}

} // namespace

QStringList warnings(const FolderReport& report) {
    QStringList found;
    if (!report.picturesOnly) {
        speedWarnings(report, found);
        choiceWarnings(report, found);
        settingsWarnings(report, found);
        themeWarnings(report, found);
    }
    pictureWarnings(report, found);
    found.removeAll(QString());
    return found;
}

QString settingKey(const QString& key) {
    const QString group = QStringLiteral("general/");
    return escaped(key.startsWith(group) ? key.mid(group.size()) : key);
}

int exitStatus(const FolderReport& report) {
    return problems(report).isEmpty() ? 0 : 1;
}

FolderReport checkFolderWithVoice(const assets::AssetPaths& paths) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    std::unique_ptr<SpeechProbe> probe;
    const auto ask = [&] {
        probe = std::make_unique<SpeechProbe>(voiceLanguage(paths), SpeechAnswerMs);
    };
    if (voiceMayBeNeeded(paths)) ask();
    return checkFolder(paths, [&] {
        if (!probe) ask();
        return probe->result(std::max<int>(0, SpeechAnswerMs - int(sinceStart.elapsed())));
    });
}

} // namespace check
