// The worksheets window: its controls, and the set they ask for saved or printed by the sheets
// library, as tolvano-sheets does it.
#include "worksheets_window.h"

#include "focus_ring.h"
#include "module1.h"
#include "output_file.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "play_settings.h"
#include "texts_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <chrono>

namespace {

// Sets of more pages than this show the bar; a smaller one is drawn before it could be read.
constexpr int QuietSheets = 10;

// A button's text as a window's title: without the "…" that says a window follows.
QString titleOf(QString text) {
    if (text.endsWith(u'…'))
        text.chop(1);
    else if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}

// Where the save dialog starts: the user's documents folder (~/Documentos on a Spanish desktop),
// or the home folder when there is none yet.
QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

WorksheetsWindow::WorksheetsWindow(const assets::AssetPaths& paths, QWidget* parent)
    : QDialog(parent), m_paths(paths),
      m_texts(readTexts(paths.file(assets::TextsFile), paths.language())) {
    const auto text = [this](TextId id) { return textOf(m_texts, id); };
    setWindowTitle(titleOf(text(TextId::PrintSheets)));
    FocusRing::follow(this);

    m_level = new QSpinBox(this);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->setRange(1, Module1::LevelCount);
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setRange(1, sheets::MaxSheets);
    // The themes of the pictures the game draws from; the class's theme first chosen, kept in the
    // list even where these folders lack it, so that the sheets say so rather than print others.
    m_theme = new QComboBox(this);
    m_theme->setObjectName(QStringLiteral("theme"));
    m_theme->setAccessibleName(text(TextId::SettingsTheme));
    m_theme->addItem(text(TextId::PicturesAll), QString());
    LayeredPictureFolder pictures(paths.pictureFolders(), &canShowPicture);
    for (const Theme& theme : themesIn(pictures))
        m_theme->addItem(theme.name, theme.name);
    const QString classTheme = playSettings(paths).theme;
    if (m_theme->findData(classTheme, Qt::UserRole, Qt::MatchFixedString) < 0)
        m_theme->addItem(classTheme, classTheme);
    m_theme->setCurrentIndex(m_theme->findData(classTheme, Qt::UserRole, Qt::MatchFixedString));
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    m_paper->addItem(QStringLiteral("A4"), QVariant::fromValue(int(sheets::Paper::A4)));
    m_paper->addItem(QStringLiteral("Letter"), QVariant::fromValue(int(sheets::Paper::Letter)));
    m_words = new QCheckBox(text(TextId::SheetsWords), this);
    m_words->setObjectName(QStringLiteral("words"));
    m_lowerCase = new QCheckBox(text(TextId::LowerCaseLetters), this);
    m_lowerCase->setObjectName(QStringLiteral("lowerCase"));
    m_lowerCase->setChecked(playSettings(paths).lowerCase);

    m_save = new QPushButton(text(TextId::SheetsSavePdf), this);
    m_save->setObjectName(QStringLiteral("savePdf"));
    m_print = new QPushButton(text(TextId::SheetsPrint), this);
    m_print->setObjectName(QStringLiteral("print"));
    // Back to the settings window this one was opened from; while a set is drawn, it stops it.
    m_close = new QPushButton(QStringLiteral("← ") + text(TextId::Settings), this);
    m_close->setObjectName(QStringLiteral("close"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->hide();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->addRow(text(TextId::SheetsLevel), m_level);
    form->addRow(text(TextId::SheetsCount), m_count);
    form->addRow(text(TextId::SettingsTheme), m_theme);
    form->addRow(text(TextId::SheetsPaper), m_paper);
    form->addRow(m_words);
    form->addRow(m_lowerCase);
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_save);
    actions->addWidget(m_print);
    auto* leave = new QHBoxLayout;
    leave->addStretch();
    leave->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(actions);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addStretch();
    layout->addLayout(leave);

    connect(m_save, &QPushButton::clicked, this, &WorksheetsWindow::savePdf);
    connect(m_print, &QPushButton::clicked, this, &WorksheetsWindow::print);
    connect(m_close, &QPushButton::clicked, this, &WorksheetsWindow::reject);

    chooseFile = [title = titleOf(text(TextId::SheetsSavePdf))](QWidget* owner,
                                                                const QString& suggested) {
        return QFileDialog::getSaveFileName(owner, title, suggested, QStringLiteral("PDF (*.pdf)"));
    };
    choosePrinter = [](QPrinter& printer, QWidget* owner) {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    };
}

QString WorksheetsWindow::suggestedName() const {
    const QString name = m_paths.language() == Language::English
                             ? QStringLiteral("worksheets-level-%1.pdf")
                             : QStringLiteral("fichas-nivel-%1.pdf");
    return name.arg(m_level->value());
}

QString WorksheetsWindow::status() const {
    return m_status->text();
}

sheets::Paper WorksheetsWindow::paper() const {
    return static_cast<sheets::Paper>(m_paper->currentData().toInt());
}

std::optional<sheets::SheetSet> WorksheetsWindow::makeSet() {
    sheets::SheetRequest request;
    // Exactly the folders a round draws from, the user's own first.
    request.pictureFolders = m_paths.pictureFolders();
    request.level = m_level->value();
    request.count = m_count->value();
    request.theme = m_theme->currentData().toString();
    request.seed = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    request.lowerCase = m_lowerCase->isChecked();
    request.letters = playSettings(m_paths).letters; // the boards as the game's rounds spell them
    sheets::MadeSet made = sheets::makeSheetSet(request);
    if (!made.set) say(made.problem);
    return std::move(made.set);
}

sheets::PrintSettings WorksheetsWindow::printSettings() const {
    sheets::PrintSettings settings;
    settings.paper = paper();
    settings.words = m_words->isChecked();
    settings.levelPicture = m_paths.levelGif(m_level->value());
    settings.texts = m_texts;
    return settings;
}

void WorksheetsWindow::savePdf() {
    if (m_busy) return;
    say({});
    const std::optional<sheets::SheetSet> set = makeSet();
    if (!set) return;
    QString out = chooseFile(this, QDir(documentsFolder()).filePath(suggestedName()));
    if (out.isEmpty()) return;
    // A new name takes the ending it lacks; a file that is there is asked about as it is named,
    // and anything but an earlier PDF is refused rather than written beside under another name.
    const QFileInfo chosen(out);
    if (!out.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) && !chosen.exists() &&
        !chosen.isSymLink())
        out += QStringLiteral(".pdf");
    // Never anything but a new file or an earlier PDF, never into a picture folder; written beside
    // the output and put in its place only when whole.
    sheets::OutputFile file(out, set->pictureFolders);
    if (const auto wrong = file.open()) return say(*wrong);
    const sheets::PrintSettings settings = printSettings();
    const sheets::Drawn drawn = draw(
        [&](const sheets::Progress& progress) {
            return sheets::writeSheetsPdf(*set, settings, file.device(), progress);
        },
        nullptr);
    if (drawn == sheets::Drawn::Stopped) return; // the file is thrown away with `file`
    if (drawn == sheets::Drawn::Refused)
        return say(QStringLiteral("cannot write %1: %2").arg(out, file.device().errorString()));
    if (const auto wrong = file.commit()) return say(*wrong);
    say(textOf(m_texts, TextId::SheetsSaved).arg(QDir::toNativeSeparators(out)));
}

void WorksheetsWindow::print() {
    if (m_busy) return;
    say({});
    const std::optional<sheets::SheetSet> set = makeSet();
    if (!set) return;
    sheets::PrintSettings settings = printSettings();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(sheets::sheetPageLayout(settings.paper));
    printer.setDocName(QFileInfo(suggestedName()).completeBaseName());
    if (!choosePrinter(printer, this)) return;
    // The paper chosen in the print dialog wins, when it is one the sheets are laid out for.
    const QPageSize::PageSizeId chosen = printer.pageLayout().pageSize().id();
    if (chosen == QPageSize::A4) settings.paper = sheets::Paper::A4;
    if (chosen == QPageSize::Letter) settings.paper = sheets::Paper::Letter;
    // Printing to a file, as the print dialog offers, follows the PDF's rule of what may be
    // replaced; Qt writes that file itself.
    const QString file = printer.outputFileName();
    if (!file.isEmpty())
        if (const auto wrong = sheets::outputProblem(file, set->pictureFolders)) return say(*wrong);
    const sheets::Drawn drawn = draw(
        [&](const sheets::Progress& progress) {
            return sheets::drawSheets(*set, settings, printer, progress);
        },
        &printer);
    if (drawn == sheets::Drawn::Stopped) {
        if (!file.isEmpty()) QFile::remove(file); // a part of a set is no set
        return;
    }
    if (drawn == sheets::Drawn::Refused)
        return say(file.isEmpty() ? QStringLiteral("cannot print to %1").arg(printer.printerName())
                                  : QStringLiteral("cannot write %1").arg(file));
    if (!file.isEmpty())
        say(textOf(m_texts, TextId::SheetsSaved).arg(QDir::toNativeSeparators(file)));
}

sheets::Drawn
WorksheetsWindow::draw(const std::function<sheets::Drawn(const sheets::Progress&)>& drawing,
                       QPrinter* printer) {
    m_stop = false;
    setBusy(true);
    const sheets::Drawn drawn = drawing([&](int page, int pages) {
        m_progress->setRange(0, pages);
        m_progress->setValue(page);
        // Between pages the window answers, and closing it is heard.
        QCoreApplication::processEvents();
        if (m_stop && printer) printer->abort();
        return !m_stop;
    });
    setBusy(false);
    if (m_closeWhenStopped) QDialog::reject();
    return drawn;
}

void WorksheetsWindow::setBusy(bool busy) {
    m_busy = busy;
    for (QWidget* control : std::initializer_list<QWidget*>{m_level, m_count, m_theme, m_paper,
                                                            m_words, m_lowerCase, m_save, m_print})
        control->setEnabled(!busy);
    m_progress->setValue(0);
    m_progress->setVisible(busy && m_count->value() > QuietSheets);
}

void WorksheetsWindow::reject() {
    if (!m_busy) return QDialog::reject();
    m_stop = true;
    m_closeWhenStopped = true;
}

void WorksheetsWindow::say(const QString& line) {
    m_status->setText(line);
}
