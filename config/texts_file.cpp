// Reading the texts file line by line, each missing or empty line taking its row's default.
#include "texts_file.h"

#include "text_file.h"

QStringList readTexts(const QString& path, std::span<const TextDefault> defaults,
                      Language language) {
    LineFile file(path);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(defaults.size()));
    for (const TextDefault& row : defaults) {
        const QString line = file.readLine().value_or(QString()).trimmed();
        texts << (line.isEmpty() ? row.in(language) : line);
    }
    return texts;
}

QStringList readTexts(const QString& path, Language language) {
    return readTexts(path, TextDefaults, language);
}
