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

VoiceSwitch readVoiceSwitch(const QString& switchFilePath) {
    ItemFile file(switchFilePath);
    VoiceSwitch read;
    read.speakingItem = file.readText();
    read.lettersItem = file.readText();
    if (read.speakingItem) {
        const QString word = plain(*read.speakingItem);
        if (word == u"no" || word == u"off")
            read.speaking = Speaking::Off;
        else if (word == u"grabaciones" || word == u"recordings")
            read.speaking = Speaking::RecordingsOnly;
        else
            read.speakingUnderstood = word == u"si" || word == u"on";
    }
    if (read.lettersItem) {
        const QString word = plain(*read.lettersItem);
        read.lowerCase = word == u"minusculas" || word == u"lowercase";
        read.lettersUnderstood = read.lowerCase || word == u"mayusculas" || word == u"capitals";
    }
    return read;
}

bool readLowerCase(const QString& switchFilePath) {
    return readVoiceSwitch(switchFilePath).lowerCase;
}

Speaking readSpeaking(const QString& switchFilePath) {
    return readVoiceSwitch(switchFilePath).speaking;
}

QLocale voiceLanguage(const assets::AssetPaths& paths) {
    const QString code = paths.set().languageCode;
    return QLocale(code.isEmpty() ? QStringLiteral("es") : code);
}
