// The report as plain text for a teacher: what the game offers, shows and plays, then the verdict.
#include "folder_check.h"

#include <QHash>
#include <QIODevice>
#include <QTextStream>
#include <algorithm>
#include <utility>

namespace check {

namespace {

// Long names would push every other row out of line; past this width a name simply runs on.
constexpr qsizetype MaxColumn = 36;

// The octal escape of one byte, as `ls -b` writes it: \033.
QString octal(char byte) {
    return QStringLiteral("\\%1").arg(static_cast<unsigned char>(byte), 3, 8, QLatin1Char('0'));
}

// The letter escapes C and `ls -b` share, for the control characters that have one.
const char* letterEscape(char32_t c) {
    static constexpr std::pair<char32_t, const char*> Letters[] = {
        {U'\a', "\\a"}, {U'\b', "\\b"}, {U'\t', "\\t"}, {U'\n', "\\n"},
        {U'\v', "\\v"}, {U'\f', "\\f"}, {U'\r', "\\r"}, {U'\\', "\\\\"}};
    for (const auto& [character, escape] : Letters)
        if (character == c) return escape;
    return nullptr;
}

// Line and paragraph separators count as printable to Qt, yet some terminals end a line there.
bool printsAsItself(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return QChar::isPrint(c) && category != QChar::Separator_Line &&
           category != QChar::Separator_Paragraph;
}

// The character that a valid UTF-8 sequence at the start of bytes encodes, and the sequence's
// length; length 0 when the first byte starts none (a stray byte, an overlong form, a surrogate).
struct Utf8Char {
    char32_t c = 0;
    qsizetype length = 0;
};

Utf8Char firstChar(QByteArrayView bytes) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    qsizetype length = 0;
    char32_t c = 0, smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() < length) return {};
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {};
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
    return {c, length};
}

template <typename Row, typename Field>
qsizetype columnWidth(const QList<Row>& rows, const QString& heading, Field field) {
    qsizetype width = heading.size();
    for (const Row& row : rows)
        width = std::max(width, std::min(field(row).size(), MaxColumn));
    return width;
}

// Columns padded to their widths, the last one running on; no blanks at the end of the line.
QString tableLine(const QStringList& cells, const QList<qsizetype>& widths) {
    QString text = QStringLiteral(" ");
    for (qsizetype i = 0; i < cells.size(); ++i)
        text += u' ' + (i + 1 < cells.size() ? cells[i].leftJustified(widths[i]) : cells[i]) + u' ';
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// One folder's pictures as a table, and what the game leaves out of that folder.
void writePictureTable(QTextStream& out, const FolderReport& report, const QList<PictureRow>& rows,
                       const QList<IgnoredEntry>& ignored) {
    const ReportTexts& say = report.say;
    // A usable picture's voice sits on its own line, found by the name the listing gave.
    QHash<QByteArray, const VoiceRow*> voices;
    for (const VoiceRow& row : report.voices.rows)
        voices.insert(row.rawName, &row);
    const bool withVoice = !report.picturesOnly;
    const auto voiceOf = [&](const PictureRow& row) {
        const VoiceRow* voice = row.usable ? voices.value(row.rawName) : nullptr;
        return voice ? voice->voice : QStringLiteral("-");
    };
    const auto noteOf = [&](const PictureRow& row) {
        if (!row.usable) return row.why;
        const VoiceRow* voice = voices.value(row.rawName);
        QStringList notes{row.note, voice ? voice->note : QString()};
        notes.removeAll(QString());
        return notes.join(QStringLiteral("; "));
    };
    QStringList heading{say(Say::FileColumn), say(Say::WordColumn), say(Say::UsableColumn)};
    if (withVoice) heading.append(say(Say::VoiceColumn));
    heading.append(say(Say::NoteColumn));
    // The word is the name in capitals, so it holds whatever the name holds.
    QList<qsizetype> widths{
        columnWidth(rows, heading[0], [](const PictureRow& r) { return escaped(r.rawName); }),
        columnWidth(rows, heading[1], [](const PictureRow& r) { return escaped(r.word); }),
        std::max(heading[2].size(), std::max(say(Say::Yes).size(), say(Say::No).size()))};
    if (withVoice) widths.append(columnWidth(rows, heading[3], voiceOf));
    out << tableLine(heading, widths) << '\n';
    for (const PictureRow& row : rows) {
        QStringList cells{escaped(row.rawName), escaped(row.word),
                          row.usable ? say(Say::Yes) : say(Say::No)};
        if (withVoice) cells.append(voiceOf(row));
        cells.append(noteOf(row));
        out << tableLine(cells, widths) << '\n';
    }
    if (!ignored.isEmpty()) {
        QStringList entries;
        for (const IgnoredEntry& entry : ignored)
            entries.append(QStringLiteral("%1 (%2)").arg(escaped(entry.name), entry.kind));
        out << say(Say::IgnoredByGame).arg(entries.join(QStringLiteral(", "))) << '\n';
    }
    out << '\n';
}

QList<PictureRow> rowsOf(const FolderReport& report, bool own) {
    QList<PictureRow> rows;
    for (const PictureRow& row : report.pictures)
        if (row.own == own) rows.append(row);
    return rows;
}

// The user's own pictures first, under a heading of their own, as a round draws them first; a
// user who has none yet is told where they go, and nothing more.
void writePictures(QTextStream& out, const FolderReport& report) {
    const ReportTexts& say = report.say;
    const OwnPictures& own = report.own;
    if (own.layer) {
        const QList<PictureRow> rows = rowsOf(report, true);
        if (own.found) {
            out << say(Say::OwnPicturesIn).arg(escaped(own.folder)).arg(rows.size()) << '\n';
            writePictureTable(out, report, rows, own.ignored);
        } else {
            out << say(Say::NoOwnPictures).arg(escaped(own.folder)) << "\n\n";
        }
        if (own.onlyMine) {
            out << say(Say::OnlyOwnPlayed).arg(escaped(report.settings.name)) << "\n\n";
            return;
        }
    }
    const QString folder = escaped(report.pictureFolder);
    if (!report.pictureFolderFound) {
        out << say(Say::PictureFolderMissingLine).arg(folder) << "\n\n";
        return;
    }
    const QList<PictureRow> rows = rowsOf(report, false);
    out << say(own.found ? Say::SetPicturesIn : Say::PicturesIn).arg(folder).arg(rows.size())
        << '\n';
    writePictureTable(out, report, rows, report.ignored);
}

// Each theme with what a round of it can draw, the folders too deep to be read, and the theme
// tolvano.conf starts with; a folder without themes and without a chosen one takes one line.
void writeThemes(QTextStream& out, const FolderReport& report) {
    const ReportTexts& say = report.say;
    const ThemesReport& themes = report.themes;
    if (themes.themes.isEmpty())
        out << say(Say::ThemesNone) << '\n';
    else
        out << say(Say::ThemesIn).arg(themes.themes.size()) << '\n';
    const auto count = [&](const ThemeRow& theme) {
        return say(Say::ThemeUsable).arg(theme.usable);
    };
    const QList<qsizetype> widths{
        columnWidth(themes.themes, {}, [](const ThemeRow& theme) { return escaped(theme.name); }),
        columnWidth(themes.themes, {}, count)};
    for (const ThemeRow& theme : themes.themes) {
        QStringList cells{escaped(theme.name), count(theme)};
        if (theme.isShort) cells.append(say(Say::ThemeShort));
        out << tableLine(cells, widths) << '\n';
    }
    if (!themes.tooDeep.isEmpty()) {
        QStringList folders;
        for (const TooDeepFolder& folder : themes.tooDeep)
            folders.append(escaped(folder.shown));
        out << say(Say::TooDeepLine).arg(folders.join(QStringLiteral(", "))) << '\n';
    }
    if (!themes.chosen.isEmpty())
        out << say(themes.chosenFound ? Say::ChosenTheme : Say::ChosenThemeMissing)
                   .arg(escaped(report.settings.name), escaped(themes.chosen))
            << '\n';
    out << '\n';
}

void writeLanguage(QTextStream& out, const LanguageReport& language, const ReportTexts& say) {
    static constexpr Say Meanings[LanguageItems] = {
        Say::ScoreWord, Say::PlayButton, Say::ExitButton, Say::WordListButton, Say::HintsCaption};
    qsizetype width = 0;
    for (const Say meaning : Meanings)
        width = std::max(width, say(meaning).size());
    out << "  " << escaped(language.file.relative) << ": " << fileText(language.file, say) << '\n';
    for (int item = 1; item <= LanguageItems; ++item) {
        const std::optional<QString>& text = language.items[item - 1];
        out << "    " << item << ' ' << say(Meanings[item - 1]).leftJustified(width + 1)
            << (text ? quoted(*text) : say(Say::ItemMissing).arg(quoted(language.shown[item - 1])))
            << '\n';
    }
}

void writeSpeed(QTextStream& out, const SpeedReport& speed, const ReportTexts& say) {
    out << "  " << escaped(speed.file.relative) << ": " << fileText(speed.file, say) << '\n';
    // The user's own speed is what the clock follows: the file's item is not read.
    if (const std::optional<int> seconds = speed.settingsSeconds) {
        const QString source = escaped(speed.settingsName);
        out << "    "
            << (*seconds == 0 ? say(Say::NoClockFromSettings).arg(source)
                              : say(Say::SecondsFromSettings).arg(*seconds).arg(source))
            << '\n';
        return;
    }
    out << "    "
        << (speed.item.isEmpty() ? say(Say::NoFirstItem)
                                 : say(Say::FirstItem).arg(quoted(speed.item)))
        << ": ";
    switch (speed.clock) {
    case Clock::Runs:
        out << say(Say::MsAStep).arg(speed.intervalMs) << '\n';
        break;
    case Clock::NeverRuns:
        out << say(Say::NeverRuns) << '\n';
        break;
    case Clock::Refused:
        out << say(Say::Refused).arg(speed.intervalMs) << '\n';
        break;
    }
}

void writeLevels(QTextStream& out, const LevelReport& levels, const ReportTexts& say) {
    out << "  " << escaped(levels.file.relative) << ": " << fileText(levels.file, say) << '\n';
    const auto found = std::count_if(levels.lines.begin(), levels.lines.end(),
                                     [](const auto& line) { return line.has_value(); });
    for (int level = 1; level <= LevelLines; ++level) {
        const std::optional<QString>& line = levels.lines[level - 1];
        out << "    " << say(Say::Level).arg(level) << "  ";
        if (line)
            out << quoted(*line) << '\n';
        else if (found > 0)
            out << say(Say::LevelShowsLine).arg(found) << '\n';
        else
            out << say(Say::LevelShowsNothing) << '\n';
    }
}

void writeMedia(QTextStream& out, const QList<NeededFile>& media, const ReportTexts& say) {
    out << say(Say::Media) << '\n';
    const qsizetype width =
        columnWidth(media, {}, [](const NeededFile& f) { return escaped(f.relative); });
    for (const NeededFile& file : media)
        out << "  " << escaped(file.relative).leftJustified(width) << "  " << fileText(file, say)
            << '\n';
    out << '\n';
}

void writeVoices(QTextStream& out, const VoiceReport& voices, const ReportTexts& say) {
    const auto recorded = std::count_if(voices.rows.begin(), voices.rows.end(),
                                        [](const VoiceRow& row) { return row.recorded; });
    out << say(Say::VoiceLine)
               .arg(escaped(voices.folder), escaped(voices.switchSource), voices.switchSetting)
               .arg(recorded)
               .arg(voices.rows.size())
        << '\n';
    if (!voices.ownFolder.isEmpty())
        out << say(Say::OwnRecordingsIn).arg(escaped(voices.ownFolder)) << '\n';
    if (!voices.unrecordedNote.isEmpty()) out << "  " << voices.unrecordedNote << '\n';
    out << '\n';
}

// What the game makes of each setting of the user's own file, and of what it could not follow.
void writeSettings(QTextStream& out, const FolderReport& report) {
    const ReportTexts& say = report.say;
    const SettingsReport& settings = report.settings;
    if (settings.file.isEmpty()) return;
    if (!settings.read.exists) {
        out << say(Say::SettingsNone).arg(escaped(settings.file)) << "\n\n";
        return;
    }
    out << say(Say::SettingsIn).arg(escaped(settings.file)) << '\n';
    const UserSettings& read = settings.read;
    const auto line = [&](const QString& key, const QString& value, const QString& means) {
        out << say(Say::SettingLine).arg(key, escaped(value), means) << '\n';
    };
    const QString playing =
        settings.playingSet.isEmpty() ? say(Say::FoldersOwnSet) : quoted(settings.playingSet);
    if (read.language)
        line(QStringLiteral("language"), *read.language,
             say(report.choices.userChoiceFollowed ? Say::MeansSet : Say::MeansNoSuchSet)
                 .arg(playing));
    if (read.voice) {
        const Say means = *read.voice == Speaking::Off              ? Say::MeansVoiceOff
                          : *read.voice == Speaking::RecordingsOnly ? Say::MeansVoiceRecordings
                                                                    : Say::MeansVoiceOn;
        line(QStringLiteral("voice"), voiceValue(*read.voice), say(means));
    }
    if (read.lowerCase)
        line(QStringLiteral("lowercase"),
             *read.lowerCase ? QStringLiteral("true") : QStringLiteral("false"),
             say(*read.lowerCase ? Say::MeansLowerCase : Say::MeansCapitals));
    if (const std::optional<int> seconds = read.secondsPerWord)
        line(QStringLiteral("secondsPerWord"), QString::number(*seconds),
             *seconds == 0 ? say(Say::MeansNoClock) : say(Say::MeansSeconds).arg(*seconds));
    if (read.onlyMine)
        line(QStringLiteral("pictures"),
             *read.onlyMine ? QStringLiteral("mine") : QStringLiteral("all"),
             say(*read.onlyMine ? Say::MeansOnlyMine : Say::MeansAllPictures));
    if (read.theme)
        line(QStringLiteral("theme"), *read.theme,
             read.theme->isEmpty()       ? say(Say::AllPictures)
             : report.themes.chosenFound ? say(Say::MeansTheme)
                                         : say(Say::MeansNoSuchTheme));
    if (read.themeRowShown)
        line(QStringLiteral("themes"),
             *read.themeRowShown ? QStringLiteral("shown") : QStringLiteral("hidden"),
             say(*read.themeRowShown ? Say::ThemeRowShown : Say::MeansThemeRowHidden));
    if (read.letters)
        line(QStringLiteral("letters"), letterStyleValue(*read.letters),
             say(*read.letters == LetterStyle::Plain ? Say::MeansPlainLetters
                                                     : Say::MeansWrittenLetters));
    for (const SettingsProblem& problem : read.problems) {
        switch (problem.kind) {
        case SettingsProblem::Kind::Unreadable:
            out << say(Say::SettingUnreadableLine) << '\n';
            break;
        case SettingsProblem::Kind::UnknownKey:
            out << say(Say::SettingUnknownLine).arg(settingKey(problem.key)) << '\n';
            break;
        case SettingsProblem::Kind::BadValue:
            line(settingKey(problem.key), problem.value, say(Say::MeansNotUnderstood));
            break;
        }
    }
    out << '\n';
}

QString verdict(const FolderReport& report, qsizetype toDo, qsizetype toLookAt) {
    const ReportTexts& say = report.say;
    if (toDo > 0) return toDo == 1 ? say(Say::NotReadyOne) : say(Say::NotReady).arg(toDo);
    if (toLookAt > 0)
        return toLookAt == 1 ? say(Say::ReadyButOne) : say(Say::ReadyBut).arg(toLookAt);
    return say(Say::Ready);
}

} // namespace

QString escaped(const QByteArray& name) {
    QByteArrayView bytes = name;
    QString shown;
    while (!bytes.isEmpty()) {
        const Utf8Char next = firstChar(bytes);
        if (next.length == 0) {
            shown += octal(bytes.front());
            bytes = bytes.sliced(1);
            continue;
        }
        if (const char* letter = letterEscape(next.c)) {
            shown += QLatin1String(letter);
        } else if (printsAsItself(next.c)) {
            shown += QString::fromUcs4(&next.c, 1);
        } else {
            for (const char byte : bytes.first(next.length))
                shown += octal(byte);
        }
        bytes = bytes.sliced(next.length);
    }
    return shown;
}

QString escaped(const QString& text) {
    return escaped(text.toUtf8());
}

QString quoted(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return u'"' + escaped(text) + u'"';
}

QString formatSummary(const FolderReport& report) {
    const ReportTexts& say = report.say;
    const QStringList toDo = problems(report);
    const QStringList toLookAt = warnings(report);
    QStringList lines{say(report.picturesOnly ? Say::CheckingPictures : Say::Checking)
                          .arg(escaped(report.absolute)),
                      verdict(report, toDo.size(), toLookAt.size())};
    const auto own = std::count_if(report.pictures.begin(), report.pictures.end(),
                                   [](const PictureRow& row) { return row.own && row.usable; });
    if (own > 0)
        lines.append(
            say(Say::PlayableWithOwn).arg(report.usableCount).arg(report.pictures.size()).arg(own));
    else if (report.pictureFolderFound || report.own.found)
        lines.append(say(Say::Playable).arg(report.usableCount).arg(report.pictures.size()));
    // Each list under its heading. Where not all fit, the last line tells how many more there are,
    // and a heading comes only with at least one of its lines.
    const qsizetype headings = (toDo.isEmpty() ? 0 : 1) + (toLookAt.isEmpty() ? 0 : 1);
    const qsizetype total = toDo.size() + toLookAt.size();
    const bool allFit = lines.size() + headings + total <= MaxSummaryLines;
    qsizetype room = MaxSummaryLines - lines.size() - (allFit ? 0 : 1);
    qsizetype shown = 0;
    for (const auto& [heading, items] : {std::pair{Say::ToDo, &toDo}, {Say::ToLookAt, &toLookAt}}) {
        if (items->isEmpty() || room < 2) continue;
        lines.append(say(heading));
        --room;
        for (qsizetype i = 0; i < items->size() && room > 0; ++i, --room, ++shown)
            lines.append(QStringLiteral("  - ") + items->at(i));
    }
    if (shown < total) lines.append(QStringLiteral("  ") + say(Say::AndMore).arg(total - shown));
    return lines.join(u'\n') + u'\n';
}

QString formatReport(const FolderReport& report) {
    const ReportTexts& say = report.say;
    QString text = formatSummary(report);
    QTextStream out(&text, QIODevice::Append);
    out << '\n' << say(Say::InDetail) << "\n\n";
    if (!report.picturesOnly) writeSettings(out, report);
    writePictures(out, report);
    writeThemes(out, report);
    if (!report.picturesOnly) {
        out << say(Say::Texts) << '\n';
        const ChoicesReport& choices = report.choices;
        if (choices.userChoiceFollowed)
            out << say(Say::SetLineFromSettings)
                       .arg(quoted(choices.playingSet), escaped(choices.settingsName),
                            choices.languageCode)
                << '\n';
        else if (!choices.playingSet.isEmpty())
            out << say(Say::SetLine).arg(quoted(choices.playingSet), choices.languageCode) << '\n';
        writeLanguage(out, report.language, say);
        writeSpeed(out, report.speed, say);
        writeLevels(out, report.levels, say);
        out << '\n';
        writeMedia(out, report.media, say);
        writeVoices(out, report.voices, say);
    }
    out << verdict(report, problems(report).size(), warnings(report).size()) << '\n';
    out.flush();
    return text;
}

} // namespace check
