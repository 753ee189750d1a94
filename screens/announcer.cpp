// The screen-reader line of the game screen and the words for a letter's mark.
#include "announcer.h"

#include "texts_file.h"

Announcer::Announcer(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Status"));
    setGeometry(0, 0, 1, 1);
    QPalette unseen = palette();
    unseen.setColor(QPalette::WindowText, Qt::transparent);
    setPalette(unseen);
}

void Announcer::announce(const QStringList& news) {
    setText(news.join(QLatin1Char(' ')));
}

QString describedMark(CellMark mark, const QStringList& texts) {
    switch (mark) {
    case CellMark::Miss:
        return textOf(texts, TextId::LetterMiss);
    case CellMark::Hint:
        return textOf(texts, TextId::LetterHint);
    case CellMark::Found:
        return textOf(texts, TextId::LetterFound);
    case CellMark::Revealed:
        return textOf(texts, TextId::LetterNotFound);
    case CellMark::None:
        break;
    }
    return {};
}
