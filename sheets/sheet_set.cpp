// Making a set of worksheets: one round of the game per sheet, over a folder read once.
#include "sheet_set.h"

#include "game.h"
#include "module1.h"
#include "picture_loader.h"
#include "picture_words.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace sheets {
namespace {

// The folder as it stood when the set began: listed once, each file asked once. A set is made in
// moments, and a sheet drawn again (see below) asks about the same files hundreds of times.
class SteadyFolder final : public PictureFolder {
  public:
    explicit SteadyFolder(const QStringList& folders) : m_disk(folders, &canShowPicture) {}

    QStringList listing() override {
        if (!m_listed) m_listed = m_disk.listing();
        return *m_listed;
    }
    bool isPicture(const QString& fileName) override {
        auto answer = m_answers.constFind(fileName);
        if (answer == m_answers.constEnd())
            answer = m_answers.insert(fileName, m_disk.isPicture(fileName));
        return *answer;
    }
    QString location() const override { return m_disk.location(); }
    QString pathOf(const QString& fileName) const override { return m_disk.pathOf(fileName); }
    QString themePicture(const QString& theme) const override { return m_disk.themePicture(theme); }

  private:
    LayeredPictureFolder m_disk;
    std::optional<QStringList> m_listed;
    QHash<QString, bool> m_answers;
};

// Pictures the chooser could draw, counted only as far as `enough`: a folder of thousands of photos
// must not be decoded-checked file by file before the first sheet.
int usablePictures(PictureFolder& folder, int enough, const LetterRule& rule) {
    int usable = 0;
    for (const QString& name : folder.listing())
        if (givesPlaceableWord(name, rule) && folder.isPicture(name) && ++usable == enough) break;
    return usable;
}

bool showsAPictureTwice(const WordList& list) {
    QSet<QString> seen;
    for (const QString& name : list.PictureFiles) {
        if (seen.contains(name)) return true;
        seen.insert(name);
    }
    return false;
}

// Once every picture of the folder has been used, the chooser takes each slot's hundredth draw
// whatever it is, so a round may then show one picture in two slots: the game lives with that, a
// printed sheet that asks for one word twice would puzzle the child. Such a sheet is drawn again.
// Even with only six pictures a draw gives six different ones about once in 65, so running out of
// tries is all but impossible; the limit only keeps a run finite.
constexpr int MaxRedraws = 2000;

Sheet sheetOf(const Game& game, bool lowerCase) {
    Sheet sheet;
    sheet.board = game.board;
    for (int k = 0; k < WordSlots; ++k) {
        sheet.pictureFiles[k] = game.wordList.PictureFiles[k];
        sheet.words[k] =
            lowerCase ? lowerCaseWord(game.wordList.PictureFiles[k]) : game.wordList.Words[k];
    }
    for (int i = 0; i < BoardCells; ++i)
        sheet.letters[i] = game.shownLetter(i, lowerCase);
    return sheet;
}

} // namespace

QString SheetSet::picturePath(const Sheet& sheet, int slot) const {
    return pictureIn(pictureFolders, sheet.pictureFiles[slot]);
}

std::optional<QString> requestProblem(const SheetRequest& request) {
    if (request.level < 1 || request.level > Module1::LevelCount)
        return QStringLiteral("the level must be 1 to %1, not %2")
            .arg(Module1::LevelCount)
            .arg(request.level);
    if (request.count < 1 || request.count > MaxSheets)
        return QStringLiteral("the number of sheets must be 1 to %1, not %2")
            .arg(MaxSheets)
            .arg(request.count);
    // The user's own folder may not have been made yet; the set's, or the one given, must be there.
    if (request.pictureFolders.isEmpty() || !QFileInfo(request.pictureFolders.back()).isDir())
        return QStringLiteral("%1 is not a folder").arg(request.pictureFolders.value(0));
    return std::nullopt;
}

MadeSet makeSheetSet(const SheetRequest& request) {
    if (const auto problem = requestProblem(request)) return {std::nullopt, *problem};
    SteadyFolder folder(request.pictureFolders);
    if (!request.theme.isEmpty()) {
        // The game plays all pictures for a theme it cannot find; a printed set says so instead.
        QStringList themes;
        bool found = false;
        for (const Theme& theme : themesIn(folder, request.letters)) {
            themes << theme.name;
            found = found || theme.name.compare(request.theme, Qt::CaseInsensitive) == 0;
        }
        if (!found) {
            return {std::nullopt,
                    QStringLiteral("no theme %1 in %2 (themes: %3)")
                        .arg(request.theme, folder.location(),
                             themes.isEmpty() ? QStringLiteral("none") : themes.join(u", "))};
        }
    }
    const int usable = usablePictures(folder, WordSlots, request.letters);
    if (usable == 0)
        return {std::nullopt, QStringLiteral("no usable picture in %1").arg(folder.location())};
    if (usable < WordSlots) {
        return {std::nullopt, QStringLiteral("only %1 usable picture%2 in %3; a sheet needs %4")
                                  .arg(usable)
                                  .arg(usable == 1 ? "" : "s")
                                  .arg(folder.location())
                                  .arg(WordSlots)};
    }
    SeededRandom random(request.seed);
    Game game(random, folder);
    game.theme = request.theme;
    game.letters = request.letters;
    const PictureRule differentPictures{
        [](const WordList& list) { return !showsAPictureTwice(list); }, MaxRedraws};
    SheetSet set{request.pictureFolders, request.level, {}};
    set.sheets.reserve(static_cast<std::size_t>(request.count));
    for (int n = 1; n <= request.count; ++n) {
        if (game.NextRound(request.level - 1, differentPictures) == RoundProblem::PicturesRefused) {
            return {std::nullopt,
                    QStringLiteral("could not draw six different pictures for sheet %1").arg(n)};
        }
        set.sheets.push_back(sheetOf(game, request.lowerCase));
    }
    return {std::move(set), {}};
}

} // namespace sheets
