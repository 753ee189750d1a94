// tolvano.conf read and written through QSettings, and the user's folders from QStandardPaths.
#include "user_settings.h"

#include "regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <array>

namespace assets {

namespace {

// A name Qt can open a file by: the system's bytes come back the same after decoding.
bool nameable(const QString& path) {
    return !path.contains(QChar::ReplacementCharacter);
}

QString homeProblem(const QString& home) {
    return QStringLiteral("the home folder's name (%1) cannot be used as a file name").arg(home);
}

} // namespace

UserFolders userFolders() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    UserFolders folders;
    for (const QString& where : {config, data}) {
        if (where.isEmpty()) {
            folders.problem = QStringLiteral("there is no home folder");
            return folders;
        }
        if (!nameable(where)) {
            folders.problem = homeProblem(where);
            return folders;
        }
    }
    folders.config = config + QStringLiteral("/tolvano");
    folders.data = data + QStringLiteral("/tolvano");
    return folders;
}

QString settingsFile(const UserFolders& folders) {
    return folders.config.isEmpty() ? QString() : folders.config + QStringLiteral("/tolvano.conf");
}

} // namespace assets

namespace {

// A teacher's file is a few lines; anything larger is no settings file of ours.
constexpr qint64 MaxSettingsBytes = 64 * 1024;

const QString LanguageKey = QStringLiteral("language");
const QString VoiceKey = QStringLiteral("voice");
const QString LowerCaseKey = QStringLiteral("lowercase");
const QString SecondsKey = QStringLiteral("secondsPerWord");
const QString PicturesKey = QStringLiteral("pictures");
const QString ThemeKey = QStringLiteral("theme");
const QString ThemesKey = QStringLiteral("themes");
const QString LettersKey = QStringLiteral("letters");

std::optional<Speaking> speakingOf(const QString& value) {
    if (value == u"on") return Speaking::On;
    if (value == u"recordings") return Speaking::RecordingsOnly;
    if (value == u"off") return Speaking::Off;
    return std::nullopt;
}

std::optional<bool> truthOf(const QString& value) {
    if (value == u"true") return true;
    if (value == u"false") return false;
    return std::nullopt;
}

std::optional<int> secondsOf(const QString& value) {
    bool ok = false;
    const int seconds = value.toInt(&ok);
    if (!ok) return std::nullopt;
    for (int allowed : {SecondsSlow, SecondsNormal, SecondsFast, SecondsNoClock})
        if (seconds == allowed) return seconds;
    return std::nullopt;
}

std::optional<bool> onlyMineOf(const QString& value) {
    if (value == u"mine") return true;
    if (value == u"all") return false;
    return std::nullopt;
}

// A set's folder name: one folder below idiomas/, not hidden.
std::optional<QString> languageOf(const QString& value) {
    if (value.isEmpty() || value.startsWith(u'.') || value.contains(u'/') || value.contains(u'\\'))
        return std::nullopt;
    return value;
}

// A theme's folder name, or empty for all pictures.
std::optional<QString> themeOf(const QString& value) {
    if (value.isEmpty()) return value;
    return languageOf(value);
}

std::optional<bool> shownOf(const QString& value) {
    if (value == u"shown") return true;
    if (value == u"hidden") return false;
    return std::nullopt;
}

// The key's value as text; a list (a value with a comma, unquoted) is no value of ours.
std::optional<QString> textOf(const QVariant& value) {
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return value.toString().trimmed();
}

template <typename T, typename Parse>
void readKey(const QSettings& file, const QString& key, Parse parse, std::optional<T>& into,
             QList<SettingsProblem>& problems) {
    // QSettings reads the [general] group, in any case, as no group at all: its keys are top-level.
    const QString found = key;
    if (!file.contains(found)) return;
    const QVariant value = file.value(found);
    const std::optional<QString> text = textOf(value);
    if (text)
        if (const auto parsed = parse(*text)) {
            into = *parsed;
            return;
        }
    problems.append(
        {SettingsProblem::Kind::BadValue, found, text ? *text : value.toStringList().join(u',')});
}

bool isKnownKey(const QString& key) {
    for (const QString& known : {LanguageKey, VoiceKey, LowerCaseKey, SecondsKey, PicturesKey,
                                 ThemeKey, ThemesKey, LettersKey})
        if (key == known) return true;
    return false;
}

} // namespace

int runnerIntervalFor(int seconds) {
    constexpr int NormalInterval = 300;
    return NormalInterval * seconds / SecondsNormal;
}

QString voiceValue(Speaking speaking) {
    switch (speaking) {
    case Speaking::RecordingsOnly:
        return QStringLiteral("recordings");
    case Speaking::Off:
        return QStringLiteral("off");
    case Speaking::On:
        break;
    }
    return QStringLiteral("on");
}

UserSettings readUserSettings(const QString& path) {
    UserSettings settings;
    if (path.isEmpty() || (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink()))
        return settings;
    settings.exists = true;
    // QSettings would block on a FIFO and read a device for ever: only a regular file of a
    // settings file's size reaches it.
    const QFileInfo info(path);
    if (!isRegularFile(path) || info.size() > MaxSettingsBytes || !info.isReadable()) {
        settings.problems.append({SettingsProblem::Kind::Unreadable, {}, {}});
        return settings;
    }
    const QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) {
        settings.problems.append({SettingsProblem::Kind::Unreadable, {}, {}});
        return settings;
    }
    readKey(file, LanguageKey, languageOf, settings.language, settings.problems);
    readKey(file, VoiceKey, speakingOf, settings.voice, settings.problems);
    readKey(file, LowerCaseKey, truthOf, settings.lowerCase, settings.problems);
    readKey(file, SecondsKey, secondsOf, settings.secondsPerWord, settings.problems);
    readKey(file, PicturesKey, onlyMineOf, settings.onlyMine, settings.problems);
    readKey(file, ThemeKey, themeOf, settings.theme, settings.problems);
    readKey(file, ThemesKey, shownOf, settings.themeRowShown, settings.problems);
    readKey(file, LettersKey, letterStyleOf, settings.letters, settings.problems);
    for (const QString& key : file.allKeys())
        if (!isKnownKey(key))
            settings.problems.append({SettingsProblem::Kind::UnknownKey, key, {}});
    return settings;
}

std::optional<QString> writeUserSettings(const QString& path, const UserSettings& settings) {
    if (path.isEmpty()) return QStringLiteral("there is no home folder");
    const QFileInfo info(path);
    // What is there must be a settings file: QSettings reads it before writing it back.
    if ((info.exists() || info.isSymLink()) &&
        (!isRegularFile(path) || info.size() > MaxSettingsBytes))
        return QStringLiteral("%1 is not a settings file").arg(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("the folder %1 cannot be made").arg(info.absolutePath());
    QSettings file(path, QSettings::IniFormat);
    // QSettings writes the whole file beside it and renames it over the old one.
    file.setAtomicSyncRequired(true);
    // Top-level keys, which QSettings writes under [General] and reads from [general] too.
    if (settings.language) file.setValue(LanguageKey, *settings.language);
    if (settings.voice) file.setValue(VoiceKey, voiceValue(*settings.voice));
    if (settings.lowerCase)
        file.setValue(LowerCaseKey,
                      *settings.lowerCase ? QStringLiteral("true") : QStringLiteral("false"));
    if (settings.secondsPerWord)
        file.setValue(SecondsKey, QString::number(*settings.secondsPerWord));
    if (settings.onlyMine)
        file.setValue(PicturesKey,
                      *settings.onlyMine ? QStringLiteral("mine") : QStringLiteral("all"));
    if (settings.theme) file.setValue(ThemeKey, *settings.theme);
    if (settings.themeRowShown)
        file.setValue(ThemesKey,
                      *settings.themeRowShown ? QStringLiteral("shown") : QStringLiteral("hidden"));
    if (settings.letters) file.setValue(LettersKey, letterStyleValue(*settings.letters));
    file.sync();
    switch (file.status()) {
    case QSettings::NoError:
        return std::nullopt;
    case QSettings::AccessError:
        return QStringLiteral("%1 cannot be written").arg(path);
    case QSettings::FormatError:
        return QStringLiteral("%1 is not a settings file").arg(path);
    }
    return QStringLiteral("%1 cannot be written").arg(path);
}
