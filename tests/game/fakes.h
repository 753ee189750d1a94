// Stand-ins for the game core's tests: a picture folder given as a list of names.
#pragma once

#include "game.h"

#include <QSet>

class FakeFolder final : public PictureFolder {
  public:
    explicit FakeFolder(QStringList names = {}, QSet<QString> notPictures = {})
        : names(std::move(names)), notPictures(std::move(notPictures)) {}

    QStringList listing() override {
        ++listings;
        QStringList sorted = names;
        sortListing(sorted);
        return sorted;
    }
    bool isPicture(const QString& name) override {
        ++checks;
        return !notPictures.contains(name);
    }
    QString location() const override { return QStringLiteral("fake"); }

    QStringList names;
    QSet<QString> notPictures;
    int listings = 0;
    int checks = 0;
};

// The u that draws index i of n: the middle of its interval, safe from rounding.
inline double pick(int i, int n) {
    return (i + 0.5) / n;
}
