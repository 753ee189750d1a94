// Tests of the worksheets window: the PDF it saves and the print it sends, as poppler's pdfinfo
// reads them, over a copy of the bundled pictures; what it refuses to write over; and what it says.
#include "../config/test_support.h"
#include "asset_paths.h"
#include "user_settings.h"
#include "worksheets_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

const QString Assets = QStringLiteral(TOLVANO_ASSET_DIR);

void copyFolder(const QString& from, const QString& to, int files = -1) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext() && files != 0) {
        const QString file = it.next();
        const QString copy = to + u'/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(copy).path());
        QFile::copy(file, copy);
        --files;
    }
}

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// pdfinfo's line that starts with `key`, after it.
std::string pdfInfo(const QString& pdf, const QString& key) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().toStdString();
    return {};
}

int pages(const QString& pdf) {
    return std::atoi(pdfInfo(pdf, QStringLiteral("Pages:")).c_str());
}

class Worksheets : public ::testing::Test {
  protected:
    // A program folder of the bundled set (or its first `pictures` pictures) and the level gifs.
    assets::AssetPaths program(int pictures = -1, const QString& set = QStringLiteral("es"),
                               const assets::UserFolders& user = {}) {
        const QString root = m_dir.filePath(QStringLiteral("program"));
        copyFolder(Assets + QStringLiteral("/gifs"), root + QStringLiteral("/gifs"));
        const QString setFolder = root + QStringLiteral("/idiomas/") + set;
        copyFolder(Assets + QStringLiteral("/idiomas/") + set + QStringLiteral("/configuracion"),
                   setFolder + QStringLiteral("/configuracion"));
        copyFolder(Assets + QStringLiteral("/idiomas/") + set + QStringLiteral("/imagenes"),
                   setFolder + QStringLiteral("/imagenes"), pictures);
        QFile active(root + QStringLiteral("/idiomas/activo.txt"));
        if (active.open(QIODevice::WriteOnly)) active.write(set.toUtf8());
        active.close();
        return assets::resolve(assets::Roots{root, root, root}, root, user);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

template <typename T> T* control(WorksheetsWindow& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

// A window that saves to `chosen`, with the count and paper given.
struct Saving {
    Saving(const assets::AssetPaths& paths, const QString& chosen) : window(paths) {
        window.chooseFile = [this, chosen](QWidget*, const QString& given) {
            suggested = given;
            ++asked;
            return chosen;
        };
    }
    WorksheetsWindow window;
    QString suggested;
    int asked = 0;
};

// The class's theme is chosen first, found whatever its case, and a set of it is saved.
TEST_F(Worksheets, theThemeStartsAsTheClasssAndASetOfItIsSaved) {
    QTemporaryDir home;
    const assets::UserFolders user{home.filePath("data"), home.filePath("config"), {}};
    UserSettings settings;
    settings.theme = QStringLiteral("Granja"); // the folder's name in another case
    ASSERT_FALSE(writeUserSettings(assets::settingsFile(user), settings));
    const assets::AssetPaths paths = program(-1, QStringLiteral("es"), user);
    const QString farm = paths.pictureFolder() + QStringLiteral("/granja");
    QDir().mkpath(farm);
    for (const char* animal : {"vaca", "cerdo", "oveja", "caballo", "gallo", "pato"})
        QFile::rename(paths.pictureFolder() + QStringLiteral("/%1.png").arg(animal),
                      farm + QStringLiteral("/%1.png").arg(animal));
    Saving saving(paths, path(QStringLiteral("granja.pdf")));
    auto* themes = control<QComboBox>(saving.window, "theme");
    ASSERT_TRUE(themes);
    EXPECT_EQ(themes->count(), 2);
    EXPECT_EQ(themes->itemText(0), QStringLiteral("Todas"));
    EXPECT_EQ(themes->currentText(), QStringLiteral("granja"));
    saving.window.savePdf();
    EXPECT_EQ(saving.window.status(), QStringLiteral("Guardado: %1").arg(path("granja.pdf")));
}

struct SaveRow {
    int count;
    int paper; // the combo's row: 0 A4, 1 Letter
    bool words, lower;
    const char* pageSize;
};

TEST_F(Worksheets, savesAPdfOfEverySheetAndItsAnswerPage) {
    const assets::AssetPaths paths = program();
    for (const SaveRow& row :
         std::initializer_list<SaveRow>{{1, 0, false, false, "595 x 842 pts (A4)"},
                                        {3, 1, true, true, "612 x 792 pts (letter)"},
                                        {12, 0, true, false, "595 x 842 pts (A4)"}}) {
        SCOPED_TRACE(row.count);
        const QString out = path(QStringLiteral("sheets-%1.pdf").arg(row.count));
        Saving saving(paths, out);
        control<QSpinBox>(saving.window, "count")->setValue(row.count);
        control<QComboBox>(saving.window, "paper")->setCurrentIndex(row.paper);
        control<QCheckBox>(saving.window, "words")->setChecked(row.words);
        control<QCheckBox>(saving.window, "lowerCase")->setChecked(row.lower);
        saving.window.savePdf();
        EXPECT_EQ(saving.window.status(), QStringLiteral("Guardado: %1").arg(out));
        EXPECT_TRUE(contents(out).startsWith("%PDF"));
        EXPECT_EQ(pages(out), 2 * row.count);
        EXPECT_EQ(pdfInfo(out, QStringLiteral("Page size:")), row.pageSize);
    }
}

TEST_F(Worksheets, offersANameInTheDocumentsFolderInTheSetsLanguage) {
    struct Row {
        const char* set;
        int level;
        const char* name;
    };
    for (const Row& row : {Row{"es", 1, "fichas-nivel-1.pdf"}, Row{"es", 3, "fichas-nivel-3.pdf"},
                           Row{"en", 2, "worksheets-level-2.pdf"}}) {
        SCOPED_TRACE(row.name);
        Saving saving(program(-1, QString::fromLatin1(row.set)), QString());
        control<QSpinBox>(saving.window, "level")->setValue(row.level);
        saving.window.savePdf();
        const QFileInfo suggested(saving.suggested);
        EXPECT_EQ(suggested.fileName(), QString::fromLatin1(row.name));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        EXPECT_EQ(suggested.path(), QFileInfo(documents).isDir() ? documents : QDir::homePath());
        EXPECT_EQ(saving.window.status(), QString()); // cancelled: nothing said, nothing written
    }
}

TEST_F(Worksheets, aNewNameWithoutPdfGetsIt) {
    Saving saving(program(), path(QStringLiteral("fichas")));
    saving.window.savePdf();
    EXPECT_TRUE(contents(path(QStringLiteral("fichas.pdf"))).startsWith("%PDF"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("fichas"))));
}

TEST_F(Worksheets, aPictureOrATextIsNeverWrittenOver) {
    const assets::AssetPaths paths = program();
    QFile notes(path(QStringLiteral("notas.pdf")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("mis notas\n");
    notes.close();
    for (const QString& chosen : {paths.picture(QStringLiteral("abeja.png")),
                                  paths.file(assets::LevelFile), notes.fileName()}) {
        SCOPED_TRACE(chosen.toStdString());
        const QByteArray before = contents(chosen);
        const QStringList beside = QDir(QFileInfo(chosen).path()).entryList(QDir::Files);
        Saving saving(paths, chosen);
        saving.window.savePdf();
        EXPECT_TRUE(saving.window.status().contains(chosen))
            << saving.window.status().toStdString();
        EXPECT_FALSE(saving.window.status().startsWith(QStringLiteral("Guardado")));
        EXPECT_EQ(contents(chosen), before);
        EXPECT_EQ(QDir(QFileInfo(chosen).path()).entryList(QDir::Files), beside);
    }
}

TEST_F(Worksheets, fewerThanSixPicturesAreSaidAndNothingIsAsked) {
    const assets::AssetPaths paths = program(3);
    for (const bool printing : {false, true}) {
        Saving saving(paths, path(QStringLiteral("fichas.pdf")));
        int printers = 0;
        saving.window.choosePrinter = [&](QPrinter&, QWidget*) { return ++printers, true; };
        printing ? saving.window.print() : saving.window.savePdf();
        EXPECT_TRUE(saving.window.status().startsWith(QStringLiteral("only 3 usable pictures in ")))
            << saving.window.status().toStdString();
        EXPECT_EQ(saving.asked + printers, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("fichas.pdf"))));
}

TEST_F(Worksheets, printsTheSameSheetsOnTheChosenPaper) {
    const QString out = path(QStringLiteral("printed.pdf"));
    WorksheetsWindow window(program());
    window.choosePrinter = [&](QPrinter& printer, QWidget*) {
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4); // the window's paper
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setPageSize(QPageSize(QPageSize::Letter)); // changed in the dialog
        return true;
    };
    control<QSpinBox>(window, "count")->setValue(2);
    window.print();
    EXPECT_TRUE(contents(out).startsWith("%PDF"));
    EXPECT_EQ(pages(out), 4);
    EXPECT_EQ(pdfInfo(out, QStringLiteral("Page size:")), "612 x 792 pts (letter)");
    EXPECT_EQ(window.status(), QStringLiteral("Guardado: %1").arg(out));
}

TEST_F(Worksheets, closingWhileALargeSetIsDrawnStopsItAndWritesNothing) {
    const QString out = path(QStringLiteral("large.pdf"));
    Saving saving(program(), out);
    control<QSpinBox>(saving.window, "count")->setValue(40);
    bool barShown = false;
    QTimer::singleShot(0, &saving.window, [&] {
        barShown = control<QProgressBar>(saving.window, "progress")->isVisibleTo(&saving.window);
        saving.window.reject();
    });
    saving.window.savePdf();
    EXPECT_TRUE(barShown);
    EXPECT_EQ(saving.window.result(), QDialog::Rejected);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(Worksheets, lowerCaseFollowsTheUsersSettings) {
    for (const char* conf : {"", "[general]\nlowercase=true\n", "[general]\nlowercase=false\n"}) {
        SCOPED_TRACE(conf);
        const QTemporaryDir user;
        const assets::UserFolders folders{
            user.filePath(QStringLiteral("data")), user.filePath(QStringLiteral("config")), {}};
        QDir().mkpath(folders.config);
        if (*conf) {
            QFile file(assets::settingsFile(folders));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(conf);
        }
        WorksheetsWindow window(program(-1, QStringLiteral("es"), folders));
        EXPECT_EQ(control<QCheckBox>(window, "lowerCase")->isChecked(),
                  QByteArray(conf).contains("=true"));
    }
}

} // namespace
