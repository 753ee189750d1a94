// Laying out the worksheets and their answer pages, and drawing them with QPainter on a paged
// device: a QPdfWriter for tolvano-sheets and the saved PDF, a QPrinter for the worksheets window.
#include "pdf_sheets.h"

#include "game_font.h"
#include "picture_loader.h"
#include "texts_file.h"

#include <QCache>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <future>
#include <numbers>
#include <utility>
#include <vector>

namespace sheets {
namespace {

// The page, in millimetres from the top-left corner inside the margins. The board is the same on
// A4 and on Letter; the pictures take what is left below it.
constexpr double MarginMm = 12;
constexpr double HeaderMm = 18; // the name and date line, and the level picture beside it
constexpr double BoardTopMm = 24;
constexpr double CellMm = 11; // room to circle a letter in pencil, and for the pictures below
constexpr double BoardMm = CellMm * BoardSide;
constexpr double BelowBoardMm = 8;
constexpr double LabelMm = 11; // under a picture: the line to write its word on, or the word
constexpr double FooterMm = 6;
constexpr double GutterMm = 3;         // each side of a picture's column
constexpr double OutlineRadius = 0.42; // of a cell: round enough to hold a capital
constexpr int DeviceDpi = 1200;        // the PDF writer's units: fine enough for a hairline grid
constexpr qint64 DecodedCacheKb = 64 * 1024;

struct Geometry {
    double perMm = 1; // device units per millimetre
    double width = 0; // the area inside the margins, in millimetres
    double height = 0;

    double mm(double value) const { return value * perMm; }
    QPointF point(double x, double y) const { return {mm(x), mm(y)}; }
    QRectF rect(double x, double y, double w, double h) const {
        return {mm(x), mm(y), mm(w), mm(h)};
    }
    QRectF cell(int i) const {
        const double left = (width - BoardMm) / 2;
        return rect(left + Board::column(i) * CellMm, BoardTopMm + Board::row(i) * CellMm, CellMm,
                    CellMm);
    }
    // The six pictures stand in two rows of three under the board, each with its label below it.
    double rowMm() const { return (height - FooterMm - BoardTopMm - BoardMm - BelowBoardMm) / 2; }
    QRectF place(int slot) const {
        const double column = width / 3;
        return rect(column * (slot % 3) + GutterMm,
                    BoardTopMm + BoardMm + BelowBoardMm + rowMm() * (slot / 3),
                    column - 2 * GutterMm, rowMm());
    }
    QRectF pictureBox(int slot) const {
        QRectF box = place(slot);
        box.setBottom(box.bottom() - mm(LabelMm + 1));
        return box;
    }
    QRectF labelBox(int slot) const {
        QRectF box = place(slot);
        box.setTop(box.bottom() - mm(LabelMm));
        return box;
    }
    QSizeF sizeInMm(const QRectF& box) const { return box.size() / perMm; }
};

// Decoded pictures by path: a picture on many sheets is decoded once and, being the same image,
// embedded once (the writer keeps one copy of each image it was given). Past the budget the least
// recently used ones are let go; one needed again is then decoded and embedded again.
class PictureCache {
  public:
    PictureCache() : m_images(DecodedCacheKb) {}

    // Decodes those not held yet side by side, as the game decodes a round's pictures: nearly all
    // of a photo's time is the JPEG library's work on that one picture.
    void prepare(const std::vector<QString>& paths, QSizeF printedMm) {
        std::vector<std::pair<QString, std::future<QImage>>> decoding;
        for (const QString& path : paths) {
            const bool started = std::any_of(decoding.begin(), decoding.end(),
                                             [&](const auto& d) { return d.first == path; });
            if (started || m_images.contains(path)) continue;
            decoding.emplace_back(path,
                                  std::async(std::launch::async, decodeForPrint, path, printedMm));
        }
        for (auto& [path, image] : decoding)
            keep(path, image.get());
    }

    QImage picture(const QString& path, QSizeF printedMm) {
        if (const QImage* cached = m_images.object(path)) return *cached;
        const QImage image = decodeForPrint(path, printedMm);
        keep(path, image);
        return image;
    }

  private:
    static QImage decodeForPrint(const QString& path, QSizeF printedMm) {
        const std::optional<QSize> natural = pictureSize(path);
        if (!natural) return {};
        const auto pixels = [](double mm) {
            return std::max(1, static_cast<int>(mm / 25.4 * PrintDpi));
        };
        const QSize most(pixels(printedMm.width()), pixels(printedMm.height()));
        // The loader decodes a smaller picture at its own size.
        return loadPicture(path, natural->scaled(most, Qt::KeepAspectRatio).expandedTo({1, 1}));
    }

    void keep(const QString& path, const QImage& image) {
        m_images.insert(path, new QImage(image), std::max<qint64>(1, image.sizeInBytes() / 1024));
    }

    QCache<QString, QImage> m_images;
};

void drawPicture(QPainter& painter, const QRectF& box, const QImage& image) {
    // A file that passed the header test but does not decode: the game shows nothing either.
    if (image.isNull()) return;
    QRectF target(QPointF(), QSizeF(image.size()).scaled(box.size(), Qt::KeepAspectRatio));
    target.moveCenter(box.center());
    painter.drawImage(target, image);
}

QPen pen(const Geometry& g, double widthMm) {
    return QPen(Qt::black, g.mm(widthMm), Qt::SolidLine, Qt::RoundCap);
}

// A label and the line after it up to `end`, as on a form; a label too long for its place is
// shortened.
void drawBlank(QPainter& painter, const Geometry& g, const QString& label, double x, double end) {
    constexpr double BaselineMm = 11;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QString shown =
        metrics.elidedText(label, Qt::ElideRight, g.mm(std::max(0.0, end - x - 20)));
    painter.setPen(Qt::black);
    painter.drawText(g.point(x, BaselineMm), shown);
    const double from = x + metrics.horizontalAdvance(shown) / g.perMm + 2;
    painter.setPen(pen(g, 0.3));
    if (end > from) painter.drawLine(g.point(from, BaselineMm + 1), g.point(end, BaselineMm + 1));
}

void drawGrid(QPainter& painter, const Geometry& g) {
    const QRectF board = g.cell(0).united(g.cell(BoardCells - 1));
    painter.setPen(pen(g, 0.25));
    for (int k = 1; k < BoardSide; ++k) {
        const double x = board.left() + g.mm(k * CellMm);
        const double y = board.top() + g.mm(k * CellMm);
        painter.drawLine(QPointF(x, board.top()), QPointF(x, board.bottom()));
        painter.drawLine(QPointF(board.left(), y), QPointF(board.right(), y));
    }
    painter.setPen(pen(g, 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(board);
}

void drawLetters(QPainter& painter, const Geometry& g, const Sheet& sheet) {
    painter.setPen(Qt::black);
    painter.setFont(arial(22));
    for (int i = 0; i < BoardCells; ++i)
        painter.drawText(g.cell(i), Qt::AlignCenter, sheet.letters[i]);
}

// A rounded outline from the word's first cell to its last, along whichever direction it runs.
void outlineWord(QPainter& painter, const Geometry& g, const Board& board, int slot) {
    const auto& cells = board.WordCells[slot];
    if (cells[1] < 0) return;
    int last = cells[1];
    for (int j = 2; j < WordPositions && cells[j] >= 0; ++j)
        last = cells[j];
    const QPointF from = g.cell(cells[1]).center();
    const QPointF to = g.cell(last).center();
    const double radius = g.mm(CellMm * OutlineRadius);
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    painter.save();
    painter.translate(from);
    painter.rotate(std::atan2(to.y() - from.y(), to.x() - from.x()) * 180 / std::numbers::pi);
    painter.drawRoundedRect(QRectF(-radius, -radius, length + 2 * radius, 2 * radius), radius,
                            radius);
    painter.restore();
}

void drawFooter(QPainter& painter, const Geometry& g, const QString& text) {
    painter.setPen(Qt::black);
    painter.setFont(arial(9));
    painter.drawText(g.rect(0, g.height - FooterMm, g.width, FooterMm),
                     Qt::AlignRight | Qt::AlignBottom, text);
}

struct Printer {
    QPainter& painter;
    const Geometry& g;
    const SheetSet& set;
    const PrintSettings& settings;
    PictureCache& pictures;

    QString text(TextId id, int number) const { return textOf(settings.texts, id).arg(number); }

    void sheet(const Sheet& sheet, int number) {
        painter.setFont(arial(14));
        const double levelLeft = g.width - HeaderMm;
        const double dateLeft = g.width * 0.58;
        drawBlank(painter, g, textOf(settings.texts, TextId::SheetName), 0, dateLeft - 6);
        drawBlank(painter, g, textOf(settings.texts, TextId::SheetDate), dateLeft, levelLeft - 5);
        const QRectF corner = g.rect(levelLeft, 0, HeaderMm, HeaderMm);
        drawPicture(painter, corner, pictures.picture(settings.levelPicture, g.sizeInMm(corner)));
        drawGrid(painter, g);
        drawLetters(painter, g, sheet);
        const QSizeF pictureMm = g.sizeInMm(g.pictureBox(0)); // all six boxes are alike
        std::vector<QString> paths;
        for (int k = 0; k < WordSlots; ++k)
            paths.push_back(set.picturePath(sheet, k));
        pictures.prepare(paths, pictureMm);
        for (int k = 0; k < WordSlots; ++k) {
            drawPicture(painter, g.pictureBox(k), pictures.picture(paths[k], pictureMm));
            label(g.labelBox(k), settings.words ? sheet.words[k] : QString());
        }
        drawFooter(painter, g, text(TextId::SheetNumber, number));
    }

    // The word, or without one the line the child writes it on.
    void label(const QRectF& box, const QString& word) {
        if (!word.isEmpty()) {
            painter.setPen(Qt::black);
            painter.setFont(arial(16));
            painter.drawText(box, Qt::AlignCenter, word);
            return;
        }
        painter.setPen(pen(g, 0.3));
        const double inset = box.width() * 0.08;
        const double y = box.bottom() - g.mm(2);
        painter.drawLine(QPointF(box.left() + inset, y), QPointF(box.right() - inset, y));
    }

    void answers(const Sheet& sheet, int number) {
        painter.setPen(Qt::black);
        painter.setFont(arial(16, true));
        painter.drawText(g.rect(0, 0, g.width, HeaderMm), Qt::AlignLeft | Qt::AlignVCenter,
                         text(TextId::SheetAnswers, number));
        drawGrid(painter, g);
        painter.setPen(pen(g, 0.5));
        painter.setBrush(Qt::NoBrush);
        for (int k = 0; k < WordSlots; ++k)
            outlineWord(painter, g, sheet.board, k);
        drawLetters(painter, g, sheet);
        painter.setFont(arial(16));
        // The words in the pictures' order, in two rows close under the board.
        for (int k = 0; k < WordSlots; ++k) {
            QRectF line = g.place(k);
            line.moveTop(g.mm(BoardTopMm + BoardMm + BelowBoardMm + LabelMm * (k / 3)));
            line.setHeight(g.mm(LabelMm));
            painter.drawText(line, Qt::AlignCenter, sheet.words[k]);
        }
        drawFooter(painter, g, text(TextId::SheetNumber, number));
    }
};

} // namespace

QPageLayout sheetPageLayout(Paper paper) {
    const QPageSize size(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

Drawn drawSheets(const SheetSet& set, const PrintSettings& settings, QPagedPaintDevice& device,
                 const Progress& progress) {
    if (!device.setPageLayout(sheetPageLayout(settings.paper))) return Drawn::Refused;
    QPainter painter;
    if (!painter.begin(&device)) return Drawn::Refused;
    // What the device made of the layout: a printer may hold its own name for the paper.
    const QSizeF area = device.pageLayout().paintRect(QPageLayout::Millimeter).size();
    // A PDF writer's and a printer's pixels are square: one scale serves both directions.
    const Geometry g{device.logicalDpiX() / 25.4, area.width(), area.height()};
    PictureCache pictures;
    Printer printer{painter, g, set, settings, pictures};
    const int count = static_cast<int>(set.sheets.size());
    const int pages = 2 * count;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) return Drawn::Refused;
        const int n = page % count;
        if (page < count)
            printer.sheet(set.sheets[n], n + 1);
        else
            printer.answers(set.sheets[n], n + 1);
        if (progress && !progress(page + 1, pages)) {
            painter.end();
            return Drawn::Stopped;
        }
    }
    return painter.end() ? Drawn::Whole : Drawn::Refused;
}

Drawn writeSheetsPdf(const SheetSet& set, const PrintSettings& settings, QIODevice& out,
                     const Progress& progress) {
    QPdfWriter writer(&out);
    writer.setCreator(QStringLiteral("tolvano-sheets"));
    writer.setResolution(DeviceDpi);
    return drawSheets(set, settings, writer, progress);
}

bool writeSheetsPdf(const SheetSet& set, const PrintSettings& settings, QIODevice& out) {
    return writeSheetsPdf(set, settings, out, Progress()) == Drawn::Whole;
}

} // namespace sheets
