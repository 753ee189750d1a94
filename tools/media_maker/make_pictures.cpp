// Renders the picture pool: one Noto Color Emoji glyph per row of pictures.tsv, centred on a
// transparent 256 x 256 square and saved as <word>.png, for the Spanish and the English folder.
//
// Usage: make_pictures TABLE SPANISH_DIR ENGLISH_DIR
// The table has three tab-separated columns: emoji, Spanish word, English word; lines starting
// with '#' are comments. A row whose emoji the font cannot draw, or whose word breaks the
// naming rules (2 to 12 letters, lower case, no blanks, unique), stops the run with a message.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

constexpr int kSide = 256;       // the square every picture is drawn on
constexpr int kFit = 224;        // the largest side of the drawn object, leaving a margin
constexpr int kNativeSize = 109; // pixel size at which the font's 136 px bitmaps are used unscaled

struct Row {
    QString emoji;
    QString spanish;
    QString english;
    int line = 0;
};

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "make_pictures: %s\n", qPrintable(message));
    std::exit(1);
}

// A word the game can use: 2 to 12 letters, all lower-case letters (accents, ü and ñ allowed).
bool isGoodWord(const QString& word) {
    if (word.size() < 2 || word.size() > 12) return false;
    for (QChar c : word)
        if (!c.isLetter() || !c.isLower()) return false;
    return true;
}

std::vector<Row> readTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) fail("cannot open " + path);
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    std::vector<Row> rows;
    QSet<QString> seenSpanish, seenEnglish;
    int line = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++line;
        if (text.trimmed().isEmpty() || text.startsWith('#')) continue;
        const QStringList cols = text.split('\t');
        if (cols.size() != 3) fail(QString("line %1: expected 3 tab-separated columns").arg(line));
        Row row{cols[0].trimmed(), cols[1].trimmed(), cols[2].trimmed(), line};
        for (const QString& w : {row.spanish, row.english})
            if (!isGoodWord(w)) fail(QString("line %1: bad word '%2'").arg(line).arg(w));
        if (seenSpanish.contains(row.spanish) || seenEnglish.contains(row.english))
            fail(QString("line %1: word used twice").arg(line));
        seenSpanish.insert(row.spanish);
        seenEnglish.insert(row.english);
        rows.push_back(row);
    }
    return rows;
}

// The smallest rectangle holding every pixel that is not fully transparent.
std::optional<QRect> inkBox(const QImage& img) {
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) return std::nullopt;
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// Number of different colours among the drawn pixels: a missing glyph falls back to a
// one-colour outline font or a hollow box, while a colour emoji has many shades.
int colourCount(const QImage& img) {
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) >= 128) colours.insert(img.pixel(x, y));
    return int(colours.size());
}

QImage renderEmoji(const Row& row, const QFont& font, const QRawFont& raw) {
    if (!raw.supportsCharacter(row.emoji.toUcs4().front()))
        fail(QString("line %1: the emoji font has no glyph for %2").arg(row.line).arg(row.spanish));

    QImage canvas(400, 400, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setFont(font);
        p.drawText(canvas.rect(), Qt::AlignCenter, row.emoji);
    }
    const auto box = inkBox(canvas);
    if (!box) fail(QString("line %1: %2 renders blank").arg(row.line).arg(row.spanish));
    if (colourCount(canvas) < 4)
        fail(QString("line %1: %2 renders without colour (missing glyph?)")
                 .arg(row.line)
                 .arg(row.spanish));

    const QImage object =
        canvas.copy(*box).scaled(kFit, kFit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(kSide, kSide, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter p(&square);
    p.drawImage((kSide - object.width()) / 2, (kSide - object.height()) / 2, object);
    return square;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) fail("usage: make_pictures TABLE SPANISH_DIR ENGLISH_DIR");

    QFont font("Noto Color Emoji");
    font.setPixelSize(kNativeSize);
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || !raw.familyName().contains("Emoji"))
        fail("the font Noto Color Emoji is not installed (Debian: fonts-noto-color-emoji)");

    const auto rows = readTable(args[1]);
    for (const QString& dir : {args[2], args[3]})
        if (!QDir().mkpath(dir)) fail("cannot create " + dir);
    for (const Row& row : rows) {
        const QImage picture = renderEmoji(row, font, raw);
        for (const auto& [dir, word] :
             {std::pair{args[2], row.spanish}, std::pair{args[3], row.english}})
            if (!picture.save(dir + '/' + word + ".png"))
                fail("cannot write " + dir + '/' + word + ".png");
    }
    std::printf("make_pictures: %zu pictures\n", rows.size());
    return 0;
}
