// Checks the finished assets the way the game will load them: every GIF through QMovie (size,
// frames, loop count, length) and every picture through QImage; optionally saves each GIF frame
// as Qt decodes it, to look at.
//
// Usage: check_media ASSETS_DIR [FRAME_DIR]
// Exits non-zero when a file is missing or does not load, or a GIF breaks its expected looping.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMovie>

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

int checkFolder(const QString& dir) {
    const QStringList names = QDir(dir).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        checkPicture(dir + '/' + name, QSize(256, 256));
    return int(names.size());
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
    const int es = checkFolder(assets + "/idiomas/es/imagenes");
    const int en = checkFolder(assets + "/idiomas/en/imagenes");
    std::printf("pictures: %d Spanish, %d English\n", es, en);
    if (es < 100 || en != es)
        problem("the picture folders should hold at least 100 pictures each, as many in both");
    return problems == 0 ? 0 : 1;
}
