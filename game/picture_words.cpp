// Picture words, the folder listing and the draw of a round's six pictures.
#include "picture_words.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
// The file name's part before its last dot, or the whole file name without one; a theme's folder
// in front of it is no part of the word.
QStringView stemOf(const QString& listedName) {
    const QStringView name =
        QStringView(listedName).mid(listedName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool isThemePicture(const QString& fileName) {
    return stemOf(fileName).compare(QStringView(ThemePictureStem), Qt::CaseInsensitive) == 0 &&
           fileName.contains(QLatin1Char('.'));
}
} // namespace

QString themeOf(const QString& listedName) {
    const qsizetype slash = listedName.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : listedName.left(slash);
}

QString fileNameOf(const QString& listedName) {
    return listedName.mid(listedName.lastIndexOf(QLatin1Char('/')) + 1);
}

bool inTheme(const QString& listedName, const QString& theme) {
    if (theme.isEmpty()) return true;
    const qsizetype slash = listedName.indexOf(QLatin1Char('/'));
    return slash == theme.size() &&
           QStringView(listedName).left(slash).compare(theme, Qt::CaseInsensitive) == 0;
}

QList<Theme> themesIn(PictureFolder& folder, const LetterRule& rule) {
    QList<Theme> themes;
    QHash<QString, qsizetype> index; // case-folded name -> place in themes
    for (const QString& name : folder.listing()) {
        const QString theme = themeOf(name);
        if (theme.isEmpty()) continue;
        const QString key = theme.toCaseFolded();
        auto found = index.constFind(key);
        if (found == index.constEnd()) {
            found = index.insert(key, themes.size());
            themes.append(Theme{theme, folder.themePicture(theme), 0});
        }
        Theme& current = themes[*found];
        if (!givesPlaceableWord(name, rule)) continue;
        ++current.words;
        if (current.picture.isEmpty() && folder.isPicture(name))
            current.picture = folder.pathOf(name);
    }
    // The listing sorts whole names, so "a b/" comes before "a/": the themes are sorted by name.
    std::stable_sort(themes.begin(), themes.end(), [](const Theme& a, const Theme& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return themes;
}

std::optional<QString> pictureWord(const QString& fileName) {
    const QStringView stem = stemOf(fileName);
    if (stem.isEmpty()) return std::nullopt;
    return stem.toString().toUpper().normalized(QString::NormalizationForm_C);
}

QString lowerCaseWord(const QString& fileName) {
    return stemOf(fileName).toString().toLower().normalized(QString::NormalizationForm_C);
}

std::u32string wordLetters(const QString& word) {
    const QList<uint> codes = word.toUcs4();
    return std::u32string(codes.begin(), codes.end());
}

bool givesPlaceableWord(const QString& fileName, const LetterRule& rule) {
    // Plain ASCII names, by far the most common, keep their length in capitals: no need to
    // build the word to measure it.
    const QStringView stem = stemOf(fileName);
    if (std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return !stem.isEmpty() && stem.size() <= MaxWordLength;
    const auto word = pictureWord(fileName);
    if (!word) return false;
    const auto length = wordLetters(boardWord(*word, rule)).size();
    return length >= 1 && length <= static_cast<std::size_t>(MaxWordLength);
}

void sortListing(QStringList& names) {
    // Each name is folded once rather than at every comparison: ten thousand names sort in a
    // fraction of the time.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end()); // names equal but for case keep a fixed order
    for (qsizetype k = 0; k < names.size(); ++k)
        names[k] = std::move(keyed[k].second);
}

DiskPictureFolder::DiskPictureFolder(QString folder, DecodeCheck canDecode)
    : m_folder(std::move(folder)), m_canDecode(std::move(canDecode)) {}

QString DiskPictureFolder::pathOf(const QString& fileName) const {
    return m_folder + QLatin1Char('/') + fileName;
}

namespace {
// Adding, removing or renaming a file changes the folder's time. Some file systems keep that time
// only to the second or two, so a listing read within 2 s of the folder's last change is read
// again next time: a change in the same second is never missed.
bool listedSince(const QDateTime& folderTime, const QDateTime& listedTime,
                 const QDateTime& listedAt) {
    constexpr qint64 CoarsestTimeMs = 2000;
    return folderTime.isValid() && folderTime == listedTime &&
           folderTime.msecsTo(listedAt) > CoarsestTimeMs;
}
} // namespace

bool DiskPictureFolder::themesUnchanged() const {
    for (const auto& [theme, time] : m_themeTimes)
        if (!listedSince(QFileInfo(pathOf(theme)).lastModified(), time, m_listedAt)) return false;
    return true;
}

QStringList DiskPictureFolder::listing() {
    const QDateTime folderTime = QFileInfo(m_folder).lastModified();
    if (listedSince(folderTime, m_listedFolderTime, m_listedAt) && themesUnchanged())
        return m_listed;
    listAgain(folderTime);
    return m_listed;
}

void DiskPictureFolder::listAgain(const QDateTime& folderTime) {
    m_listedAt = QDateTime::currentDateTimeUtc();
    m_listedFolderTime = folderTime;
    m_themeTimes.clear();
    m_themePictures.clear();
    m_skipped.clear();
    const QDir folder(m_folder);
    m_listed = folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    // Dirs alone lists links to folders too, and never a link to a FIFO or a device. A folder
    // whose name is not UTF-8 is not listed at all: Qt cannot name it (the check shows it).
    for (const QString& theme : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        const QDir themeFolder(folder.filePath(theme));
        m_themeTimes.append({theme, QFileInfo(themeFolder.path()).lastModified()});
        for (const QString& name :
             themeFolder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort)) {
            if (isThemePicture(name)) {
                // Of tema.png and tema.jpg, one stands for the theme, the same one every time.
                QString& picture = m_themePictures[theme];
                if (picture.isEmpty() || name < picture) picture = name;
            } else {
                m_listed.append(theme + QLatin1Char('/') + name);
            }
        }
        for (const QString& deeper :
             themeFolder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            m_skipped.append({theme + QLatin1Char('/') + deeper});
    }
    sortListing(m_listed);
}

QString DiskPictureFolder::themePicture(const QString& theme) const {
    for (auto it = m_themePictures.constBegin(); it != m_themePictures.constEnd(); ++it)
        if (it.key().compare(theme, Qt::CaseInsensitive) == 0)
            return pathOf(it.key() + QLatin1Char('/') + it.value());
    return {};
}

bool DiskPictureFolder::isPicture(const QString& fileName) {
    const QFileInfo info(pathOf(fileName));
    if (!info.isFile() || !info.isReadable()) return false;
    Answer& answer = m_answers[fileName];
    if (answer.size != info.size() || answer.modified != info.lastModified()) {
        answer.size = info.size();
        answer.modified = info.lastModified();
        answer.picture = m_canDecode ? m_canDecode(info.filePath()) : true;
    }
    return answer.picture;
}

void DiskPictureFolder::markNotPicture(const QString& fileName) {
    const QFileInfo info(pathOf(fileName));
    m_answers[fileName] = Answer{info.size(), info.lastModified(), false};
}

LayeredPictureFolder::LayeredPictureFolder(QStringList folders,
                                           DiskPictureFolder::DecodeCheck canDecode)
    : m_canDecode(std::move(canDecode)) {
    setFolders(std::move(folders));
}

void LayeredPictureFolder::setFolders(QStringList folders) {
    m_folders = std::move(folders);
    m_layers.clear();
    for (const QString& folder : m_folders)
        m_layers.push_back(std::make_unique<DiskPictureFolder>(folder, m_canDecode));
    m_owner.clear();
    m_lastListings.clear();
    m_merged.clear();
}

QStringList LayeredPictureFolder::listing() {
    if (m_layers.empty()) return {};
    if (m_layers.size() == 1) return m_layers.front()->listing();
    std::vector<QStringList> listings;
    for (const auto& layer : m_layers)
        listings.push_back(layer->listing());
    // Each layer keeps its listing until its folder changes; so does the merge. An empty layer
    // (a user without pictures of their own) costs nothing.
    bool unchanged = listings.size() == m_lastListings.size();
    for (std::size_t k = 0; unchanged && k < listings.size(); ++k)
        unchanged = listings[k].isSharedWith(m_lastListings[k]);
    if (unchanged) return m_merged;
    m_lastListings = listings;
    m_owner.clear();
    const auto nonEmpty = std::count_if(listings.begin(), listings.end(),
                                        [](const QStringList& l) { return !l.isEmpty(); });
    if (nonEmpty <= 1) {
        for (std::size_t k = 0; k < listings.size(); ++k)
            if (!listings[k].isEmpty()) {
                for (const QString& name : listings[k])
                    m_owner.insert(name, int(k));
                m_merged = listings[k];
                return m_merged;
            }
        m_merged.clear();
        return m_merged;
    }
    QSet<QString> words;
    QStringList merged;
    for (std::size_t k = 0; k < listings.size(); ++k) {
        QSet<QString> layerWords;
        for (const QString& name : listings[k]) {
            const std::optional<QString> word = pictureWord(name);
            if (word && words.contains(*word)) continue;
            if (word) layerWords.insert(*word);
            merged.append(name);
            m_owner.insert(name, int(k));
        }
        words.unite(layerWords);
    }
    sortListing(merged);
    m_merged = merged;
    return m_merged;
}

DiskPictureFolder& LayeredPictureFolder::ownerOf(const QString& fileName) {
    const auto found = m_owner.constFind(fileName);
    if (found != m_owner.constEnd()) return *m_layers[static_cast<std::size_t>(*found)];
    // Not listed yet: the same rule as pictureIn().
    for (const auto& layer : m_layers)
        if (QFileInfo(layer->pathOf(fileName)).isFile()) return *layer;
    return *m_layers.back();
}

bool LayeredPictureFolder::isPicture(const QString& fileName) {
    return !m_layers.empty() && ownerOf(fileName).isPicture(fileName);
}

void LayeredPictureFolder::markNotPicture(const QString& fileName) {
    if (!m_layers.empty()) ownerOf(fileName).markNotPicture(fileName);
}

QString LayeredPictureFolder::themePicture(const QString& theme) const {
    for (const auto& layer : m_layers)
        if (const QString picture = layer->themePicture(theme); !picture.isEmpty()) return picture;
    return {};
}

QString LayeredPictureFolder::pathOf(const QString& fileName) const {
    const auto found = m_owner.constFind(fileName);
    if (found != m_owner.constEnd())
        return m_layers[static_cast<std::size_t>(*found)]->pathOf(fileName);
    return pictureIn(m_folders, fileName);
}

QString pictureIn(const QStringList& folders, const QString& fileName) {
    for (const QString& folder : folders) {
        const QString path = folder + QLatin1Char('/') + fileName;
        if (QFileInfo(path).isFile()) return path;
    }
    return folders.isEmpty() ? fileName : folders.back() + QLatin1Char('/') + fileName;
}

QSet<QString> PictureChooser::usedPictures(const QString& theme) const {
    return m_used.value(theme.toCaseFolded());
}

std::array<QString, WordSlots> PictureChooser::choose(PictureFolder& folder, RandomSource& random,
                                                      const QString& theme,
                                                      const LetterRule& rule) {
    // The folder is listed once a round; names that can give no placeable word are no candidates.
    QStringList candidates = folder.listing();
    candidates.removeIf([&](const QString& name) { return !givesPlaceableWord(name, rule); });

    QStringList themed;
    if (!theme.isEmpty()) {
        for (const QString& name : candidates)
            if (inTheme(name, theme)) themed.append(name);
        if (themed.isEmpty()) {
            // A theme the folder does not hold (removed, or from another set): all pictures.
        } else {
            // Enough for a round without a repeat inside it? Asked only as far as six.
            int usable = 0;
            themed.removeIf([&](const QString& name) {
                if (usable >= WordSlots) return false;
                const bool picture = folder.isPicture(name);
                usable += picture;
                return !picture;
            });
            if (usable >= WordSlots) {
                candidates = themed;
            } else {
                candidates.removeIf([&](const QString& name) { return inTheme(name, theme); });
            }
        }
    }
    const bool topUp = !themed.isEmpty() && themed.size() < WordSlots;
    QSet<QString>& used = m_used[themed.isEmpty() ? QString() : theme.toCaseFolded()];

    std::array<QString, WordSlots> accepted;
    for (auto& name : accepted) {
        if (topUp && !themed.isEmpty()) {
            // Each of a short theme's pictures once, in a drawn order, then the others.
            name = themed.takeAt(random.draw(static_cast<int>(themed.size())));
        } else {
            name = drawOne(candidates, folder, random, used);
        }
        if (name.isEmpty()) continue;
        m_List1.append(name);
        used.insert(name);
    }
    return accepted;
}

QString PictureChooser::drawOne(QStringList& candidates, PictureFolder& folder,
                                RandomSource& random, const QSet<QString>& used) const {
    int draws = 0;
    while (!candidates.isEmpty()) {
        const int r = random.draw(static_cast<int>(candidates.size()));
        const QString name = candidates[r];
        if (!folder.isPicture(name)) {
            // A file that is no picture is dropped for this round; that draw does not count.
            candidates.removeAt(r);
            continue;
        }
        const bool repeat = used.contains(name);
        if (++draws == MaxDraws || !repeat) return name;
    }
    return {};
}
