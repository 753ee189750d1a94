// The worksheets window: a set of sheets saved as a PDF or sent to a printer.
//
// What tolvano-sheets does from a terminal, for a grown-up at the settings window: the same library
// makes the set (sheet_set.h) from the pictures the game draws from, draws it (pdf_sheets.h) and
// writes the PDF through OutputFile, which never replaces anything but an earlier PDF and never
// writes into a picture folder. Whatever is refused or fails is said in the window's status line.
//
// While a set is drawn the window keeps answering: a bar shows the pages of a large set, and
// closing the window stops the drawing. A stopped PDF is thrown away; a stopped print is withdrawn
// where the platform's printing can (on CUPS, Qt cannot take back the pages it was given).
#pragma once

#include "asset_paths.h"
#include "pdf_sheets.h"
#include "sheet_set.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QSpinBox;

class WorksheetsWindow : public QDialog {
    Q_OBJECT

  public:
    explicit WorksheetsWindow(const assets::AssetPaths& paths, QWidget* parent = nullptr);

    // Asks where the PDF goes, starting from `suggested`; empty when the grown-up cancels. The
    // system's save dialog unless a test puts its own.
    std::function<QString(QWidget* parent, const QString& suggested)> chooseFile;
    // Lets the grown-up choose the printer and its options; false when they cancel. Qt's print
    // dialog unless a test puts its own.
    std::function<bool(QPrinter& printer, QWidget* parent)> choosePrinter;

    // The file name first offered: fichas-nivel-1.pdf, or worksheets-level-1.pdf for an English
    // set.
    QString suggestedName() const;
    // The status line: what was saved, or why nothing was.
    QString status() const;

  public slots:
    void savePdf();
    void print();
    // Stops a drawing in progress (nothing is written) and closes once it has stopped.
    void reject() override;

  private:
    // The set the controls ask for, from the game's pictures; none, and the problem said, when it
    // cannot be made.
    std::optional<sheets::SheetSet> makeSet();
    sheets::PrintSettings printSettings() const;
    sheets::Paper paper() const;
    // Runs a drawing with the bar and the window kept alive; a printer's job is aborted on a stop.
    sheets::Drawn draw(const std::function<sheets::Drawn(const sheets::Progress&)>& drawing,
                       QPrinter* printer);
    void setBusy(bool busy);
    void say(const QString& line);

    const assets::AssetPaths m_paths;
    QStringList m_texts;
    QSpinBox* m_level = nullptr;
    QSpinBox* m_count = nullptr;
    QComboBox* m_theme = nullptr; // data: a theme's folder name, empty for all pictures
    QComboBox* m_paper = nullptr;
    QCheckBox* m_words = nullptr;
    QCheckBox* m_lowerCase = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    bool m_busy = false;
    bool m_stop = false;
    bool m_closeWhenStopped = false;
};
