// The letters a board may show in each language: its plain letters and its filler alphabet.
//
// Printed word searches leave the accents out, keeping only the letters a language counts as its
// own (Spanish Ñ, German Ä Ö Ü), and draw their fillers from the same letters, so that no letter
// of the grid belongs to a word alone. A board "as written" shows the words' own letters; its
// fillers then take in the round's other letters too, except in Spanish and English, whose boards
// keep the A-Z fillers they always had. Only the board changes: the caption, the word list and
// the spoken word keep the word as written.
#pragma once

#include "random_source.h"

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class LetterStyle { AsWritten, Plain };

// How one game spells its words on the board: the set's language (BCP 47, from lengua.txt; only
// its first subtag counts) and the style. Until told otherwise a game is Spanish as written, as a
// set without a language is.
struct LetterRule {
    QString language = QStringLiteral("es");
    LetterStyle style = LetterStyle::AsWritten;
};

// The style a language's boards have until someone chooses: as written for Spanish and English,
// as their boards always were; plain for every other language.
LetterStyle defaultLetterStyle(const QString& language);

// The values of the setting letters=, and back.
QString letterStyleValue(LetterStyle style);
std::optional<LetterStyle> letterStyleOf(const QString& value);

// The text in the language's plain letters, in any case: marks dropped but for the language's own
// letters, ß as ss, œ and æ as oe and ae where the language writes them so, and the Catalan middle
// dot (l·l), which is no letter, left out.
QString plainLetters(const QString& text, const QString& language);

// The word as the rule spells it on the board: the word itself, or its plain letters.
QString boardWord(const QString& word, const LetterRule& rule);

// The letters fillers are drawn from, each with its weight. With nothing but A-Z, each as likely,
// a filler takes a single draw of 26, as boards always did, so seeded and scripted rounds of
// Spanish and English boards replay letter for letter.
class FillerAlphabet {
  public:
    FillerAlphabet() = default; // A-Z, each as likely
    explicit FillerAlphabet(std::vector<std::pair<char32_t, int>> weighted);

    char32_t draw(RandomSource& random) const;
    // The letter's weight, 0 for a letter never drawn; A-Z letters weigh UniformWeight.
    int weight(char32_t letter) const;
    bool onlyAToZ() const { return m_extra.empty(); }

    static constexpr int UniformWeight = 1000;

  private:
    std::vector<std::pair<char32_t, int>> m_extra; // beyond A-Z
    int m_extraTotal = 0;
};

// The fillers of a round whose words the board spells as `boardWords`. Spanish and English boards
// as written: A-Z alone, as always. Every other board: A-Z, the language's own letters as often as
// in its running text, and every other letter of the round's words, weighted by how often it
// occurs in them.
FillerAlphabet fillerAlphabet(const std::array<QString, 6>& boardWords, const LetterRule& rule);
