// Reading the voice switch: one item, a few words in Spanish or English, anything else on.
#include "voice_switch.h"

#include "asset_paths.h"
#include "text_file.h"

namespace {

// "Sí" and "si" alike: the letters without their accents, in lower case.
QString plain(const QString& text) {
    QString letters;
    for (const QChar c : text.trimmed().normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) letters += c.toLower();
    return letters;
}

} // namespace

bool readLowerCase(const QString& switchFilePath) {
    ItemFile file(switchFilePath);
    file.readText();
    const std::optional<QString> item = file.readText();
    if (!item) return false;
    const QString word = plain(*item);
    return word == u"minusculas" || word == u"lowercase";
}

Speaking readSpeaking(const QString& switchFilePath) {
    ItemFile file(switchFilePath);
    const std::optional<QString> item = file.readText();
    if (!item) return Speaking::On;
    const QString word = plain(*item);
    if (word == u"no" || word == u"off") return Speaking::Off;
    if (word == u"grabaciones" || word == u"recordings") return Speaking::RecordingsOnly;
    return Speaking::On;
}

QLocale voiceLanguage(const QString& programFolder) {
    const QString code = assets::activeSet(programFolder).languageCode;
    return QLocale(code.isEmpty() ? QStringLiteral("es") : code);
}
