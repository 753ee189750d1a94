// The report as plain text for a teacher: what the game offers, shows and plays, then the verdict.
#include "folder_check.h"

#include <QTextStream>
#include <algorithm>
#include <utility>

namespace check {

namespace {

// Long names would push every other row out of line; past this width a name simply runs on.
constexpr qsizetype MaxColumn = 36;

const std::array<const char*, LanguageItems> ItemMeanings = {
    "score word", "play button", "exit button", "word-list button", "hints caption"};

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

// A text in quotes, escaped like a name: a line end in it would break the table, and an escape
// sequence would reach the terminal.
QString quoted(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return u'"' + escaped(text) + u'"';
}

template <typename Row, typename Field>
qsizetype columnWidth(const QList<Row>& rows, const QString& heading, Field field) {
    qsizetype width = heading.size();
    for (const Row& row : rows)
        width = std::max(width, std::min(field(row).size(), MaxColumn));
    return width;
}

void writePictures(QTextStream& out, const FolderReport& report) {
    const QString folder = escaped(report.pictureFolder);
    if (!report.pictureFolderFound) {
        out << "Pictures: the folder " << folder << " is missing\n\n";
        return;
    }
    out << "Pictures in " << folder << " (" << report.pictures.size() << " files)\n";
    const QString file = QStringLiteral("File"), word = QStringLiteral("Word");
    const QString usable = QStringLiteral("Usable");
    // The word is the name in capitals, so it holds whatever the name holds.
    const qsizetype fileWidth =
        columnWidth(report.pictures, file, [](const PictureRow& r) { return escaped(r.rawName); });
    const qsizetype wordWidth =
        columnWidth(report.pictures, word, [](const PictureRow& r) { return escaped(r.word); });
    const auto line = [&](const QString& a, const QString& b, const QString& c, const QString& d) {
        QString text = QStringLiteral("  %1  %2  %3  %4")
                           .arg(a.leftJustified(fileWidth), b.leftJustified(wordWidth),
                                c.leftJustified(usable.size()), d);
        while (text.endsWith(u' '))
            text.chop(1);
        out << text << '\n';
    };
    line(file, word, usable, QStringLiteral("Why not / note"));
    for (const PictureRow& row : report.pictures) {
        line(escaped(row.rawName), escaped(row.word),
             row.usable ? QStringLiteral("yes") : QStringLiteral("no"),
             row.usable ? row.note : row.why);
    }
    if (!report.ignored.isEmpty()) {
        QStringList entries;
        for (const IgnoredEntry& entry : report.ignored)
            entries.append(QStringLiteral("%1 (%2)").arg(escaped(entry.name), entry.kind));
        out << "Ignored by the game: " << entries.join(QStringLiteral(", ")) << '\n';
    }
    out << '\n' << report.usableCount << " pictures usable\n\n";
}

void writeLanguage(QTextStream& out, const LanguageReport& language) {
    out << "  " << escaped(language.file.relative) << ": " << stateText(language.file.state)
        << '\n';
    for (int item = 1; item <= LanguageItems; ++item) {
        const std::optional<QString>& text = language.items[item - 1];
        out << "    " << item << ' '
            << QString::fromLatin1(ItemMeanings[item - 1]).leftJustified(18)
            << (text ? quoted(*text)
                     : QStringLiteral("missing: the game shows its own text ") +
                           quoted(language.shown[item - 1]))
            << '\n';
    }
}

void writeSpeed(QTextStream& out, const SpeedReport& speed) {
    out << "  " << escaped(speed.file.relative) << ": " << stateText(speed.file.state) << '\n'
        << "    ";
    if (speed.item.isEmpty())
        out << "no first item, read as 0";
    else
        out << "first item " << quoted(speed.item);
    switch (speed.clock) {
    case Clock::Runs:
        out << ": " << speed.intervalMs << " ms a step\n";
        break;
    case Clock::NeverRuns:
        out << ": the clock never runs\n";
        break;
    case Clock::Refused:
        out << ": refused, " << speed.intervalMs << " ms used\n";
        break;
    }
}

void writeLevels(QTextStream& out, const LevelReport& levels) {
    out << "  " << escaped(levels.file.relative) << ": " << stateText(levels.file.state) << '\n';
    const auto found = std::count_if(levels.lines.begin(), levels.lines.end(),
                                     [](const auto& line) { return line.has_value(); });
    for (int level = 1; level <= LevelLines; ++level) {
        const std::optional<QString>& line = levels.lines[level - 1];
        out << "    level " << level << "  ";
        if (line)
            out << quoted(*line) << '\n';
        else if (found > 0)
            out << "missing: line " << found << " is shown instead\n";
        else
            out << "missing: no description is shown\n";
    }
}

void writeMedia(QTextStream& out, const QList<NeededFile>& media) {
    out << "Animations and sounds\n";
    const qsizetype width =
        columnWidth(media, {}, [](const NeededFile& f) { return escaped(f.relative); });
    for (const NeededFile& file : media)
        out << "  " << escaped(file.relative).leftJustified(width) << "  " << fileText(file)
            << '\n';
}

void writeVerdict(QTextStream& out, const FolderReport& report) {
    const QStringList found = problems(report);
    if (found.isEmpty()) {
        out << "\nReady to play.\n";
        return;
    }
    out << "\nNot ready to play:\n";
    for (const QString& problem : found)
        out << "  - " << problem << '\n';
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

void writeVoices(QTextStream& out, const VoiceReport& voices) {
    qsizetype recorded = 0;
    qsizetype width = 0;
    for (const VoiceRow& row : voices.rows) {
        recorded += row.recorded ? 1 : 0;
        width = std::max(width, escaped(row.rawName).size());
    }
    out << "Voices (" << escaped(voices.folder) << "; voz.txt: " << voices.switchSetting << ")\n";
    for (const VoiceRow& row : voices.rows)
        out << "  " << escaped(row.rawName).leftJustified(width) << "  " << row.voice << '\n';
    out << "  " << recorded << " of " << voices.rows.size()
        << " usable pictures have a recording\n\n";
}

QString formatReport(const FolderReport& report) {
    QString text;
    QTextStream out(&text);
    out << "Checking " << escaped(report.absolute) << "\n\n";
    writePictures(out, report);
    out << "Texts\n";
    writeLanguage(out, report.language);
    writeSpeed(out, report.speed);
    writeLevels(out, report.levels);
    out << '\n';
    writeMedia(out, report.media);
    writeVoices(out, report.voices);
    writeVerdict(out, report);
    out.flush();
    return text;
}

} // namespace check
