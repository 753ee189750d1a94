// The bundled names tables: each set's words for the picture store, as the build makes them files.
#include "picture_words.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString Assets = QStringLiteral(TOLVANO_ASSET_DIR);

// A PNG's width, from its header (the first chunk, IHDR, gives it at byte 16); 0 when it is none.
quint32 pngWidth(const QString& path) {
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(24) : QByteArray();
    if (head.size() < 24 || !head.startsWith("\x89PNG\r\n\x1a\n")) return 0;
    const auto byte = [&](int i) { return quint32(static_cast<unsigned char>(head[i])); };
    return byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19);
}

struct Name {
    QString id, word, theme;
};

// id, word and theme a row; '#' starts a comment. A row that is not three columns fails here. A
// picture the set has no word for is a comment "# left out: <id>: <why>", given back with an
// empty word.
QList<Name> namesTable(const QString& set) {
    QFile file(Assets + QStringLiteral("/idiomas/%1/nombres.tsv").arg(set));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << set.toStdString();
    QList<Name> names;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("# left out: ")) {
            const QList<QByteArray> parts = line.mid(12).split(':');
            EXPECT_GE(parts.size(), 2) << line.toStdString() << ": no reason";
            names.append({QString::fromUtf8(parts[0].trimmed()), {}, {}});
        }
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList columns = QString::fromUtf8(line).split(QLatin1Char('\t'));
        EXPECT_EQ(columns.size(), 3) << line.toStdString();
        if (columns.size() == 3) names.append({columns[0], columns[1], columns[2]});
    }
    return names;
}

TEST(BundledNames, everySetNamesEveryStorePictureWithAPlaceableWordOfItsOwnAndARecording) {
    QHash<QString, QString> store; // id -> its picture
    const QDir pictures(Assets + QStringLiteral("/pictures"));
    for (const QString& theme : pictures.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString& file : QDir(pictures.filePath(theme)).entryList({"*.png"}, QDir::Files))
            store.insert(file.chopped(4), pictures.filePath(theme + QLatin1Char('/') + file));
    ASSERT_GE(store.size(), 300);
    // Each theme's picture in the menu is one of its own.
    QFile themes(pictures.filePath(QStringLiteral("themes.tsv")));
    ASSERT_TRUE(themes.open(QIODevice::ReadOnly));
    QStringList standFor;
    for (const QByteArray& line : themes.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList columns = QString::fromUtf8(line).split(QLatin1Char('\t'));
        ASSERT_EQ(columns.size(), 2) << line.toStdString();
        EXPECT_TRUE(QFile::exists(pictures.filePath(columns[0] + '/' + columns[1] + ".png")))
            << line.toStdString();
        standFor.append(columns[0]);
    }
    EXPECT_EQ(standFor, pictures.entryList(QDir::Dirs | QDir::NoDotAndDotDot));
    // Sharp beside the board and in the viewer: never enlarged more than twice there.
    for (const QString& path : std::as_const(store))
        EXPECT_GE(pngWidth(path), 512u) << path.toStdString();

    const QStringList sets =
        QDir(Assets + QStringLiteral("/idiomas")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(sets.size(), 7);
    for (const QString& set : sets) {
        const QList<Name> names = namesTable(set);
        // German writes its nouns with a capital, as its table does; the board holds capitals
        // anyway.
        const bool capitalNouns = set == QStringLiteral("de");
        QSet<QString> ids, words, themes;
        for (const Name& name : names) {
            const std::string row = (set + QLatin1Char(' ') + name.id).toStdString();
            EXPECT_TRUE(store.contains(name.id)) << row << ": no such picture";
            EXPECT_FALSE(ids.contains(name.id)) << row << ": named twice";
            ids.insert(name.id);
            if (name.word.isEmpty()) continue; // left out
            const QString file = name.word + QStringLiteral(".png");
            EXPECT_TRUE(givesPlaceableWord(file)) << row << ": " << name.word.toStdString();
            QString asWritten = lowerCaseWord(file);
            if (capitalNouns) asWritten[0] = asWritten[0].toUpper();
            EXPECT_EQ(asWritten, name.word) << row << ": not written as the set writes it";
            EXPECT_FALSE(words.contains(lowerCaseWord(file))) << row << ": a word twice";
            words.insert(lowerCaseWord(file));
            EXPECT_FALSE(name.theme.isEmpty() || name.theme.contains(QLatin1Char('/'))) << row;
            themes.insert(name.theme);
            EXPECT_TRUE(QFile::exists(
                Assets + QStringLiteral("/idiomas/%1/voces/%2.wav").arg(set, name.word)))
                << row << ": no recording";
        }
        EXPECT_EQ(ids.size(), store.size())
            << set.toStdString() << ": pictures neither named nor left out";
        EXPECT_GE(themes.size(), 10) << set.toStdString();
    }
}

} // namespace
