// Fitting the score button's text: smaller letters, then closer ones, then a shortened word.
#include "score_button.h"

#include "game.h"
#include "game_font.h"

#include <QFontMetrics>
#include <algorithm>

namespace {
// The score button's text shrinks to fit, down to this size.
constexpr double SmallestScorePoints = 8;
} // namespace

ScoreButton::ScoreButton(QWidget* parent) : QPushButton(parent) {
    setObjectName(QStringLiteral("Command3"));
    setEnabled(false);
}

// The score, or the hint's count, at the largest size up to the design size that fits its button,
// down to SmallestScorePoints and then with its letters drawn closer. A teacher's connecting word
// too long even then gives way, never the numbers.
void ScoreButton::fitText(const Game& game, double growth) {
    const QString& text = game.Command3Caption;
    const int room = contentsRect().width() - 4; // clear of the border
    const auto width = [](const QFont& font, const QString& shown) {
        return QFontMetrics(font).horizontalAdvance(shown);
    };
    QFont font = arial(ScorePoints * growth, true);
    for (double points = font.pointSizeF(); points > SmallestScorePoints; points -= 0.5) {
        font.setPointSizeF(points);
        if (width(font, text) <= room) break;
    }
    if (width(font, text) > room) {
        font.setPointSizeF(SmallestScorePoints);
        for (int spacing = 100; spacing >= 85 && width(font, text) > room; spacing -= 5)
            font.setLetterSpacing(QFont::PercentageSpacing, spacing);
    }
    QString shown = text;
    const QString& word = game.ScoreOfWord;
    if (width(font, text) > room && !word.isEmpty() && text == game.ScoreText()) {
        const QFontMetrics metrics(font);
        const int others = width(font, text) - width(font, word);
        for (int wordRoom = std::max(0, room - others); wordRoom >= 0; wordRoom -= 2) {
            shown =
                game.ScoreText(metrics.elidedText(word, Qt::ElideRight, wordRoom)).value_or(text);
            if (width(font, shown) <= room) break;
        }
    }
    setFont(font);
    setText(shown);
}
