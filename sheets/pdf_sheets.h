// Draws a set of worksheets as a PDF: one page per sheet, then one answer page per sheet.
//
// Text is drawn as text, so that it prints sharp and can be selected and searched. Pictures are
// read by the game's picture loader, within its budgets, and decoded at no more than PrintDpi of
// the size they are printed at: a phone photo is never embedded whole, and a small picture is
// embedded as it is. A picture that appears on many sheets is decoded and embedded once.
#pragma once

#include "sheet_set.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

namespace sheets {

inline constexpr int PrintDpi = 300;

enum class Paper { A4, Letter };

struct PrintSettings {
    Paper paper = Paper::A4;
    bool words = false;   // each picture's word under it rather than a line to write it on
    QString levelPicture; // the level menu's picture of the set's level, drawn in a corner
    QStringList texts;    // readTexts(): the labels, in the active set's language
};

// Writes the whole PDF to out; false when the device refused it.
bool writeSheetsPdf(const SheetSet& set, const PrintSettings& settings, QIODevice& out);

} // namespace sheets
