// The picture folder, the word each picture gives, and the draw of six pictures a round.
#pragma once

#include "board.h"
#include "board_letters.h"
#include "random_source.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A picture folder may hold themes: the folders directly inside it (imagenes/animales/perro.png).
// A listing names a theme's picture by its path inside the picture folder, "animales/perro.png",
// and a picture directly in the folder by its file name; the word comes from the file name alone.
// One level of folders counts: folders inside a theme are not listed. A theme's tema.png (or
// tema.jpg, any case) is its picture in the menu, not a word, and is not listed either.
inline constexpr char16_t ThemePictureStem[] = u"tema";

// The theme a listed name belongs to (its folder's name), or empty for a picture of no theme.
QString themeOf(const QString& listedName);
// The file name of a listed name, without its theme.
QString fileNameOf(const QString& listedName);
// Whether a listed name is in `theme`; the empty theme is "all" and holds every name. Themes of
// the user's folder and the set's with the same name in another case are one theme.
bool inTheme(const QString& listedName, const QString& theme);

// The word of a picture file: its name up to its last dot (the whole name when it has none), in
// upper case with the full case rules: camión.bmp gives CAMIÓN, perro.jpeg PERRO, tren.webp TREN.
// For the usual three-letter extensions that is the name without its last four characters. A
// name with nothing before its last dot gives no word. Decomposed accents (as some file systems
// store them) are composed, so that every letter of the word is one cell of the board. Other
// characters stay as they are: pez2.png asks for a "2" cell.
std::optional<QString> pictureWord(const QString& fileName);

// The letters of a word as the board holds them, one per cell.
std::u32string wordLetters(const QString& word);

// The word as it reads in lower case, for children who learn those letters first: the file name's
// own letters lowered, so that a name with ß keeps its ß (its capitals spell SS).
QString lowerCaseWord(const QString& fileName);

// Only a word of 1 to 12 letters, as the board spells it, can be placed and found; other names
// are never drawn. Plain letters may be more (œ as OE) or fewer (l·l as LL).
bool givesPlaceableWord(const QString& fileName, const LetterRule& rule = {});

// The picture folder as the round set-up sees it. The real one lists a folder on disk; tests
// hand in listings of their own.
class PictureFolder {
  public:
    virtual ~PictureFolder() = default;
    // File names in ascending order, letter case ignored; folders and hidden files left out.
    virtual QStringList listing() = 0;
    // Whether the file can be shown as a picture; asked only of drawn files.
    virtual bool isPicture(const QString& fileName) = 0;
    // Where the pictures are, for whoever set the game up.
    virtual QString location() const = 0;
    // The path of a listed name, for whoever opens it.
    virtual QString pathOf(const QString& listedName) const { return listedName; }
    // The path of a theme's own picture (its tema.png), or empty when it has none.
    virtual QString themePicture(const QString& theme) const {
        (void)theme;
        return {};
    }
};

// A theme as the menu and the check show it: its name, its picture (tema.png, else its first
// file that gives a word and is a picture) and how many of its names give a word (decoding not
// tried beyond that first picture).
struct Theme {
    QString name;
    QString picture; // a path; empty when the theme has no picture that gives a word
    int words = 0;
};
// The themes of a folder's listing, in listing order of their names.
QList<Theme> themesIn(PictureFolder& folder, const LetterRule& rule = {});

// A folder inside a theme, which the listing passes over: one level of themes counts.
struct SkippedFolder {
    QString name; // "animales/perros"
};

// Lists a folder on disk; checks a drawn file with the given decoder test and remembers the
// answer until the file's size or time changes, so a round's set-up decodes nothing twice. The
// listing itself is kept until the folder's own time changes: a folder of thousands of pictures
// then costs a round no listing and no sorting.
class DiskPictureFolder final : public PictureFolder {
  public:
    using DecodeCheck = std::function<bool(const QString& path)>;
    DiskPictureFolder(QString folder, DecodeCheck canDecode);

    QStringList listing() override;
    bool isPicture(const QString& fileName) override;
    QString location() const override { return m_folder; }
    // A file whose header read well but whose picture did not: never drawn again while unchanged.
    void markNotPicture(const QString& fileName);
    QString pathOf(const QString& fileName) const override;
    QString themePicture(const QString& theme) const override;
    // The themes' own pictures, by theme name, and the folders passed over, as of the last listing.
    const QHash<QString, QString>& themePictures() const { return m_themePictures; }
    const QList<SkippedFolder>& skippedFolders() const { return m_skipped; }

  private:
    void listAgain(const QDateTime& folderTime);
    bool themesUnchanged() const;

    struct Answer {
        qint64 size = -1;
        QDateTime modified;
        bool picture = false;
    };
    QString m_folder;
    DecodeCheck m_canDecode;
    QHash<QString, Answer> m_answers;
    QStringList m_listed;
    QDateTime m_listedFolderTime; // the folder's time when m_listed was read; invalid: never read
    QDateTime m_listedAt;
    // Each theme folder's time when it was listed: a picture added to a theme changes its folder's
    // time, not the picture folder's.
    QList<std::pair<QString, QDateTime>> m_themeTimes;
    QHash<QString, QString> m_themePictures; // theme name -> file name of its tema.png
    QList<SkippedFolder> m_skipped;
};

// Several picture folders as one: the user's own first, then the language set's. A word that an
// earlier folder gives is not drawn from a later one (the user's perro.jpg stands in for the set's
// perro.png, whatever the case of the names), and a name is looked up in the folder it was listed
// from. Within one folder every file counts, as in a folder alone.
class LayeredPictureFolder final : public PictureFolder {
  public:
    LayeredPictureFolder(QStringList folders, DiskPictureFolder::DecodeCheck canDecode);

    QStringList listing() override;
    bool isPicture(const QString& fileName) override;
    QString location() const override { return m_folders.join(QStringLiteral(", ")); }
    void markNotPicture(const QString& fileName);
    // The folder a listed name comes from, and its path there.
    QString pathOf(const QString& fileName) const override;
    // The first folder's picture of a theme that several folders hold.
    QString themePicture(const QString& theme) const override;
    const QStringList& folders() const { return m_folders; }
    // Another list of folders, as a new language or "only mine" asks: every answer is forgotten.
    void setFolders(QStringList folders);

  private:
    DiskPictureFolder& ownerOf(const QString& fileName);

    QStringList m_folders;
    DiskPictureFolder::DecodeCheck m_canDecode;
    std::vector<std::unique_ptr<DiskPictureFolder>> m_layers;
    QHash<QString, int> m_owner; // a listed name's layer, for names not in the last one
    std::vector<QStringList> m_lastListings;
    QStringList m_merged;
};

// A file of the first folder that holds a regular file by that name, else of the last folder: the
// same rule a layered listing follows, for whoever has only the name (the viewer, the sheets).
QString pictureIn(const QStringList& folders, const QString& fileName);

// Sorts file names the way the folder listing shows them.
void sortListing(QStringList& names);

// Draws six pictures a round without repeating one used earlier in the run (the list List1),
// accepting a repeat only at a slot's 100th draw.
//
// A round of a theme draws from that theme alone, and what counts as a repeat is kept for each
// theme: a week of farm rounds does not use up the farm for the rounds of all pictures, nor the
// other way round. A theme with fewer than six usable pictures shows each of them once, in drawn
// slots, and tops the round up from all the others.
class PictureChooser {
  public:
    static constexpr int MaxDraws = 100;

    // The six accepted names in slot order; empty names when the folder has no usable picture.
    // `theme` empty, or a theme the folder does not hold: all pictures.
    // Only names whose word the board can spell by `rule` are drawn.
    std::array<QString, WordSlots> choose(PictureFolder& folder, RandomSource& random,
                                          const QString& theme = {}, const LetterRule& rule = {});

    // Every accepted name of the run, in order, whatever its theme.
    const QStringList& usedPictures() const { return m_List1; }
    // The names that count as used for rounds of `theme` (empty: all pictures).
    QSet<QString> usedPictures(const QString& theme) const;

  private:
    QString drawOne(QStringList& candidates, PictureFolder& folder, RandomSource& random,
                    const QSet<QString>& used) const;

    QStringList m_List1;                  // every accepted name, in order of acceptance
    QHash<QString, QSet<QString>> m_used; // by theme (case-folded), for a quick repeat check
};
