// Gathers the report: the picture folder through the game's listing and rules, then the files.
#include "folder_check.h"

#include "asset_paths.h"
#include "board.h"
#include "game_timer.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <filesystem>

namespace check {

namespace {

// The runner clock's interval before the speed file is read; the game keeps it when the file's
// number is refused.
constexpr int RunnerIntervalMs = 300;

// A decoding size far below any picture's shown size: enough to see whether the data reads to the
// end, and cheap even for a large photo.
const QSize ProbeSize(64, 64);

FileState stateOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return FileState::Missing;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return FileState::Unreadable;
    return FileState::Ok;
}

NeededFile neededFile(const QString& folder, const QString& path) {
    return {QDir(folder).relativeFilePath(path), stateOf(path)};
}

// Why a name gives no word the board can hold.
QString wordProblem(const std::optional<QString>& word) {
    if (!word || word->isEmpty()) return QStringLiteral("name too short");
    return QStringLiteral("word too long (%1 letters)").arg(wordLetters(*word).size());
}

// Why the game's picture test refused a file. The loader only says no, so the header is read
// again here to tell a picture too large to decode from a file that is no picture at all.
QString pictureProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.isReadable()) return QStringLiteral("cannot be opened");
    if (info.size() == 0) return QStringLiteral("not a picture (empty file)");
    const QSize size = QImageReader(path).size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        return QStringLiteral("too large (%1 x %2)").arg(size.width()).arg(size.height());
    return QStringLiteral("not a picture");
}

PictureRow pictureRow(DiskPictureFolder& folder, const QString& name) {
    PictureRow row{name, {}, false, {}, {}};
    const std::optional<QString> word = pictureWord(name);
    row.word = word.value_or(QString());
    if (!givesPlaceableWord(name)) {
        row.why = wordProblem(word);
    } else if (!folder.isPicture(name)) {
        row.why = pictureProblem(folder.pathOf(name));
    } else {
        row.usable = true;
        // The game draws by the header alone and finds a damaged file only when it shows it.
        if (loadPicture(folder.pathOf(name), ProbeSize).isNull())
            row.note = QStringLiteral("damaged: its word is offered but the picture does not show");
    }
    return row;
}

QString ignoredKind(const QFileInfo& info) {
    if (info.isSymLink() && !info.exists()) return QStringLiteral("broken link");
    if (info.isDir()) return QStringLiteral("folder");
    if (info.isHidden()) return QStringLiteral("hidden file");
    return QStringLiteral("not a regular file");
}

// Names copied from old disks may not be UTF-8. Qt cannot name such a file, so it drops out of
// every listing, the game's included; only the raw directory shows it. It is reported by its
// name's readable part.
QStringList namesNotUtf8(const QString& path) {
    QStringList names;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(QFile::encodeName(path).toStdString(), error)) {
        const std::string raw = entry.path().filename().native();
        const QByteArray bytes(raw.data(), static_cast<qsizetype>(raw.size()));
        if (QString::fromUtf8(bytes).toUtf8() != bytes) names.append(QString::fromUtf8(bytes));
    }
    return names;
}

// Everything in the folder that the game's listing does not hold.
QList<IgnoredEntry> ignoredEntries(const QString& path, const QStringList& listed) {
    const QSet<QString> seen(listed.begin(), listed.end());
    const QDir dir(path);
    QStringList all = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    sortListing(all);
    QList<IgnoredEntry> ignored;
    for (const QString& name : all) {
        if (!seen.contains(name))
            ignored.append({name, ignoredKind(QFileInfo(dir.filePath(name)))});
    }
    for (const QString& name : namesNotUtf8(path))
        ignored.append({name, QStringLiteral("name not UTF-8")});
    return ignored;
}

void checkPictures(FolderReport& report) {
    const QString path = assets::path(report.folder, assets::PictureFolder);
    report.pictureFolder = QDir(report.folder).relativeFilePath(path);
    report.pictureFolderFound = QFileInfo(path).isDir();
    if (!report.pictureFolderFound) return;
    DiskPictureFolder folder(path, &canShowPicture);
    const QStringList listed = folder.listing();
    // Two files with one word may both be drawn in a round: the child would look for it twice.
    QHash<QString, QString> firstWithWord;
    for (const QString& name : listed) {
        PictureRow row = pictureRow(folder, name);
        if (row.usable) {
            ++report.usableCount;
            const auto first = firstWithWord.constFind(row.word);
            if (first == firstWithWord.cend())
                firstWithWord.insert(row.word, name);
            else if (row.note.isEmpty())
                row.note = QStringLiteral("same word as %1").arg(*first);
        }
        report.pictures.append(row);
    }
    report.ignored = ignoredEntries(path, listed);
}

LanguageReport checkLanguage(const QString& folder) {
    const QString path = assets::path(folder, assets::LanguageFile);
    LanguageReport report{neededFile(folder, path), {}};
    // The score word and the menu's buttons take items as they stand, the game screen's buttons
    // take them as captions (007 shows 7); one reader delivers both, item by item.
    ItemFile file(path);
    for (int item = 0; item < LanguageItems; ++item)
        report.items[item] = item < 3 ? file.readText() : file.readVariant();
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

// Animations are read through the image reader as the game's movie player reads them; a sound
// needs the RIFF/WAVE header that the sound player expects.
FileState gifState(const QString& path) {
    const FileState state = stateOf(path);
    if (state != FileState::Ok) return state;
    return QImageReader(path).canRead() ? FileState::Ok : FileState::Unreadable;
}

FileState wavState(const QString& path) {
    const FileState state = stateOf(path);
    if (state != FileState::Ok) return state;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return FileState::Unreadable;
    const QByteArray header = file.read(12);
    const bool wave = header.size() == 12 && header.startsWith("RIFF") && header.endsWith("WAVE");
    return wave ? FileState::Ok : FileState::Unreadable;
}

QList<NeededFile> checkMedia(const QString& folder) {
    QStringList gifs{assets::path(folder, assets::RunnerGif),
                     assets::path(folder, assets::SuccessGif)};
    for (int level = 1; level <= LevelLines; ++level)
        gifs.append(assets::levelGif(folder, level));
    QList<NeededFile> media;
    for (const QString& path : gifs)
        media.append({QDir(folder).relativeFilePath(path), gifState(path)});
    for (const char16_t* sound : {assets::SuccessSound, assets::ErrorSound, assets::FinalSound}) {
        const QString path = assets::path(folder, sound);
        media.append({QDir(folder).relativeFilePath(path), wavState(path)});
    }
    return media;
}

} // namespace

SpeedReport clockFromItem(const QString& item) {
    SpeedReport report;
    report.item = item;
    const std::optional<qint32> number = leadingNumber(item);
    if (!number || *number < 0 || *number > GameTimer::MaxInterval) {
        report.clock = Clock::Refused;
        report.intervalMs = RunnerIntervalMs;
    } else {
        report.clock = *number == 0 ? Clock::NeverRuns : Clock::Runs;
        report.intervalMs = *number;
    }
    return report;
}

FolderReport checkFolder(const QString& programFolder) {
    FolderReport report;
    report.folder = programFolder;
    checkPictures(report);
    report.language = checkLanguage(programFolder);
    report.speed = checkSpeed(programFolder);
    report.levels = checkLevels(programFolder);
    report.media = checkMedia(programFolder);
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

QStringList problems(const FolderReport& report) {
    QStringList found;
    if (!report.pictureFolderFound)
        found.append(QStringLiteral("the picture folder %1 is missing").arg(report.pictureFolder));
    else if (report.usableCount < WordSlots)
        found.append(QStringLiteral("only %1 pictures usable; a round needs %2")
                         .arg(report.usableCount)
                         .arg(WordSlots));
    QList<NeededFile> needed{report.language.file, report.speed.file, report.levels.file};
    needed.append(report.media);
    for (const NeededFile& file : needed) {
        if (file.state != FileState::Ok)
            found.append(QStringLiteral("%1 is %2").arg(file.relative, stateText(file.state)));
    }
    return found;
}

int exitStatus(const FolderReport& report) {
    return problems(report).isEmpty() ? 0 : 1;
}

} // namespace check
