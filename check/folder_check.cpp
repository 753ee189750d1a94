// Gathers the report: the picture folder through the game's listing and rules, then the files.
#include "folder_check.h"

#include "asset_paths.h"
#include "board.h"
#include "clock_interval.h"
#include "decoding.h"
#include "language_file.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "regular_file.h"
#include "text_file.h"
#include "voice_switch.h"
#include "wav_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <filesystem>
#include <optional>

namespace check {

namespace {

// The runner clock's interval before the speed file is read; the game keeps it when the file's
// number is refused.
constexpr int RunnerIntervalMs = 300;

FileState stateOf(const QString& path) {
    if (!QFileInfo::exists(path)) return FileState::Missing;
    return openRegularFile(path) ? FileState::Ok : FileState::Unreadable;
}

// How the report names a file: relative to the checked folder, or in full where it lies outside
// (an installed package keeps its texts, pictures and media in the system's folders).
QString shownPath(const QString& folder, const QString& path) {
    const QString relative = QDir(folder).relativeFilePath(path);
    return relative.startsWith(QLatin1String("../")) ? QDir::cleanPath(path) : relative;
}

NeededFile neededFile(const QString& folder, const QString& path) {
    NeededFile file{shownPath(folder, path), stateOf(path), {}};
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        file.why = QStringLiteral("unreadable (not a regular file)");
    return file;
}

// Why a name gives no word the board can hold.
QString wordProblem(const std::optional<QString>& word) {
    if (!word || word->isEmpty()) return QStringLiteral("name gives no word");
    return QStringLiteral("word too long (%1 letters)").arg(wordLetters(*word).size());
}

// Why the game's picture test refused a file. The game only hears no, so the loader is asked for
// the budget it went over, and the file is read again here to tell a phone photo or a damaged
// picture from a file that is no picture at all.
QString pictureProblem(const QString& path, bool& damaged) {
    const QFileInfo info(path);
    if (!info.isReadable()) return QStringLiteral("cannot be opened");
    if (info.size() == 0) return QStringLiteral("not a picture (empty file)");
    const QString photo = photoFormat(path);
    if (!photo.isEmpty()) {
        return QStringLiteral("%1 photo, which the game cannot show: convert it to JPEG or PNG")
            .arg(photo);
    }
    if (const std::optional<QString> refusal = pictureRefusal(path)) return *refusal;
    const QString damage = headerDamage(path);
    damaged = !damage.isEmpty();
    return damaged ? damage : QStringLiteral("not a picture");
}

// Each character of the word that is no letter, once, in the order they come: "2", a blank.
QStringList nonLetters(const QString& word) {
    QStringList found;
    for (const char32_t c : wordLetters(word)) {
        if (QChar::isLetter(c)) continue;
        const QString shown =
            c == U' ' ? QStringLiteral("a blank") : u'"' + escaped(QString::fromUcs4(&c, 1)) + u'"';
        if (!found.contains(shown)) found.append(shown);
    }
    return found;
}

// The name with every character that is no letter taken out of the part before its last dot;
// empty when no letter is left.
QString lettersOnly(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = name.left(dot < 0 ? name.size() : dot);
    QList<uint> letters = stem.normalized(QString::NormalizationForm_C).toUcs4();
    letters.removeIf([](uint c) { return !QChar::isLetter(c); });
    if (letters.isEmpty()) return {};
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(letters.constData()),
                             letters.size()) +
           (dot < 0 ? QString() : name.mid(dot));
}

QString joinedWithAnd(const QStringList& items) {
    if (items.size() < 2) return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.last();
}

// The board has a cell for every character of the word, so a child would have to find a digit, a
// blank or a dash among the letters. The name without them is offered instead, unless its word
// is already another picture's: then a round could ask for that word twice.
QString nonLetterNote(const QString& name, const QString& word, const QSet<QString>& words) {
    const QStringList found = nonLetters(word);
    if (found.isEmpty()) return {};
    const QString renamed = lettersOnly(name);
    const QString renamedWord = pictureWord(renamed).value_or(QString());
    QString advice = QStringLiteral("rename it %1").arg(escaped(renamed));
    if (renamed.isEmpty())
        advice = QStringLiteral("give it a name of letters");
    else if (words.contains(renamedWord))
        advice = QStringLiteral("rename it (not %1: %2 is another picture's word)")
                     .arg(escaped(renamed), escaped(renamedWord));
    return QStringLiteral("the board will ask for %1 (%2): %3")
        .arg(joinedWithAnd(found),
             found.size() == 1 ? QStringLiteral("not a letter") : QStringLiteral("not letters"),
             advice);
}

PictureRow pictureRow(DiskPictureFolder& folder, const QString& name, const QSet<QString>& words) {
    PictureRow row{name, {}, false, false, {}, {}};
    const std::optional<QString> word = pictureWord(name);
    row.word = word.value_or(QString());
    if (!givesPlaceableWord(name)) {
        row.why = wordProblem(word);
    } else if (!folder.isPicture(name)) {
        row.why = pictureProblem(folder.pathOf(name), row.damaged);
    } else {
        // The game draws by the header alone and finds a damaged file only when it shows it: an
        // empty place, or a picture half grey, beside a word the child must find.
        row.why = pictureDamage(folder.pathOf(name));
        row.damaged = !row.why.isEmpty();
        row.usable = !row.damaged;
        if (row.usable) row.note = nonLetterNote(name, row.word, words);
    }
    return row;
}

QString ignoredKind(const QFileInfo& info) {
    if (info.isSymLink() && !info.exists()) return QStringLiteral("broken link");
    if (info.isDir()) return QStringLiteral("folder");
    if (info.isHidden()) return QStringLiteral("hidden file");
    return QStringLiteral("not a regular file");
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
                                   const RawListing& raw) {
    const QSet<QString> seen(listed.begin(), listed.end());
    const QDir dir(path);
    QStringList all = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    sortListing(all);
    QList<IgnoredEntry> ignored;
    for (const QString& name : all) {
        if (!seen.contains(name))
            ignored.append({raw.bytesOf(name), ignoredKind(QFileInfo(dir.filePath(name)))});
    }
    for (const QByteArray& name : raw.notUtf8)
        ignored.append({name, QStringLiteral("name not UTF-8")});
    return ignored;
}

void checkPictures(FolderReport& report) {
    const QString path = assets::path(report.folder, assets::PictureFolder);
    report.pictureFolder = shownPath(report.folder, path);
    report.pictureFolderFound = QFileInfo(path).isDir();
    if (!report.pictureFolderFound) return;
    DiskPictureFolder folder(path, &canShowPicture);
    const QStringList listed = folder.listing();
    QSet<QString> words;
    for (const QString& name : listed)
        words.insert(pictureWord(name).value_or(QString()));
    // Two files with one word may both be drawn in a round: the child would look for it twice.
    const RawListing raw = rawListing(path);
    QHash<QString, QByteArray> firstWithWord;
    for (const QString& name : listed) {
        PictureRow row = pictureRow(folder, name, words);
        row.rawName = raw.bytesOf(name);
        if (row.usable) {
            ++report.usableCount;
            const auto first = firstWithWord.constFind(row.word);
            if (first == firstWithWord.cend()) {
                firstWithWord.insert(row.word, row.rawName);
            } else {
                const QString same = QStringLiteral("same word as %1").arg(escaped(*first));
                row.note = row.note.isEmpty() ? same : same + QStringLiteral("; ") + row.note;
            }
        }
        report.pictures.append(row);
    }
    report.ignored = ignoredEntries(path, listed, raw);
}

LanguageReport checkLanguage(const QString& folder) {
    const QString path = assets::path(folder, assets::LanguageFile);
    LanguageReport report{neededFile(folder, path), {}, {}};
    // The score word and the menu's buttons take items as they stand, the game screen's buttons
    // take them as captions (007 shows 7); one reader delivers both, item by item. Which items
    // are there comes from the reader, what the game shows from the game's own language file.
    ItemFile file(path);
    const LanguageFile language = assets::language(folder);
    for (int item = 0; item < LanguageItems; ++item) {
        const auto which = static_cast<LanguageItem>(item + 1);
        report.items[item] = item < 3 ? file.readText() : file.readVariant();
        report.shown[item] = item < 3 ? language.text(which) : language.caption(which);
    }
    return report;
}

SpeedReport checkSpeed(const QString& folder) {
    const QString path = assets::path(folder, assets::SpeedFile);
    // A file without a first item leaves the game with an empty item, which still reads as 0.
    SpeedReport report = clockFromItem(ItemFile(path).readVariant().value_or(QString()));
    report.file = neededFile(folder, path);
    return report;
}

LevelReport checkLevels(const QString& folder) {
    const QString path = assets::path(folder, assets::LevelFile);
    LevelReport report{neededFile(folder, path), {}};
    LineFile file(path);
    for (auto& line : report.lines)
        line = file.readLine();
    return report;
}

// Animations are read through the image reader as the game's movie player reads them, every
// frame of them, once the loader's budgets have let them through as they let them through for
// the game; only a regular file is opened, since a FIFO would never answer.
NeededFile animationFile(const QString& folder, const QString& path) {
    NeededFile file = neededFile(folder, path);
    if (file.state != FileState::Ok) return file;
    if (const std::optional<QString> refusal = animationRefusal(path)) {
        file.state = FileState::Unreadable;
        file.why = *refusal;
        return file;
    }
    if (!readAnimation(path)) {
        file.state = FileState::Unreadable;
        return file;
    }
    file.why = animationDamage(path);
    if (!file.why.isEmpty()) file.state = FileState::Unreadable;
    return file;
}

// A sound plays when it is a PCM WAV the sound player can take, with its sound data all there.
NeededFile soundFile(const QString& folder, const QString& path) {
    NeededFile file = neededFile(folder, path);
    if (file.state != FileState::Ok) return file;
    QString why;
    if (!readPlayableSound(path, &why)) {
        file.state = FileState::Unreadable;
        file.why = QStringLiteral("not playable: %1").arg(why);
    }
    return file;
}

QList<NeededFile> checkMedia(const QString& folder) {
    QStringList gifs{assets::path(folder, assets::RunnerGif),
                     assets::path(folder, assets::SuccessGif)};
    for (int level = 1; level <= LevelLines; ++level)
        gifs.append(assets::levelGif(folder, level));
    QList<NeededFile> media;
    for (const QString& path : gifs)
        media.append(animationFile(folder, path));
    for (const char16_t* sound : {assets::SuccessSound, assets::ErrorSound, assets::FinalSound})
        media.append(soundFile(folder, assets::path(folder, sound)));
    return media;
}

// "3 of its 5 texts", or "none of its 5 texts", when some are missing from a file that is there.
template <std::size_t Count>
QString shortFile(const NeededFile& file, const std::array<std::optional<QString>, Count>& read,
                  const char* what) {
    const auto found =
        std::count_if(read.begin(), read.end(), [](const auto& item) { return item.has_value(); });
    if (file.state != FileState::Ok || found == qsizetype(Count)) return {};
    const QString has = found == 0 ? QStringLiteral("none") : QStringLiteral("only %1").arg(found);
    return QStringLiteral("%1 has %2 of its %3 %4")
        .arg(escaped(file.relative), has)
        .arg(Count)
        .arg(what);
}

// Damaged pictures, by name: the game may draw them and show a word without its whole picture.
QString damagedPictures(const QList<PictureRow>& pictures) {
    constexpr qsizetype Named = 3;
    QStringList names;
    for (const PictureRow& row : pictures) {
        if (row.damaged) names.append(escaped(row.rawName));
    }
    if (names.isEmpty()) return {};
    const qsizetype count = names.size();
    const QString more =
        count > Named ? QStringLiteral(" and %1 more").arg(count - Named) : QString();
    return QStringLiteral("%1 damaged %2 (%3%4): copy %5 again or remove %5")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("picture") : QStringLiteral("pictures"),
             names.mid(0, Named).join(QStringLiteral(", ")), more,
             count == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}

} // namespace

SpeedReport clockFromItem(const QString& item) {
    SpeedReport report;
    report.item = item;
    const std::optional<qint32> number = leadingNumber(item);
    if (!number || !acceptedInterval(*number)) {
        report.clock = Clock::Refused;
        report.intervalMs = RunnerIntervalMs;
    } else {
        report.clock = *number == 0 ? Clock::NeverRuns : Clock::Runs;
        report.intervalMs = *number;
    }
    return report;
}

namespace {

// What a word without a playable recording gets, by what the switch allows and, where it allows
// the computer's voice, by what that voice answered for the set's language.
QString unrecordedVoice(Speaking speaking, const SpeechAnswer& speech, const QLocale& language) {
    if (speaking != Speaking::On) return QStringLiteral("silent: no recording");
    if (!speech)
        return QStringLiteral("no recording: said by the computer's voice, where it has one");
    switch (speech()) {
    case SpeechSupport::Speaks:
        return QStringLiteral("no recording: said by the computer's voice");
    case SpeechSupport::NoEngine:
        return QStringLiteral(
            "silent: no recording, and no speech engine answers on this computer");
    case SpeechSupport::NoVoice:
        return QStringLiteral("silent: no recording, and the computer's voice speaks no %1")
            .arg(QLocale::languageToString(language.language()));
    case SpeechSupport::NoAnswer:
        break;
    }
    return QStringLiteral("no recording: the computer's voice did not answer in time, so the word "
                          "may be silent");
}

// Each usable picture's recording, as the game looks for it.
VoiceReport checkVoices(const QString& programFolder, const QList<PictureRow>& pictures,
                        const SpeechAnswer& speech) {
    VoiceReport report;
    const Speaking speaking = readSpeaking(assets::path(programFolder, assets::VoiceSwitchFile));
    switch (speaking) {
    case Speaking::On:
        report.switchSetting = QStringLiteral("on");
        break;
    case Speaking::RecordingsOnly:
        report.switchSetting = QStringLiteral("recordings only");
        break;
    case Speaking::Off:
        report.switchSetting = QStringLiteral("off: the game says no words");
        break;
    }
    report.folder = shownPath(programFolder, assets::path(programFolder, assets::VoiceFolder));
    std::optional<QString> unrecorded; // the voice is asked at the first word that needs it
    for (const PictureRow& picture : pictures) {
        if (!picture.usable) continue;
        const QString path = assets::recording(programFolder, picture.file);
        VoiceRow row{picture.rawName, QStringLiteral("recording"), true};
        QString why;
        if (!QFileInfo::exists(path)) {
            if (!unrecorded)
                unrecorded = unrecordedVoice(speaking, speech, voiceLanguage(programFolder));
            row.voice = *unrecorded;
            row.recorded = false;
        } else if (!readPlayableSound(path, &why)) {
            row.voice =
                QStringLiteral("recording not playable: %1 (save it as a WAV file)").arg(why);
            row.recorded = false;
        }
        report.rows.append(row);
    }
    return report;
}

} // namespace

bool voiceMayBeNeeded(const QString& programFolder) {
    if (readSpeaking(assets::path(programFolder, assets::VoiceSwitchFile)) != Speaking::On)
        return false;
    const QDir pictures(assets::path(programFolder, assets::PictureFolder));
    const auto entries = pictures.entryList(QDir::Files);
    return std::any_of(entries.begin(), entries.end(), [&](const QString& file) {
        return !QFileInfo::exists(assets::recording(programFolder, file));
    });
}

FolderReport checkFolder(const QString& programFolder, const SpeechAnswer& speech) {
    // The decoders' complaints are read where they matter and go into the report; any others
    // (and libraries write straight onto stderr) must not bury it.
    const DecoderMessages quiet;
    FolderReport report;
    report.folder = programFolder;
    report.absolute = absoluteBytes(programFolder);
    checkPictures(report);
    report.language = checkLanguage(programFolder);
    report.speed = checkSpeed(programFolder);
    report.levels = checkLevels(programFolder);
    report.media = checkMedia(programFolder);
    report.voices = checkVoices(programFolder, report.pictures, speech);
    return report;
}

QString stateText(FileState state) {
    switch (state) {
    case FileState::Ok:
        return QStringLiteral("ok");
    case FileState::Missing:
        return QStringLiteral("missing");
    case FileState::Unreadable:
        break;
    }
    return QStringLiteral("unreadable");
}

QString fileText(const NeededFile& file) {
    return file.why.isEmpty() ? stateText(file.state) : file.why;
}

QStringList problems(const FolderReport& report) {
    QStringList found;
    if (!report.pictureFolderFound)
        found.append(
            QStringLiteral("the picture folder %1 is missing").arg(escaped(report.pictureFolder)));
    else if (report.usableCount < WordSlots)
        found.append(QStringLiteral("only %1 pictures usable; a round needs %2")
                         .arg(report.usableCount)
                         .arg(WordSlots));
    found.append(damagedPictures(report.pictures));
    QList<NeededFile> needed{report.language.file, report.speed.file, report.levels.file};
    needed.append(report.media);
    for (const NeededFile& file : needed) {
        if (file.state != FileState::Ok)
            found.append(QStringLiteral("%1 is %2").arg(escaped(file.relative), fileText(file)));
    }
    found.append(shortFile(report.language.file, report.language.items, "texts"));
    found.append(shortFile(report.levels.file, report.levels.lines, "level lines"));
    found.removeAll(QString());
    return found;
}

int exitStatus(const FolderReport& report) {
    return problems(report).isEmpty() ? 0 : 1;
}

} // namespace check
