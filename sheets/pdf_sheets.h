// Draws a set of worksheets: one page per sheet, then one answer page per sheet, as a PDF or on any
// other paged device (a printer), by the same drawing code.
//
// Text is drawn as text, so that it prints sharp and can be selected and searched. Pictures are
// read by the game's picture loader, within its budgets, and decoded at no more than PrintDpi of
// the size they are printed at: a phone photo is never embedded whole, and a small picture is
// embedded as it is. A picture that appears on many sheets is decoded and embedded once.
#pragma once

#include "sheet_set.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <functional>

namespace sheets {

inline constexpr int PrintDpi = 300;

enum class Paper { A4, Letter };

struct PrintSettings {
    Paper paper = Paper::A4;
    bool words = false;   // each picture's word under it rather than a line to write it on
    QString levelPicture; // the level menu's picture of the set's level, drawn in a corner
    QStringList texts;    // readTexts(): the labels, in the active set's language
};

// The page a sheet is drawn on: the paper, upright, with the sheets' margins.
QPageLayout sheetPageLayout(Paper paper);

// Told after each page with the pages drawn and the pages in all (two per sheet: the sheets, then
// their answers); false stops the drawing there. A window keeps itself alive in it.
using Progress = std::function<bool(int drawn, int pages)>;

enum class Drawn {
    Whole,   // every page
    Refused, // the device refused the page layout, the painter or a page
    Stopped, // the progress said stop; the device holds the pages drawn so far
};

// Draws every page on `device`, in sheetPageLayout(settings.paper), at the device's own resolution
// (the painter's units are the device's). A QPdfWriter or a QPrinter: a printer's margins are set
// to the sheets' own, so a printed sheet is laid out as the PDF's. On Stopped the painter is ended
// all the same: a printer's job that must not go out is for the caller to abort (QPrinter::abort())
// before the progress returns false, where the platform can withdraw it.
Drawn drawSheets(const SheetSet& set, const PrintSettings& settings, QPagedPaintDevice& device,
                 const Progress& progress = {});

// Writes the whole PDF to out; false when the device refused it.
bool writeSheetsPdf(const SheetSet& set, const PrintSettings& settings, QIODevice& out);
// The same, told of each page and stoppable; a stopped PDF is to be thrown away (OutputFile does
// when it is not committed).
Drawn writeSheetsPdf(const SheetSet& set, const PrintSettings& settings, QIODevice& out,
                     const Progress& progress);

} // namespace sheets
