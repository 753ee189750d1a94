// Checks the finished assets the way the game will load them: every GIF through QMovie (size,
// frames, loop count, length), every picture of the store assets/pictures/<theme>/<id>.png through
// QImage, and each set's names table assets/idiomas/<set>/nombres.tsv against the store and the
// set's recordings; optionally saves each GIF frame as Qt decodes it, to look at.
//
// Usage: check_media ASSETS_DIR [FRAME_DIR]
// Exits non-zero when a file is missing or does not load, a GIF breaks its expected looping, or a
// table names a picture the store lacks, gives a word the board cannot hold or gives it twice,
// leaves a picture unnamed without a line saying so ("# left out: <id>: <why>"), or a word has no
// recording.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

int problems = 0;

void problem(const QString& message) {
    std::fprintf(stderr, "check_media: %s\n", qPrintable(message));
    ++problems;
}

// loopCount: -1 plays for ever, 0 plays once (no loop extension).
void checkGif(const QString& path, int expectedLoops, const QString& frameDir) {
    QMovie movie(path);
    if (!movie.isValid()) {
        problem("cannot read " + path);
        return;
    }
    int total = 0;
    for (int i = 0; i < movie.frameCount(); ++i) {
        if (!movie.jumpToFrame(i)) {
            problem(QString("%1: frame %2 does not decode").arg(path).arg(i));
            return;
        }
        total += movie.nextFrameDelay();
        if (!frameDir.isEmpty())
            movie.currentImage().save(QString("%1/%2_%3.png")
                                          .arg(frameDir, QFileInfo(path).baseName())
                                          .arg(i, 2, 10, QChar('0')));
    }
    const QSize size = movie.currentImage().size();
    std::printf("%-12s %3dx%-3d %2d frames %5d ms  loopCount %d\n",
                qPrintable(QFileInfo(path).fileName()), size.width(), size.height(),
                movie.frameCount(), total, movie.loopCount());
    if (movie.loopCount() != expectedLoops)
        problem(QString("%1: loopCount %2, expected %3")
                    .arg(path)
                    .arg(movie.loopCount())
                    .arg(expectedLoops));
}

void checkPicture(const QString& path, QSize expected) {
    const QImage img(path);
    if (img.isNull())
        problem("cannot read " + path);
    else if (expected.isValid() && img.size() != expected)
        problem(QString("%1: %2x%3, expected %4x%5")
                    .arg(path)
                    .arg(img.width())
                    .arg(img.height())
                    .arg(expected.width())
                    .arg(expected.height()));
}

constexpr int kStoreSide = 512; // smallest side of a store picture
constexpr int kSetWords = 300;  // fewest words a bundled set holds
constexpr int kThemeWords = 20; // fewest pictures a theme holds

// The store: picture id to its theme folder. Every picture must load, at least kStoreSide square.
QHash<QString, QString> checkStore(const QString& dir) {
    QHash<QString, QString> themes;
    const QStringList folders = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& theme : folders) {
        const QStringList files =
            QDir(dir + '/' + theme).entryList({"*.png"}, QDir::Files, QDir::Name);
        if (files.size() < kThemeWords)
            problem(QString("%1/%2: %3 pictures, fewer than %4")
                        .arg(dir, theme)
                        .arg(files.size())
                        .arg(kThemeWords));
        for (const QString& file : files) {
            const QString id = QFileInfo(file).completeBaseName();
            if (themes.contains(id))
                problem(QString("%1: %2 in both %3 and %4").arg(dir, id, themes[id], theme));
            themes[id] = theme;
            const QImage img(dir + '/' + theme + '/' + file);
            if (img.isNull())
                problem("cannot read " + dir + '/' + theme + '/' + file);
            else if (img.width() < kStoreSide || img.height() < kStoreSide)
                problem(QString("%1/%2/%3: %4x%5, smaller than %6x%6")
                            .arg(dir, theme, file)
                            .arg(img.width())
                            .arg(img.height())
                            .arg(kStoreSide));
        }
    }
    if (themes.isEmpty()) problem("no pictures in " + dir);
    return themes;
}

// A word the child finds on the board: letters only, 2 to 12 of them in capitals (as the board
// holds them: "Fuß" takes four cells), lower-case but for a German noun's capital, as written.
bool isBoardWord(const QString& word, bool capitalNouns) {
    const qsizetype cells = word.toUpper().size();
    if (word.size() < 2 || cells > 12) return false;
    const QString rest = capitalNouns ? word.mid(1) : word;
    if (capitalNouns && !word[0].isUpper()) return false;
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }) &&
           std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isLower(); });
}

// The set's language code, from its configuracion/lengua.txt (empty without one).
QString languageOf(const QString& setDir) {
    QFile file(setDir + "/configuracion/lengua.txt");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readLine()).trimmed()
                                          : QString();
}

// One set's names table: id, word, theme per row. Returns how many words it gives.
int checkTable(const QString& setDir, const QHash<QString, QString>& store) {
    const QString path = setDir + "/nombres.tsv";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        problem("cannot read " + path);
        return 0;
    }
    QTextStream in(&file);
    const bool capitalNouns = languageOf(setDir) == "de";
    QSet<QString> words, named, leftOut;
    QHash<QString, QString> setTheme; // store theme to this set's theme, one to one
    int line = 0;
    while (!in.atEnd()) {
        const QString row = in.readLine();
        ++line;
        static const QString leftOutMark = "# left out: ";
        if (row.startsWith(leftOutMark)) {
            const QString id = row.mid(leftOutMark.size()).section(':', 0, 0).trimmed();
            if (!store.contains(id) || row.section(':', 2).trimmed().isEmpty())
                problem(QString("%1:%2: not a picture of the store and why it is left out")
                            .arg(path)
                            .arg(line));
            leftOut.insert(id);
        }
        if (row.isEmpty() || row.startsWith('#')) continue;
        const QStringList columns = row.split('\t');
        const QString where = QString("%1:%2").arg(path).arg(line);
        if (columns.size() != 3 || columns[2].isEmpty()) {
            problem(where + ": not id, word and theme");
            continue;
        }
        const QString &id = columns[0], &word = columns[1], &theme = columns[2];
        if (!store.contains(id)) problem(where + ": no picture " + id + " in the store");
        if (!isBoardWord(word, capitalNouns))
            problem(where + ": " + word + " is not 2 to 12 letters written as the set writes them");
        if (words.contains(word)) problem(where + ": " + word + " given twice");
        if (named.contains(id)) problem(where + ": " + id + " named twice");
        if (!QFileInfo::exists(setDir + "/voces/" + word + ".wav"))
            problem(where + ": no recording voces/" + word + ".wav");
        words.insert(word);
        named.insert(id);
        // A theme's pictures share one theme of the set, and no two themes share one.
        const QString storeTheme = store.value(id);
        if (storeTheme.isEmpty()) continue;
        if (!setTheme.contains(storeTheme)) {
            if (!setTheme.key(theme).isEmpty())
                problem(QString("%1: %2 holds both %3 and %4 pictures")
                            .arg(where, theme, setTheme.key(theme), storeTheme));
            else
                setTheme.insert(storeTheme, theme);
        } else if (setTheme[storeTheme] != theme) {
            problem(QString("%1: %2 is in %3, the other %4 pictures in %5")
                        .arg(where, id, theme, storeTheme, setTheme[storeTheme]));
        }
    }
    for (const QString& id : std::as_const(leftOut))
        if (named.contains(id)) problem(path + ": " + id + " both named and left out");
    for (auto it = store.begin(); it != store.end(); ++it)
        if (!named.contains(it.key()) && !leftOut.contains(it.key()))
            problem(path + ": no word for the picture " + it.value() + '/' + it.key());
    const QStringList recordings = QDir(setDir + "/voces").entryList({"*.wav"}, QDir::Files);
    for (const QString& recording : recordings)
        if (!words.contains(QFileInfo(recording).completeBaseName()))
            problem(setDir + "/voces/" + recording + ": no word for it");
    return int(words.size());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return std::fprintf(stderr, "usage: check_media ASSETS_DIR [FRAME_DIR]\n"), 2;
    const QString assets = args[1];
    const QString frames = args.size() > 2 ? args[2] : QString();
    if (!frames.isEmpty()) QDir().mkpath(frames);

    checkGif(assets + "/gifs/corre.gif", -1, frames);
    checkGif(assets + "/gifs/acierto.gif", 0, frames);
    for (int n = 1; n <= 6; ++n)
        checkGif(QString("%1/gifs/%2.gif").arg(assets).arg(n), -1, frames);
    checkPicture(assets + "/ventanas/portada.png", QSize(487, 474));
    checkPicture(assets + "/ventanas/salir.png", QSize(51, 52));
    checkPicture(assets + "/ventanas/minimizar.png", QSize(36, 36));
    const QHash<QString, QString> store = checkStore(assets + "/pictures");
    std::printf("pictures: %d in the store\n", int(store.size()));
    // Every set with a names table: a new language needs no change here.
    const QDir sets(assets + "/idiomas");
    for (const QString& set : sets.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!QFileInfo::exists(sets.filePath(set + "/nombres.tsv"))) continue;
        const int words = checkTable(assets + "/idiomas/" + set, store);
        std::printf("%s: %d words\n", qPrintable(set), words);
        if (words < kSetWords)
            problem(QString("the %1 set gives %2 words, fewer than %3")
                        .arg(set)
                        .arg(words)
                        .arg(kSetWords));
    }
    return problems == 0 ? 0 : 1;
}
