// The per-language table of plain letters and filler alphabets, and the filler draw.
#include "board_letters.h"

#include <QChar>
#include <QHash>
#include <algorithm>
#include <string_view>

namespace {

// A letter of a language's own that carries a mark, kept on plain boards and drawn as a filler as
// often as it occurs in the language's running text (hundredths of a percent of its letters).
struct OwnLetter {
    char32_t capital;
    int basisPoints;
};

struct LanguageLetters {
    std::u16string_view code; // the first subtag of the set's language
    std::array<OwnLetter, 3> own;
    int ownCount;
    LetterStyle defaultStyle;
    // As written, the fillers take in the round's accented letters; Spanish and English keep A-Z.
    bool writtenFillersFromWords;
    bool ligaturesSplit; // œ and æ printed as oe and ae
};

constexpr LetterStyle Written = LetterStyle::AsWritten;
constexpr LetterStyle Plain = LetterStyle::Plain;

// Letter frequencies: Spanish ñ 0.31 %; German ä 0.54 %, ö 0.30 %, ü 0.65 % of running text.
constexpr std::array<LanguageLetters, 7> Languages = {{
    {u"es", {{{U'Ñ', 31}}}, 1, Written, false, false},
    {u"en", {}, 0, Written, false, false},
    {u"de", {{{U'Ä', 54}, {U'Ö', 30}, {U'Ü', 65}}}, 3, Plain, true, false},
    {u"fr", {}, 0, Plain, true, true},
    {u"pt", {}, 0, Plain, true, false},
    {u"it", {}, 0, Plain, true, false},
    {u"ca", {}, 0, Plain, true, false},
}};
// Any other language: every mark dropped, no letter of its own.
constexpr LanguageLetters OtherLanguage = {u"", {}, 0, Plain, true, false};

const LanguageLetters& lettersOf(const QString& language) {
    const QString primary = language.section(QLatin1Char('-'), 0, 0).toLower();
    for (const LanguageLetters& row : Languages)
        if (QStringView(primary) == QStringView(row.code.data(), qsizetype(row.code.size())))
            return row;
    return OtherLanguage;
}

bool isOwn(const LanguageLetters& row, char32_t letter) {
    const QString capital = QString::fromUcs4(&letter, 1).toUpper();
    for (int i = 0; i < row.ownCount; ++i)
        if (capital == QString::fromUcs4(&row.own[i].capital, 1)) return true;
    return false;
}

bool isAToZ(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

// The letter's plain spelling, appended to `out`.
void appendPlain(const LanguageLetters& row, char32_t c, QString& out) {
    switch (c) {
    case U'ß':
        out += QStringLiteral("ss");
        return;
    case U'ẞ':
        out += QStringLiteral("SS");
        return;
    case U'·':
        return; // l·l: the dot joins, it is no letter
    case U'ŀ':
        out += QLatin1Char('l');
        return; // the same dot, fused into the l
    case U'Ŀ':
        out += QLatin1Char('L');
        return;
    default:
        break;
    }
    if (row.ligaturesSplit) {
        const std::pair<char32_t, const char*> ligatures[] = {
            {U'Œ', "OE"}, {U'œ', "oe"}, {U'Æ', "AE"}, {U'æ', "ae"}};
        for (const auto& [ligature, letters] : ligatures)
            if (c == ligature) {
                out += QLatin1String(letters);
                return;
            }
    }
    const QString letter = QString::fromUcs4(&c, 1);
    if (isOwn(row, c)) {
        out += letter;
        return;
    }
    for (const QChar part : letter.normalized(QString::NormalizationForm_D))
        if (!part.isMark()) out += part;
}

} // namespace

LetterStyle defaultLetterStyle(const QString& language) {
    return lettersOf(language).defaultStyle;
}

QString letterStyleValue(LetterStyle style) {
    return style == LetterStyle::Plain ? QStringLiteral("plain") : QStringLiteral("as-written");
}

std::optional<LetterStyle> letterStyleOf(const QString& value) {
    if (value == u"plain") return LetterStyle::Plain;
    if (value == u"as-written") return LetterStyle::AsWritten;
    return std::nullopt;
}

QString plainLetters(const QString& text, const QString& language) {
    const LanguageLetters& row = lettersOf(language);
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4())
        appendPlain(row, c, out);
    return out.normalized(QString::NormalizationForm_C);
}

QString boardWord(const QString& word, const LetterRule& rule) {
    return rule.style == LetterStyle::Plain ? plainLetters(word, rule.language) : word;
}

FillerAlphabet::FillerAlphabet(std::vector<std::pair<char32_t, int>> weighted) {
    for (const auto& [letter, w] : weighted) {
        if (isAToZ(letter) || w <= 0 || weight(letter) > 0) continue;
        m_extra.emplace_back(letter, w);
        m_extraTotal += w;
    }
}

char32_t FillerAlphabet::draw(RandomSource& random) const {
    if (m_extra.empty()) return static_cast<char32_t>(U'A' + random.draw(26));
    int pick = random.draw(26 * UniformWeight + m_extraTotal);
    if (pick < 26 * UniformWeight) return static_cast<char32_t>(U'A' + pick / UniformWeight);
    pick -= 26 * UniformWeight;
    for (const auto& [letter, w] : m_extra) {
        if (pick < w) return letter;
        pick -= w;
    }
    return m_extra.back().first;
}

int FillerAlphabet::weight(char32_t letter) const {
    if (isAToZ(letter)) return UniformWeight;
    for (const auto& [extra, w] : m_extra)
        if (extra == letter) return w;
    return 0;
}

FillerAlphabet fillerAlphabet(const std::array<QString, 6>& boardWords, const LetterRule& rule) {
    const LanguageLetters& row = lettersOf(rule.language);
    // A letter as frequent as the average of A-Z weighs as much as each of them.
    constexpr int AlphabetWeight = 26 * FillerAlphabet::UniformWeight;
    std::vector<std::pair<char32_t, int>> weighted;
    if (rule.style == LetterStyle::AsWritten && !row.writtenFillersFromWords) return {};
    for (int i = 0; i < row.ownCount; ++i)
        weighted.emplace_back(row.own[i].capital, row.own[i].basisPoints * AlphabetWeight / 10000);
    {
        // The round's own words are the letters a child could spot: a teacher's pictures over the
        // set's bring letters of their own, and 72 letters cost nothing to count.
        QHash<char32_t, int> counts;
        int letters = 0;
        for (const QString& word : boardWords)
            for (const char32_t c : word.toUcs4())
                if (QChar::isLetter(c)) {
                    ++letters;
                    if (!isAToZ(c)) ++counts[c];
                }
        std::vector<std::pair<char32_t, int>> found(counts.keyValueBegin(), counts.keyValueEnd());
        std::sort(found.begin(), found.end()); // the same words always give the same alphabet
        for (const auto& [c, n] : found)
            weighted.emplace_back(c, std::max(1, n * AlphabetWeight / letters));
    }
    return FillerAlphabet(std::move(weighted));
}
