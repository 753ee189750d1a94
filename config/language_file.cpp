// The language file's five captions, read once, with the compiled-in defaults for what is missing.
#include "language_file.h"

#include "text_file.h"
#include "texts_file.h"

#include <optional>

namespace {

// In the order of the items in the file.
constexpr std::array<TextDefault, 5> LanguageDefaults = {{
    {u"de", u"of"},
    {u"Jugar", u"Play"},
    {u"Salir", u"Exit"},
    {u"Mis palabras", u"Found words"},
    {u"Pistas", u"Hints"},
}};

// The item's place in the arrays; std::nullopt for a value outside the enumeration, which a cast
// could make and which must not index past the end.
std::optional<std::size_t> indexOf(LanguageItem item) {
    const int number = static_cast<int>(item);
    if (number < 1 || number > static_cast<int>(LanguageDefaults.size())) return std::nullopt;
    return static_cast<std::size_t>(number - 1);
}

} // namespace

LanguageFile::LanguageFile(const QString& path, Language language) {
    load(ItemFile(path), language);
}

LanguageFile LanguageFile::fromBytes(const QByteArray& bytes, Language language) {
    LanguageFile file;
    file.load(ItemFile::fromBytes(bytes), language);
    return file;
}

// A copy of the reader is a second cursor over the same decoded text: the file is read from disk
// once, and each item is taken both ways from the same place.
void LanguageFile::load(ItemFile asText, Language language) {
    static_assert(LanguageDefaults.size() == ItemCount);
    ItemFile asVariant = asText;
    for (std::size_t i = 0; i < LanguageDefaults.size(); ++i) {
        const auto text = asText.readText();
        const auto caption = asVariant.readVariant();
        const QString fallback = LanguageDefaults[i].in(language);
        m_texts[i] = text.value_or(fallback);
        m_captions[i] = caption.value_or(fallback);
        m_inFile[i] = text.has_value();
    }
}

QString LanguageFile::text(LanguageItem item) const {
    const auto i = indexOf(item);
    return i ? m_texts[*i] : QString();
}

QString LanguageFile::caption(LanguageItem item) const {
    const auto i = indexOf(item);
    return i ? m_captions[*i] : QString();
}

bool LanguageFile::shownAsCaption(LanguageItem item) {
    return item == LanguageItem::WordList || item == LanguageItem::Hints;
}

QString LanguageFile::shown(LanguageItem item) const {
    return shownAsCaption(item) ? caption(item) : text(item);
}

std::optional<QString> LanguageFile::asRead(LanguageItem item) const {
    const auto i = indexOf(item);
    if (!i || !m_inFile[*i]) return std::nullopt;
    return shown(item);
}

QString LanguageFile::defaultText(LanguageItem item, Language language) {
    const auto i = indexOf(item);
    return i ? LanguageDefaults[*i].in(language) : QString();
}
