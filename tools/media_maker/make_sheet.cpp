// Draws a contact sheet of one picture folder: every picture, small, with its word under it,
// sorted by word, so that a whole set can be checked at a glance (is each word right for its
// picture, is it spelt right).
//
// Usage: make_sheet PICTURE_DIR OUTPUT_PNG LANGUAGE TITLE
// LANGUAGE (e.g. "es", "en") decides the alphabetical order, so that accented words sort where a
// reader of that language looks for them. The word is the file name up to its last dot, as the
// game reads it. A file that is not a picture stops the run: the sheet must show the whole set.

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kColumns = 13;
constexpr int kPicture = 80;    // side of each picture on the sheet
constexpr int kCellWidth = 120; // wide enough for a 12-letter word at a readable size
constexpr int kLabel = 22;      // height of the word under the picture
constexpr int kCellHeight = 6 + kPicture + 4 + kLabel + 4;
constexpr int kHeader = 44;
constexpr int kMargin = 8;
constexpr double kWordSize = 15; // largest pixel size of a word; long words shrink to fit

struct Entry {
    QString word;
    QImage picture;
};

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "make_sheet: %s\n", qPrintable(message));
    std::exit(1);
}

// Same fonts as the window pictures: DejaVu Sans where present, else Liberation Sans.
QFont sheetFont(double pixelSize, bool bold) {
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans"});
    f.setPixelSize(int(pixelSize));
    f.setBold(bold);
    return f;
}

std::vector<Entry> readFolder(const QString& dir, const QString& language) {
    std::vector<Entry> entries;
    const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        // A theme's tema.png is its picture in the menu, a copy of one of its words: not a word.
        if (file.completeBaseName().compare("tema", Qt::CaseInsensitive) == 0) continue;
        QImageReader reader(file.filePath());
        const QImage picture = reader.read();
        if (picture.isNull()) fail(file.filePath() + " is not a picture: " + reader.errorString());
        entries.push_back(
            {file.completeBaseName(),
             picture.scaled(kPicture, kPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation)});
    }
    if (entries.empty()) fail("no pictures in " + dir);
    QCollator order{QLocale(language)};
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(entries.begin(), entries.end(),
              [&](const Entry& a, const Entry& b) { return order.compare(a.word, b.word) < 0; });
    return entries;
}

void drawWord(QPainter& p, const QString& word, const QRectF& box) {
    double size = kWordSize;
    QFont font = sheetFont(size, true);
    while (size > 9 && QFontMetricsF(font).horizontalAdvance(word) > box.width() - 4)
        font = sheetFont(--size, true);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(box, Qt::AlignCenter, word);
}

QImage drawSheet(const std::vector<Entry>& entries, const QString& title) {
    const int rows = (int(entries.size()) + kColumns - 1) / kColumns;
    QImage sheet(2 * kMargin + kColumns * kCellWidth, kHeader + rows * kCellHeight + kMargin,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(sheetFont(20, true));
    p.setPen(Qt::black);
    p.drawText(QRect(kMargin, 0, sheet.width() - 2 * kMargin, kHeader), Qt::AlignVCenter,
               QString("%1: %2 pictures").arg(title).arg(entries.size()));
    for (int i = 0; i < int(entries.size()); ++i) {
        const QRect cell(kMargin + (i % kColumns) * kCellWidth,
                         kHeader + (i / kColumns) * kCellHeight, kCellWidth, kCellHeight);
        // Alternate shading keeps each word with its own picture.
        if ((i / kColumns + i % kColumns) % 2) p.fillRect(cell, QColor(0xf0, 0xf3, 0xf8));
        const QImage& pic = entries[i].picture;
        p.drawImage(cell.left() + (kCellWidth - pic.width()) / 2,
                    cell.top() + 6 + (kPicture - pic.height()) / 2, pic);
        drawWord(p, entries[i].word,
                 QRectF(cell.left(), cell.top() + 6 + kPicture + 4, kCellWidth, kLabel));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) fail("usage: make_sheet PICTURE_DIR OUTPUT_PNG LANGUAGE TITLE");
    const auto entries = readFolder(args[1], args[3]);
    if (!drawSheet(entries, args[4]).save(args[2])) fail("cannot write " + args[2]);
    std::printf("make_sheet: %zu pictures in %s\n", entries.size(), qPrintable(args[2]));
    return 0;
}
