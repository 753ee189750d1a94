// The language file: the five captions of the windows, each with a compiled-in default text.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

class ItemFile;

// The language whose compiled-in texts stand in for what a teacher's file does not say.
enum class Language { Spanish, English };

// The items of the language file, numbered as they stand in it.
enum class LanguageItem {
    ScoreWord = 1, // joins the two numbers of the score: "3 de 5"
    Play,          // the level menu's play button
    Exit,          // the level menu's exit button
    WordList,      // the game screen's button that shows the words found
    Hints,         // the caption of the hint count
};

// The file is read once, with ItemFile, and its first five items kept both as text and as
// variant, since some windows show an item one way and some the other. An item the file does not
// have (the file is missing, unreadable or short) takes its default text in the chosen language,
// so that a short file never repeats an item on the wrong button and a missing one never leaves a
// button blank. An item that is there is used as it stands, even when empty (a teacher who writes
// "" means it); items after the fifth are ignored.
class LanguageFile {
  public:
    static constexpr int ItemCount = 5;

    explicit LanguageFile(const QString& path, Language language = Language::Spanish);
    // The same over bytes already in memory, for tests and fuzzing.
    static LanguageFile fromBytes(const QByteArray& bytes, Language language = Language::Spanish);

    // The item as it stands in the file (ItemFile::readText).
    QString text(LanguageItem item) const;
    // The item as a variant shows it (ItemFile::readVariant): an unquoted 007 gives 7.
    QString caption(LanguageItem item) const;

    // Which way the game shows an item: the game screen's buttons as captions, the score word
    // and the menu's buttons as they stand.
    static bool shownAsCaption(LanguageItem item);
    // The item the way the game shows it, its default text when the file lacks it.
    QString shown(LanguageItem item) const;
    // The same, std::nullopt when the file lacks the item.
    std::optional<QString> asRead(LanguageItem item) const;

    static QString defaultText(LanguageItem item, Language language);

  private:
    LanguageFile() = default;
    void load(ItemFile asText, Language language);

    std::array<QString, ItemCount> m_texts;
    std::array<QString, ItemCount> m_captions;
    std::array<bool, ItemCount> m_inFile{};
};
