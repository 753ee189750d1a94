// Picture words, the folder listing and the draw of a round's six pictures.
#include "picture_words.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
// The name before its last dot, or the whole name without one.
QStringView stemOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView(fileName) : QStringView(fileName).left(dot);
}
} // namespace

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

bool givesPlaceableWord(const QString& fileName) {
    // Plain ASCII names, by far the most common, keep their length in capitals: no need to
    // build the word to measure it.
    const QStringView stem = stemOf(fileName);
    if (std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return !stem.isEmpty() && stem.size() <= MaxWordLength;
    const auto word = pictureWord(fileName);
    if (!word) return false;
    const auto length = wordLetters(*word).size();
    return length >= 1 && length <= static_cast<std::size_t>(MaxWordLength);
}

void sortListing(QStringList& names) {
    // Each name is folded once rather than at every comparison: ten thousand names sort in a
    // fraction of the time.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names) keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end()); // names equal but for case keep a fixed order
    for (qsizetype k = 0; k < names.size(); ++k) names[k] = std::move(keyed[k].second);
}

DiskPictureFolder::DiskPictureFolder(QString folder, DecodeCheck canDecode)
    : m_folder(std::move(folder)), m_canDecode(std::move(canDecode)) {}

QString DiskPictureFolder::pathOf(const QString& fileName) const {
    return m_folder + QLatin1Char('/') + fileName;
}

QStringList DiskPictureFolder::listing() {
    // Adding, removing or renaming a file changes the folder's time. Some file systems keep that
    // time only to the second or two, so a listing read within 2 s of the folder's last change
    // is read again next time: a change in the same second is never missed.
    constexpr qint64 CoarsestTimeMs = 2000;
    const QDateTime folderTime = QFileInfo(m_folder).lastModified();
    const bool unchanged = folderTime.isValid() && folderTime == m_listedFolderTime &&
                           folderTime.msecsTo(m_listedAt) > CoarsestTimeMs;
    if (unchanged) return m_listed;
    m_listedAt = QDateTime::currentDateTimeUtc();
    m_listed = QDir(m_folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    sortListing(m_listed);
    m_listedFolderTime = folderTime;
    return m_listed;
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
    for (const auto& layer : m_layers) listings.push_back(layer->listing());
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
                for (const QString& name : listings[k]) m_owner.insert(name, int(k));
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

QString LayeredPictureFolder::pathOf(const QString& fileName) const {
    const auto found = m_owner.constFind(fileName);
    if (found != m_owner.constEnd()) return m_layers[static_cast<std::size_t>(*found)]->pathOf(fileName);
    return pictureIn(m_folders, fileName);
}

QString pictureIn(const QStringList& folders, const QString& fileName) {
    for (const QString& folder : folders) {
        const QString path = folder + QLatin1Char('/') + fileName;
        if (QFileInfo(path).isFile()) return path;
    }
    return folders.isEmpty() ? fileName : folders.back() + QLatin1Char('/') + fileName;
}

std::array<QString, WordSlots> PictureChooser::choose(PictureFolder& folder, RandomSource& random) {
    // The folder is listed once a round; names that can give no placeable word are no candidates.
    QStringList candidates = folder.listing();
    candidates.removeIf([](const QString& name) { return !givesPlaceableWord(name); });

    std::array<QString, WordSlots> accepted;
    for (auto& name : accepted) {
        name = drawOne(candidates, folder, random);
        if (name.isEmpty()) continue;
        m_List1.append(name);
        m_usedSet.insert(name);
    }
    return accepted;
}

QString PictureChooser::drawOne(QStringList& candidates, PictureFolder& folder,
                                RandomSource& random) const {
    int draws = 0;
    while (!candidates.isEmpty()) {
        const int r = random.draw(static_cast<int>(candidates.size()));
        const QString name = candidates[r];
        if (!folder.isPicture(name)) {
            // A file that is no picture is dropped for this round; that draw does not count.
            candidates.removeAt(r);
            continue;
        }
        const bool repeat = m_usedSet.contains(name);
        if (++draws == MaxDraws || !repeat) return name;
    }
    return {};
}
