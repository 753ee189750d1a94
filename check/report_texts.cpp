// The folder check's texts in both languages, one pair for each name.
#include "report_texts.h"

namespace check {

TextDefault textFor(Say say) {
    switch (say) {
    case Say::Checking:
        return {u"Revisando %1", u"Checking %1"};
    case Say::CheckingPictures:
        return {u"Revisando la carpeta de imágenes %1", u"Checking the picture folder %1"};
    case Say::Playable:
        return {u"Se pueden jugar %1 de sus %2 imágenes.", u"%1 of its %2 pictures can be played."};
    case Say::Ready:
        return {u"Listo para jugar.", u"Ready to play."};
    case Say::ReadyButOne:
        return {u"Listo para jugar, pero: 1 cosa que mirar.",
                u"Ready to play, but: 1 thing to look at."};
    case Say::ReadyBut:
        return {u"Listo para jugar, pero: %1 cosas que mirar.",
                u"Ready to play, but: %1 things to look at."};
    case Say::NotReadyOne:
        return {u"No está listo para jugar: 1 cosa que hacer.",
                u"Not ready to play: 1 thing to do."};
    case Say::NotReady:
        return {u"No está listo para jugar: %1 cosas que hacer.",
                u"Not ready to play: %1 things to do."};
    case Say::ToDo:
        return {u"Hay que hacer:", u"To do:"};
    case Say::ToLookAt:
        return {u"Para mirar:", u"To look at:"};
    case Say::AndMore:
        return {u"… y %1 más", u"… and %1 more"};
    case Say::AndMoreNames:
        return {u" y %1 más", u" and %1 more"};
    case Say::InDetail:
        return {u"En detalle", u"In detail"};
    case Say::PicturesIn:
        return {u"Imágenes en %1 (%2 archivos)", u"Pictures in %1 (%2 files)"};
    case Say::PictureFolderMissingLine:
        return {u"Imágenes: falta la carpeta %1", u"Pictures: the folder %1 is missing"};
    case Say::FileColumn:
        return {u"Archivo", u"File"};
    case Say::WordColumn:
        return {u"Palabra", u"Word"};
    case Say::UsableColumn:
        return {u"Se usa", u"Usable"};
    case Say::VoiceColumn:
        return {u"Voz", u"Voice"};
    case Say::NoteColumn:
        return {u"Por qué no / nota", u"Why not / note"};
    case Say::Yes:
        return {u"sí", u"yes"};
    case Say::No:
        return {u"no", u"no"};
    case Say::IgnoredByGame:
        return {u"El juego no tiene en cuenta: %1", u"Ignored by the game: %1"};
    case Say::BrokenLink:
        return {u"enlace roto", u"broken link"};
    case Say::Folder:
        return {u"carpeta", u"folder"};
    case Say::HiddenFile:
        return {u"archivo oculto", u"hidden file"};
    case Say::NotRegularFile:
        return {u"no es un archivo normal", u"not a regular file"};
    case Say::NameNotUtf8:
        return {u"nombre que no es UTF-8", u"name not UTF-8"};
    case Say::NoWord:
        return {u"el nombre no da ninguna palabra", u"name gives no word"};
    case Say::WordTooLong:
        return {u"palabra demasiado larga (%1 letras)", u"word too long (%1 letters)"};
    case Say::CannotBeOpened:
        return {u"no se puede abrir", u"cannot be opened"};
    case Say::EmptyFile:
        return {u"no es una imagen (archivo vacío)", u"not a picture (empty file)"};
    case Say::Photo:
        return {u"foto %1, que el juego no puede mostrar: conviértela a JPEG o PNG",
                u"%1 photo, which the game cannot show: convert it to JPEG or PNG"};
    case Say::NotAPicture:
        return {u"no es una imagen", u"not a picture"};
    case Say::Damaged:
        return {u"el archivo está cortado o dañado: cópialo otra vez",
                u"the file is cut short or damaged: copy it again"};
    case Say::CutShort:
        return {u"el archivo está cortado: cópialo otra vez",
                u"the file is cut short: copy it again"};
    case Say::SameWord:
        return {u"la misma palabra que %1", u"same word as %1"};
    case Say::AsksFor:
        return {u"el tablero pedirá %1 (%2): %3", u"the board will ask for %1 (%2): %3"};
    case Say::NotALetter:
        return {u"no es una letra", u"not a letter"};
    case Say::NotLetters:
        return {u"no son letras", u"not letters"};
    case Say::ABlank:
        return {u"un espacio", u"a blank"};
    case Say::And:
        return {u" y ", u" and "};
    case Say::RenameIt:
        return {u"llámala %1", u"rename it %1"};
    case Say::NameOfLetters:
        return {u"ponle un nombre de letras", u"give it a name of letters"};
    case Say::RenameNot:
        return {u"cámbiale el nombre (no %1: %2 es la palabra de otra imagen)",
                u"rename it (not %1: %2 is another picture's word)"};
    case Say::BlankIsACell:
        return {u"un espacio también es una casilla: ponle el nombre de una sola palabra",
                u"a blank is a cell too: name it after one word"};
    case Say::OneWord:
        return {u"ponle el nombre de una sola palabra", u"name it after one word"};
    case Say::Texts:
        return {u"Textos", u"Texts"};
    case Say::SetLine:
        return {u"  conjunto %1, idioma %2", u"  set %1, language %2"};
    case Say::StateOk:
        return {u"bien", u"ok"};
    case Say::StateMissing:
        return {u"falta", u"missing"};
    case Say::StateUnreadable:
        return {u"no se puede leer", u"unreadable"};
    case Say::UnreadableNotRegular:
        return {u"no se puede leer (no es un archivo normal)", u"unreadable (not a regular file)"};
    case Say::NotText:
        return {u"no es un archivo de texto (¿guardado en otro formato?)",
                u"not a text file (saved in another format?)"};
    case Say::ScoreWord:
        return {u"palabra del marcador", u"score word"};
    case Say::PlayButton:
        return {u"botón de jugar", u"play button"};
    case Say::ExitButton:
        return {u"botón de salir", u"exit button"};
    case Say::WordListButton:
        return {u"botón de la lista", u"word-list button"};
    case Say::HintsCaption:
        return {u"texto de las pistas", u"hints caption"};
    case Say::ItemMissing:
        return {u"falta: el juego muestra su propio texto %1",
                u"missing: the game shows its own text %1"};
    case Say::NoFirstItem:
        return {u"sin primer elemento, se lee como 0", u"no first item, read as 0"};
    case Say::FirstItem:
        return {u"primer elemento %1", u"first item %1"};
    case Say::MsAStep:
        return {u"%1 ms por paso", u"%1 ms a step"};
    case Say::NeverRuns:
        return {u"el reloj no corre nunca", u"the clock never runs"};
    case Say::Refused:
        return {u"no vale, se usan %1 ms", u"refused, %1 ms used"};
    case Say::Level:
        return {u"nivel %1", u"level %1"};
    case Say::LevelShowsLine:
        return {u"falta: se muestra la línea %1", u"missing: line %1 is shown instead"};
    case Say::LevelShowsNothing:
        return {u"falta: no se muestra ninguna descripción", u"missing: no description is shown"};
    case Say::Media:
        return {u"Animaciones y sonidos", u"Animations and sounds"};
    case Say::AnimationFrame:
        return {u"dañada (fotograma %1)", u"damaged (frame %1)"};
    case Say::AnimationCutAfter:
        return {u"dañada (cortada tras el fotograma %1)", u"damaged (cut short after frame %1)"};
    case Say::AnimationUnreadableAfter:
        return {u"dañada (ilegible tras el fotograma %1)", u"damaged (unreadable after frame %1)"};
    case Say::NotPlayable:
        return {u"no se puede oír: %1", u"not playable: %1"};
    case Say::VoiceLine:
        return {u"Voz (%1; voz.txt: %2): %3 de %4 imágenes que se usan tienen grabación",
                u"Voice (%1; voz.txt: %2): %3 of %4 usable pictures have a recording"};
    case Say::SwitchOn:
        return {u"sí", u"on"};
    case Say::SwitchRecordings:
        return {u"solo grabaciones", u"recordings only"};
    case Say::SwitchOff:
        return {u"no: el juego no dice ninguna palabra", u"off: the game says no words"};
    case Say::VoiceRecording:
        return {u"grabación", u"recording"};
    case Say::VoiceComputer:
        return {u"voz del ordenador", u"computer's voice"};
    case Say::VoiceSilent:
        return {u"muda", u"silent"};
    case Say::VoiceMaybe:
        return {u"¿voz del ordenador?", u"computer's voice?"};
    case Say::VoiceNotPlayable:
        return {u"no se oye", u"not playable"};
    case Say::RecordingNotPlayable:
        return {u"la grabación no se puede oír: %1 (guárdala como archivo WAV)",
                u"recording not playable: %1 (save it as a WAV file)"};
    case Say::UnrecordedSilentSwitch:
        return {u"Las palabras sin grabación no se oyen: voz.txt solo deja las grabaciones.",
                u"Words without a recording are silent: voz.txt allows only recordings."};
    case Say::UnrecordedOff:
        return {u"El juego no dice ninguna palabra: voz.txt apaga la voz.",
                u"The game says no words: voz.txt turns the voice off."};
    case Say::UnrecordedWhereItHasOne:
        return {u"Las palabras sin grabación las dice la voz del ordenador, donde la haya.",
                u"Words without a recording are said by the computer's voice, where it has one."};
    case Say::UnrecordedSaid:
        return {u"Las palabras sin grabación las dice la voz del ordenador.",
                u"Words without a recording are said by the computer's voice."};
    case Say::UnrecordedNoEngine:
        return {u"Las palabras sin grabación no se oyen: en este ordenador no responde ningún "
                u"motor de voz.",
                u"Words without a recording are silent: no speech engine answers on this "
                u"computer."};
    case Say::UnrecordedNoVoice:
        return {u"Las palabras sin grabación no se oyen: la voz del ordenador no habla %1.",
                u"Words without a recording are silent: the computer's voice speaks no %1."};
    case Say::UnrecordedCouldNotTell:
        return {u"No se pudo saber si la voz del ordenador funciona: las palabras sin grabación "
                u"pueden no oírse.",
                u"Could not tell whether the computer's voice works: words without a recording "
                u"may be silent."};
    case Say::PictureFolderMissing:
        return {u"falta la carpeta de imágenes %1: créala y pon en ella al menos %2 imágenes",
                u"the picture folder %1 is missing: make it and put at least %2 pictures in it"};
    case Say::TooFewPictures:
        return {u"solo se pueden usar %1 imágenes y una ronda necesita %2: añade imágenes a %3",
                u"only %1 pictures usable; a round needs %2: add pictures to %3"};
    case Say::DamagedOne:
        return {u"1 imagen dañada (%1): cópiala otra vez o quítala",
                u"1 damaged picture (%1): copy it again or remove it"};
    case Say::DamagedMany:
        return {u"%1 imágenes dañadas (%2): cópialas otra vez o quítalas",
                u"%1 damaged pictures (%2): copy them again or remove them"};
    case Say::FileIs:
        return {u"%1: %2; %3", u"%1 is %2: %3"};
    case Say::LanguageAdvice:
        return {u"los botones muestran los textos del propio juego",
                u"the buttons show the game's own texts"};
    case Say::SpeedAdvice:
        return {u"el reloj no corre; escribe en él la velocidad (lo normal es 300)",
                u"the clock never runs; write the speed in it (300 is usual)"};
    case Say::LevelAdvice:
        return {u"el menú no describe los niveles", u"the menu describes no levels"};
    case Say::MediaAdvice:
        return {u"cópialo otra vez de los archivos del juego",
                u"copy it again from the game's own files"};
    case Say::ShortOnly:
        return {u"%1 solo tiene %2 de sus %3 %4: %5", u"%1 has only %2 of its %3 %4: %5"};
    case Say::ShortNone:
        return {u"%1 no tiene ninguno de sus %2 %3: %4", u"%1 has none of its %2 %3: %4"};
    case Say::TextsShortAdvice:
        return {u"el juego pone los suyos en los que faltan",
                u"the game shows its own for the others"};
    case Say::LevelsShortAdvice:
        return {u"la última línea sirve para los niveles que faltan",
                u"the last line stands in for the others"};
    case Say::TextsWord:
        return {u"textos", u"texts"};
    case Say::LevelLinesWord:
        return {u"líneas de nivel", u"level lines"};
    case Say::SpeedMistake:
        return {u"%1 dice %2, seguramente un error: cada palabra tiene %3 segundos",
                u"%1 says %2, probably a mistake: each word gets %3 seconds"};
    case Say::SetMissing:
        return {u"idiomas/activo.txt nombra el conjunto %1, que no existe: se juega con %2",
                u"idiomas/activo.txt names the set %1, which is missing: %2 plays instead"};
    case Say::SetNotAName:
        return {u"idiomas/activo.txt nombra %1, que no es el nombre de un conjunto: se juega "
                u"con %2",
                u"idiomas/activo.txt names %1, which is no set's name: %2 plays instead"};
    case Say::VoiceNotUnderstood:
        return {u"%1 dice %2, que el juego no entiende: dice las palabras (escribe si, "
                u"grabaciones o no)",
                u"%1 says %2, which the game does not understand: it says the words (write si, "
                u"grabaciones or no)"};
    case Say::LettersNotUnderstood:
        return {u"%1 dice %2 para las letras, que el juego no entiende: muestra mayúsculas "
                u"(escribe minusculas para minúsculas)",
                u"%1 says %2 for the letters, which the game does not understand: it shows "
                u"capitals (write minusculas for lower case)"};
    case Say::CodeNotUnderstood:
        return {u"%1 dice %2, que no es un código de idioma: el juego toma %3 (escribe es o en)",
                u"%1 says %2, which is no language code: the game takes %3 (write es or en)"};
    case Say::NotTextFile:
        return {u"%1 no es un archivo de texto (¿guardado en otro formato?): guárdalo otra vez "
                u"como texto",
                u"%1 is not a text file (saved in another format?): save it again as text"};
    case Say::LeftOutOne:
        return {u"1 imagen que el juego deja fuera (%1): abajo dice por qué",
                u"1 picture the game leaves out (%1): see why below"};
    case Say::LeftOutMany:
        return {u"%1 imágenes que el juego deja fuera (%2): abajo dice por qué",
                u"%1 pictures the game leaves out (%2): see why below"};
    case Say::NotesOne:
        return {u"1 imagen con una nota (%1): mírala abajo",
                u"1 picture with a note (%1): see below"};
    case Say::NotesMany:
        return {u"%1 imágenes con una nota (%2): míralas abajo",
                u"%1 pictures with a note (%2): see below"};
    case Say::BadRecordingsOne:
        return {u"1 grabación que el juego no puede oír (%1): guárdala como archivo WAV",
                u"1 recording the game cannot play (%1): save it as a WAV file"};
    case Say::BadRecordingsMany:
        return {u"%1 grabaciones que el juego no puede oír (%2): guárdalas como archivos WAV",
                u"%1 recordings the game cannot play (%2): save them as WAV files"};
    case Say::SilentWords:
        return {u"%1 palabras sin grabación no se oirán: abajo dice por qué",
                u"%1 words without a recording will be silent: see why below"};
    }
    return {u"", u""};
}

QString ReportTexts::number(qint64 value) const {
    return QLocale(m_language == Language::English ? QLocale::English : QLocale::Spanish)
        .toString(value);
}

QString ReportTexts::languageName(const QLocale& locale) const {
    if (m_language == Language::English) return QLocale::languageToString(locale.language());
    return QLocale(locale.language()).nativeLanguageName();
}

} // namespace check
