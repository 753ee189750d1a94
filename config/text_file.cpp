// The item and line readers of the text files, their decoding, and the leading number of an item.
#include "text_file.h"
#include "regular_file.h"

#include "game/clock_interval.h"
#include "game/number_text.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Windows-1252 at 0x80-0x9F; the rest of the code page is Latin-1. The undefined bytes 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D keep their own number, as Windows' own converter does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? Cp1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

// A folder, a FIFO or a device is "cannot be opened", so that reading never blocks on a pipe
// nobody writes to.
std::optional<QByteArray> readFileStart(const QString& path) {
    return readRegularFile(path, MaxFileBytes);
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isBlankOrLineEnd(QChar c) {
    return isBlank(c) || isLineEnd(c);
}
bool isSeparator(QChar c) {
    return c == u',' || isLineEnd(c);
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The form an unquoted item must have to be read as a number: [+-] digits [. digits] [e [+-]
// digits], with digits on at least one side of the point. Checked here rather than by the
// converter, which would also take "inf", "nan" and surrounding blanks.
bool hasNumberForm(QStringView s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(s[i]))
            ++i;
        return i - from;
    };
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    qsizetype mantissa = digits();
    if (i < n && s[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
        if (digits() == 0) return false;
    }
    return i == n;
}

} // namespace

std::optional<QStringConverter::Encoding> utf16Mark(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF")) return QStringConverter::Utf16BE;
    return std::nullopt;
}

bool looksLikeText(QByteArrayView bytes) {
    return utf16Mark(bytes) || !bytes.contains('\0');
}

QString decodeText(const QByteArray& bytes) {
    // Notepad's "Unicode" is UTF-16 with its mark; without the mark nothing tells UTF-16 from
    // single-byte text, so only a marked file is read as UTF-16. The decoder drops the mark.
    if (const std::optional<QStringConverter::Encoding> utf16 = utf16Mark(bytes)) {
        QStringDecoder decoder(*utf16, QStringDecoder::Flag::Stateless);
        return decoder(bytes);
    }
    // Stateless: a multi-byte sequence cut off at the end is an error, not something to wait for.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return decodeCp1252(bytes);
}

ItemFile::ItemFile(const QString& path) {
    if (const auto bytes = readFileStart(path)) start(*bytes);
}

ItemFile ItemFile::fromBytes(const QByteArray& bytes) {
    ItemFile file;
    file.start(bytes.left(MaxFileBytes));
    return file;
}

void ItemFile::start(const QByteArray& bytes) {
    m_text = decodeText(bytes);
    m_open = true;
    m_end = m_text.size();
    while (m_end > 0 && isBlankOrLineEnd(m_text[m_end - 1]))
        --m_end;
    m_pos = 0;
    while (m_pos < m_end && isBlankOrLineEnd(m_text[m_pos]))
        ++m_pos;
}

std::optional<ItemFile::Item> ItemFile::next() {
    while (m_pos < m_end && isBlank(m_text[m_pos]))
        ++m_pos;
    if (!m_open || m_pos >= m_end) return std::nullopt;
    const qsizetype size = m_text.size();
    Item item;
    if (m_text[m_pos] == u'"') {
        item.quoted = true;
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        if (close < 0) {
            item.text = m_text.sliced(m_pos + 1);
            m_pos = size;
            return item;
        }
        item.text = m_text.sliced(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        while (m_pos < size && !isSeparator(m_text[m_pos]))
            ++m_pos;
    } else {
        const qsizetype from = m_pos;
        while (m_pos < size && !isSeparator(m_text[m_pos]))
            ++m_pos;
        qsizetype to = m_pos;
        while (to > from && isBlank(m_text[to - 1]))
            --to;
        item.text = m_text.sliced(from, to - from);
    }
    skipSeparator();
    return item;
}

// A comma, a line end, or a comma ending its line; empty lines after a line end belong to it, so
// that neither spacing out the file nor ending lines with commas adds empty items.
void ItemFile::skipSeparator() {
    const qsizetype size = m_text.size();
    if (m_pos >= size) return;
    if (m_text[m_pos] == u',') {
        ++m_pos;
        qsizetype after = m_pos;
        while (after < size && isBlank(m_text[after]))
            ++after;
        if (after < size && !isLineEnd(m_text[after])) return;
        m_pos = after;
    }
    while (m_pos < size && isBlankOrLineEnd(m_text[m_pos]))
        ++m_pos;
}

std::optional<QString> ItemFile::readText() {
    auto item = next();
    if (!item) return std::nullopt;
    return shownText(item->text);
}

std::optional<QString> ItemFile::readVariant() {
    auto item = next();
    if (!item) return std::nullopt;
    if (!item->quoted && hasNumberForm(item->text)) {
        bool ok = false;
        const double value = QLocale::c().toDouble(item->text, &ok);
        if (ok && std::isfinite(value)) return numberText(value);
    }
    return shownText(item->text);
}

LineFile::LineFile(const QString& path) {
    if (const auto bytes = readFileStart(path)) {
        m_text = decodeText(*bytes);
        m_open = true;
    }
}

LineFile LineFile::fromBytes(const QByteArray& bytes) {
    LineFile file;
    file.m_text = decodeText(bytes.left(MaxFileBytes));
    file.m_open = true;
    return file;
}

std::optional<QString> LineFile::readLine() {
    const qsizetype size = m_text.size();
    if (!m_open || m_pos >= size) return std::nullopt;
    qsizetype end = m_pos;
    while (end < size && !isLineEnd(m_text[end]))
        ++end;
    QString line = m_text.sliced(m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < size && m_text[m_pos] == u'\r') ++m_pos;
    if (m_pos < size && m_text[m_pos] == u'\n') ++m_pos;
    return shownText(line);
}

QString shownText(const QString& text) {
    if (text.size() <= MaxClusterUnits) return text; // too short to hold too much
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    QString shown;
    qsizetype start = 0;
    int count = 0;
    for (qsizetype end = clusters.toNextBoundary(); end > 0; end = clusters.toNextBoundary()) {
        if (++count == MaxShownCharacters && end < text.size()) {
            shown += u'…';
            break;
        }
        // A letter with endless accents stacked on it stays one character to count, but every
        // accent costs its drawing: only the first few are kept.
        qsizetype cut = std::min(end, start + MaxClusterUnits);
        if (cut < end && QChar::isLowSurrogate(text[cut].unicode())) --cut;
        shown += QStringView(text).sliced(start, cut - start);
        start = end;
    }
    return shown;
}

std::optional<qint32> leadingNumber(const QString& itemText) {
    const QStringView s(itemText);
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && isBlank(s[i]))
        ++i;
    const bool negative = i < n && s[i] == u'-';
    if (i < n && (s[i] == u'-' || s[i] == u'+')) ++i;

    // Past 2^32 the result is out of range whatever follows; stop growing so nothing overflows.
    constexpr qint64 Beyond = qint64(1) << 32;
    qint64 whole = 0;
    for (; i < n && isDigit(s[i]); ++i)
        if (whole <= Beyond) whole = whole * 10 + (s[i].unicode() - u'0');

    // Rounding needs only the first fraction digit and whether any later one is non-zero, so a
    // fraction of any length rounds exactly, with no floating point in between.
    int firstDecimal = 0;
    bool laterDecimals = false;
    const QString localePoint = QLocale().decimalPoint();
    const bool point = i < n && (s[i] == u'.' || s.sliced(i).startsWith(localePoint));
    if (point) {
        i += s[i] == u'.' ? 1 : localePoint.size();
        if (i < n && isDigit(s[i])) firstDecimal = s[i++].unicode() - u'0';
        for (; i < n && isDigit(s[i]); ++i)
            laterDecimals = laterDecimals || s[i] != u'0';
    }
    const bool roundUp =
        firstDecimal > 5 || (firstDecimal == 5 && (laterDecimals || whole % 2 == 1));
    if (roundUp) ++whole;

    const qint64 value = negative ? -whole : whole;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

std::optional<int> speedInterval(const QString& firstItem) {
    const std::optional<qint32> number = leadingNumber(firstItem);
    if (!number || !acceptedInterval(*number)) return std::nullopt;
    return *number;
}

std::optional<int> readSpeedInterval(const QString& path) {
    return speedInterval(ItemFile(path).readVariant().value_or(QString()));
}
