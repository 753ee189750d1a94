// The report as plain text for a teacher: what the game offers, shows and plays, then the verdict.
#include "folder_check.h"

#include <QTextStream>
#include <algorithm>

namespace check {

namespace {

// Long names would push every other row out of line; past this width a name simply runs on.
constexpr qsizetype MaxColumn = 36;

const std::array<const char*, LanguageItems> ItemMeanings = {
    "score word", "play button", "exit button", "word-list button", "hints caption"};

// A text as it stands, in quotes; a line end kept inside quotes would break the table.
QString quoted(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\n"));
    text.replace(u'\n', QStringLiteral("\\n"));
    return u'"' + text + u'"';
}

template <typename Row, typename Field>
qsizetype columnWidth(const QList<Row>& rows, const QString& heading, Field field) {
    qsizetype width = heading.size();
    for (const Row& row : rows)
        width = std::max(width, std::min(field(row).size(), MaxColumn));
    return width;
}

void writePictures(QTextStream& out, const FolderReport& report) {
    if (!report.pictureFolderFound) {
        out << "Pictures: the folder " << report.pictureFolder << " is missing\n\n";
        return;
    }
    out << "Pictures in " << report.pictureFolder << " (" << report.pictures.size() << " files)\n";
    const QString file = QStringLiteral("File"), word = QStringLiteral("Word");
    const QString usable = QStringLiteral("Usable");
    const qsizetype fileWidth =
        columnWidth(report.pictures, file, [](const PictureRow& r) { return r.file; });
    const qsizetype wordWidth =
        columnWidth(report.pictures, word, [](const PictureRow& r) { return r.word; });
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
        line(row.file, row.word, row.usable ? QStringLiteral("yes") : QStringLiteral("no"),
             row.usable ? row.note : row.why);
    }
    if (!report.ignored.isEmpty()) {
        QStringList entries;
        for (const IgnoredEntry& entry : report.ignored)
            entries.append(QStringLiteral("%1 (%2)").arg(entry.name, entry.kind));
        out << "Ignored by the game: " << entries.join(QStringLiteral(", ")) << '\n';
    }
    out << '\n' << report.usableCount << " pictures usable\n\n";
}

void writeLanguage(QTextStream& out, const LanguageReport& language) {
    out << "  " << QStringView(language.file.relative) << ": " << stateText(language.file.state)
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
    out << "  " << speed.file.relative << ": " << stateText(speed.file.state) << '\n' << "    ";
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
    out << "  " << levels.file.relative << ": " << stateText(levels.file.state) << '\n';
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
    const qsizetype width = columnWidth(media, {}, [](const NeededFile& f) { return f.relative; });
    for (const NeededFile& file : media)
        out << "  " << file.relative.leftJustified(width) << "  " << fileText(file) << '\n';
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

QString formatReport(const FolderReport& report) {
    QString text;
    QTextStream out(&text);
    out << "Checking " << report.folder << "\n\n";
    writePictures(out, report);
    out << "Texts\n";
    writeLanguage(out, report.language);
    writeSpeed(out, report.speed);
    writeLevels(out, report.levels);
    out << '\n';
    writeMedia(out, report.media);
    writeVerdict(out, report);
    out.flush();
    return text;
}

} // namespace check
