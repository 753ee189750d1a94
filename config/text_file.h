// Readers of the teacher-edited text files: language and speed files as items, level file as lines.
#pragma once

// The files are small, written by hand in any editor, and possibly on another platform; they are
// read whole, decoded once and then cut into items or lines. Every reader opens its file afresh
// and starts at the beginning, and every read that cannot deliver returns std::nullopt, so that a
// caller keeps the value it had before (the game's skip-on-failure rule). Nothing here reports or
// throws: a missing, unreadable or hostile file only makes reads fail or return odd text.
//
// Only the first 64 KiB of a file are read (MaxFileBytes): a real file is a few hundred bytes, and
// a huge or endless one (a device, a mistake) must not exhaust memory, and its text, shown on a
// button or a label, must not make every repaint crawl.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <QtGlobal>
#include <optional>

inline constexpr qint64 MaxFileBytes = 64 * 1024;

// A file that starts with a UTF-16 byte-order mark (Windows Notepad's "Unicode" is UTF-16LE with
// one) is read as UTF-16 in that byte order. Valid UTF-8 is read as UTF-8, a leading byte-order
// mark dropped. Anything else is taken as Windows-1252, the code page in which older files with
// Spanish accents were written; its five undefined bytes stand for the code point of the same
// number.
QString decodeText(const QByteArray& bytes);

// The UTF-16 byte order that the bytes' mark announces; nullopt without a UTF-16 mark.
std::optional<QStringConverter::Encoding> utf16Mark(QByteArrayView bytes);

// Whether the bytes can be a text a teacher wrote: a UTF-16 file with its mark, or bytes without
// NUL. No editor writes NUL into a text of its own; a file with NULs and no mark was saved in
// another format (UTF-16 without a mark, a word processor's document) and reads as garbage.
bool looksLikeText(QByteArrayView bytes);

// The language and speed files, read item by item.
//
// Items are separated by a comma or by line ends (CR, LF or CRLF). Blanks (space, tab) before an
// item are skipped. An item that begins with a double quote runs to the next double quote: the
// quotes are dropped, commas and line ends inside belong to the item, anything after the closing
// quote up to the next separator is dropped, and a quote that is never closed runs to the end of
// the file. Any other item runs to the next comma or line end.
//
// Choices of ours, where the file format leaves room:
// - Blanks at the end of an unquoted item are dropped ("de  ," gives "de"): an editor's stray
//   spaces must not show on a button. Inside quotes they stay.
// - Empty lines (also lines of blanks) are no items: a line end, with any empty lines after it,
//   is one separator, and so is a comma that ends its line; empty lines at the start of the file
//   are skipped. So a teacher may space out the file and end lines with commas freely. Between
//   two commas, though, an empty item stands: "a,,b" is three items.
// - Only blanks and line ends after the last separator make no item: a trailing comma or line
//   end does not add an empty item.
class ItemFile {
  public:
    explicit ItemFile(const QString& path);
    // The same reader over bytes already in memory (first MaxFileBytes only), for tests and
    // fuzzing.
    static ItemFile fromBytes(const QByteArray& bytes);

    bool isOpen() const { return m_open; }

    // The next item as it stands.
    std::optional<QString> readText();
    // The next item as the caption it makes when read as a variant: an unquoted item with the form
    // of a number (optional sign, digits with an optional '.' fraction, optional exponent) shows
    // that number in its ordinary form (007 gives 7, 1.50 gives 1.5); anything else is the text.
    std::optional<QString> readVariant();

  private:
    ItemFile() = default;
    void start(const QByteArray& bytes);
    struct Item {
        QString text;
        bool quoted = false;
    };
    std::optional<Item> next();
    void skipSeparator();

    QString m_text;
    qsizetype m_pos = 0;
    qsizetype m_end = 0; // past the last character that is neither a blank nor a line end
    bool m_open = false;
};

// The level file, read line by line. A line end is CR, LF or CRLF; a line comes back without it.
// Commas and quotes mean nothing. A last line end does not start one more, empty line; a file
// without line ends is one line, an empty file has none.
class LineFile {
  public:
    explicit LineFile(const QString& path);
    static LineFile fromBytes(const QByteArray& bytes);

    bool isOpen() const { return m_open; }
    std::optional<QString> readLine();

  private:
    LineFile() = default;

    QString m_text;
    qsizetype m_pos = 0;
    bool m_open = false;
};

// Texts that a teacher's file puts on a button or a label are cut to what a screen can show and
// redraw quickly: at most MaxShownCharacters characters as the reader sees them (grapheme
// clusters: a letter with its accents, an emoji), the last of them "…" when the text was longer,
// and at most MaxClusterUnits UTF-16 units a character (the rest of a pile of combining accents
// is dropped). Every reader here returns its texts through this.
inline constexpr int MaxShownCharacters = 200;
inline constexpr qsizetype MaxClusterUnits = 32;
QString shownText(const QString& text);

// The decimal number at the start of an item's text, as the speed file's interval is taken: blanks
// skipped, an optional sign, digits as far as they go with an optional fraction (after '.' or the
// locale's decimal separator, the form in which readVariant() writes numbers); no number gives 0.
// Rounded to nearest, halves to even, exactly; std::nullopt when that falls outside 32 bits.
std::optional<qint32> leadingNumber(const QString& itemText);

// The speed file's rule, which the game screen follows and the check reports: the runner clock's
// interval is the leading number of the file's first item as a variant reads it (no file or no
// item reads as an empty item, so as 0, and the clock never runs). std::nullopt when the clock
// refuses that number (acceptedInterval) and keeps the interval it had.
std::optional<int> speedInterval(const QString& firstItem);
std::optional<int> readSpeedInterval(const QString& path);
