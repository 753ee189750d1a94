// Asset paths: the program folder plus a fixed relative path.
#include "asset_paths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace assets {

QString programFolder() {
    return QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
}

QString path(const QString& programFolder, QStringView relative) {
    QString relativePath = relative.toString();
    relativePath.replace(u'\\', u'/');
    return programFolder + relativePath;
}

QString levelGif(const QString& programFolder, int n) {
    return path(programFolder, QStringLiteral("\\gifs\\%1.gif").arg(n));
}

QString picture(const QString& programFolder, const QString& fileName) {
    return path(programFolder, PictureFolder) + u'/' + fileName;
}

} // namespace assets
