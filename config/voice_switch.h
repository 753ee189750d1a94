// The teacher's switches for the voice and the letters: configuracion/voz.txt.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace assets {
class AssetPaths;
}

// Speaking is on unless a teacher says otherwise. The file holds one item, read like every other
// text file: "no" (or "off") silences the game; "grabaciones" (or "recordings") keeps the
// recordings and never uses the system's synthetic voice; "si" (or "on") is the default. Case and
// accents do not matter ("Sí", "NO"). A missing file, an empty one or any other content: on.
enum class Speaking { On, RecordingsOnly, Off };

Speaking readSpeaking(const QString& switchFilePath);

// The second item: "minusculas" (or "lowercase") shows the board's letters, the captions and the
// word list in lower case, for children who learn those letters first; anything else, capitals.
bool readLowerCase(const QString& switchFilePath);

// Both items as the file holds them and what the game makes of them; an item the game does not
// understand still gives its default (on, capitals), and the folder check says so.
struct VoiceSwitch {
    std::optional<QString> speakingItem; // the first item as written; none when there is none
    Speaking speaking = Speaking::On;
    bool speakingUnderstood = true; // si, on, no, off, grabaciones, recordings (or no item)
    std::optional<QString> lettersItem;
    bool lowerCase = false;
    bool lettersUnderstood = true; // minusculas, lowercase, mayusculas, capitals (or no item)
};
VoiceSwitch readVoiceSwitch(const QString& switchFilePath);

// The language the words are said in: the active language set's, Spanish where it declares none.
QLocale voiceLanguage(const assets::AssetPaths& paths);
