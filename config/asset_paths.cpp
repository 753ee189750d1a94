// Asset paths: the active language set read from idiomas/activo.txt, and each relative path sent
// to the root its first folder belongs to.
#include "asset_paths.h"

#include "picture_words.h"
#include "text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace assets {

namespace {

const QString SetsFolder = QStringLiteral("/idiomas");
const QString DefaultSet = QStringLiteral("es");
const QString DefaultCode = QStringLiteral("es");

QString firstLine(const QString& path) {
    return LineFile(path).readLine().value_or(QString()).trimmed();
}

// The name is joined to a folder path, so it must stay one folder below idiomas/; hidden names
// are refused with "." and "..", since a teacher never sees them in the file manager.
bool isSetName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') &&
           !name.contains(QStringLiteral(".."));
}

// A later feature hands the code to a speech engine, so only the characters of a language tag
// (RFC 5646: letters, digits and hyphens, at most 35) get through; "en_GB" is tolerated.
bool isLanguageTag(const QString& code) {
    if (code.isEmpty() || code.size() > 35 || !code.front().isLetter()) return false;
    for (const QChar c : code)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'_') return false;
    return true;
}

// English tags all start with "en" (en, en-GB, en-US); every other set keeps the Spanish texts,
// the game's own.
Language languageOf(const QString& code) {
    return code.startsWith(QLatin1String("en"), Qt::CaseInsensitive) ? Language::English
                                                                     : Language::Spanish;
}

bool setIsThere(const QString& textsRoot, const QString& name) {
    return isSetName(name) && QFileInfo(textsRoot + SetsFolder + u'/' + name).isDir();
}

QString chosenSet(const QString& textsRoot, const QString& chosen) {
    const QString sets = textsRoot + SetsFolder;
    if (setIsThere(textsRoot, chosen)) return chosen;
    if (QFileInfo(sets + u'/' + DefaultSet).isDir()) return DefaultSet;
    const QStringList names = QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
        if (isSetName(name)) return name;
    return DefaultSet;
}

bool isOldLayout(const Roots& roots) {
    return QFileInfo(roots.texts + QStringLiteral("/configuracion")).isDir() ||
           QFileInfo(roots.pictures + QStringLiteral("/imagenes")).isDir();
}

// The first folder of a relative path, without its leading separator.
QStringView firstFolder(QStringView relative) {
    const QStringView rest = relative.startsWith(u'\\') ? relative.sliced(1) : relative;
    const qsizetype end = rest.indexOf(u'\\');
    return end < 0 ? rest : rest.first(end);
}

Roots roots(const QString& programFolder) {
#ifdef TOLVANO_SYSTEM_PROGRAM_DIR
    if (programFolder == QStringLiteral(TOLVANO_SYSTEM_PROGRAM_DIR))
        return {QStringLiteral(TOLVANO_SYSTEM_TEXTS_DIR),
                QStringLiteral(TOLVANO_SYSTEM_PICTURES_DIR),
                QStringLiteral(TOLVANO_SYSTEM_MEDIA_DIR)};
#endif
    return {programFolder, programFolder, programFolder};
}

LanguageSet activeSet(const Roots& roots, const UserSettings& user) {
    LanguageSet set;
    set.userChoice = user.language.value_or(QString());
    if (isOldLayout(roots)) {
        set.folder = roots.texts;
        set.dataFolder = roots.pictures;
    } else {
        set.requestedName = firstLine(roots.texts + SetsFolder + QStringLiteral("/activo.txt"));
        set.requestedIsSetName = isSetName(set.requestedName);
        set.userChoiceFollowed = setIsThere(roots.texts, set.userChoice);
        set.name = chosenSet(roots.texts,
                             set.userChoiceFollowed ? set.userChoice : set.requestedName);
        set.folder = roots.texts + SetsFolder + u'/' + set.name;
        set.dataFolder = roots.pictures + SetsFolder + u'/' + set.name;
    }
    set.writtenCode = firstLine(set.folder + QStringLiteral("/configuracion/lengua.txt"));
    set.languageCode = isLanguageTag(set.writtenCode) ? set.writtenCode : DefaultCode;
    set.language = languageOf(set.languageCode);
    return set;
}

// Where a relative path goes in one source: by its first folder.
QString sourceFile(const AssetSource& source, QStringView relative) {
    const QStringView first = firstFolder(relative);
    QString base;
    if (first == u"configuracion")
        base = source.set.folder;
    else if (first == u"imagenes" || first == u"voces")
        base = source.set.dataFolder;
    else if (first == u"gifs" || first == u"sonidos")
        base = source.roots.media;
    else
        base = source.roots.texts;
    QString relativePath = relative.toString();
    relativePath.replace(u'\\', u'/');
    return base + relativePath;
}

AssetSource sourceOf(const Roots& roots, const UserSettings& user) {
    AssetSource source{roots, activeSet(roots, user), {}, {}, {}, {}, {}};
    source.textFolder = sourceFile(source, u"\\configuracion");
    source.pictureFolder = sourceFile(source, PictureFolder);
    source.voiceFolder = sourceFile(source, VoiceFolder);
    source.gifFolder = sourceFile(source, u"\\gifs");
    source.soundFolder = sourceFile(source, u"\\sonidos");
    return source;
}

// The user's pictures and recordings of the same set; an old-layout folder's set has no name, and
// its language's usual one stands in.
AssetSource userSourceOf(const AssetSource& program, const UserFolders& user) {
    AssetSource source{{QString(), user.data, QString()}, program.set, {}, {}, {}, {}, {}};
    const QString name = program.set.name.isEmpty()
                             ? (program.set.language == Language::English ? QStringLiteral("en")
                                                                          : DefaultSet)
                             : program.set.name;
    source.set.name = name;
    source.set.folder.clear();
    source.set.dataFolder = user.data + SetsFolder + u'/' + name;
    source.pictureFolder = sourceFile(source, PictureFolder);
    source.voiceFolder = sourceFile(source, VoiceFolder);
    return source;
}

} // namespace

AssetPaths resolve(const Roots& roots, const QString& programFolder, const UserFolders& user) {
    AssetPaths paths;
    paths.m_programFolder = programFolder;
    paths.m_userFolders = user;
    paths.m_userSettings = readUserSettings(settingsFile(user));
    paths.m_sources.append(sourceOf(roots, paths.m_userSettings));
    if (!user.data.isEmpty()) paths.m_sources.append(userSourceOf(paths.m_sources.front(), user));
    return paths;
}

AssetPaths resolve(const QString& programFolder, const UserFolders& user) {
    return resolve(roots(programFolder), programFolder, user);
}

AssetPaths resolve(const QString& programFolder) {
    return resolve(programFolder, userFolders());
}

namespace {

// The recording for a word in one voice folder: the exact name, else one differing only in case.
std::optional<QString> recordingIn(const QString& folder, const QString& name) {
    const QString exact = folder + u'/' + name + QStringLiteral(".wav");
    if (QFileInfo::exists(exact)) return exact;
    const QString wanted = name + QStringLiteral(".wav");
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
    for (const QString& candidate : names) {
        if (candidate.compare(wanted, Qt::CaseInsensitive) == 0) return folder + u'/' + candidate;
    }
    return std::nullopt;
}

} // namespace

QString programFolder() {
    // The kernel names the running file with every link resolved, as raw bytes; Qt's own answer
    // has been decoded already, and an undecodable name is lost in it. The path is absolute, so
    // a second call enters the same folder again.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
    const std::string folder = program.parent_path().native();
    return reachableFolder(QByteArray(folder.data(), static_cast<qsizetype>(folder.size())));
}

QString reachableFolder(const QByteArray& systemPath) {
    const QString named = QFile::decodeName(systemPath);
    if (QFile::encodeName(named) == systemPath) return named;
    if (::chdir(systemPath.constData()) == 0) return QStringLiteral(".");
    return named;
}

QString AssetPaths::file(QStringView relative) const {
    return sourceFile(source(), relative);
}

QString AssetPaths::setsFile() const {
    return roots().texts + SetsFolder + QStringLiteral("/activo.txt");
}

QString AssetPaths::languageCodeFile() const {
    return source().textFolder + QStringLiteral("/lengua.txt");
}

QString AssetPaths::levelGif(int n) const {
    return source().gifFolder + QStringLiteral("/%1.gif").arg(n);
}

QStringList AssetPaths::pictureFolders() const {
    const AssetSource* user = userSource();
    if (!user) return {source().pictureFolder};
    if (m_userSettings.onlyMine.value_or(false)) return {user->pictureFolder};
    return {user->pictureFolder, source().pictureFolder};
}

QString AssetPaths::userPictureFolder() const {
    return userSource() ? userSource()->pictureFolder : QString();
}

QString AssetPaths::userVoiceFolder() const {
    return userSource() ? userSource()->voiceFolder : QString();
}

QStringList AssetPaths::setNames() const {
    if (!set().name.isEmpty() || !isOldLayout(roots())) {
        QStringList names =
            QDir(roots().texts + SetsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        names.removeIf([](const QString& name) { return !isSetName(name); });
        return names;
    }
    return {};
}

QString AssetPaths::picture(const QString& fileName) const {
    return pictureIn(pictureFolders(), fileName);
}

QString AssetPaths::recording(const QString& pictureFileName) const {
    // Recordings are by word, not by theme: animales/perro.png is said by voces/perro.wav.
    const QString fileName = pictureFileName.mid(pictureFileName.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString name = dot > 0 ? fileName.left(dot) : fileName;
    if (const AssetSource* user = userSource())
        if (const auto found = recordingIn(user->voiceFolder, name)) return *found;
    return recordingIn(source().voiceFolder, name)
        .value_or(source().voiceFolder + u'/' + name + QStringLiteral(".wav"));
}

::LanguageFile AssetPaths::languageFile() const {
    return ::LanguageFile(file(LanguageFile), language());
}

QString AssetPaths::windowPicture(QStringView name) const {
    // The screens library compiles them in under this prefix.
    return QStringLiteral(":/ventanas/") + name.toString();
}

AssetPaths AssetPaths::resolvedAgain() const {
    return resolve(roots(), m_programFolder, m_userFolders);
}

bool AssetPaths::holdsGameFolders() const {
    const Roots& where = roots();
    for (const QString& root : {where.texts, where.pictures, where.media}) {
        const QDir dir(root);
        for (const char* gameFolder : {"idiomas", "configuracion", "imagenes", "gifs", "sonidos"}) {
            if (dir.exists(QString::fromLatin1(gameFolder))) return true;
        }
    }
    return false;
}

} // namespace assets
