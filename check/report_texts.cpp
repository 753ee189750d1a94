// The folder check's texts in both languages, one pair for each name.
#include "report_texts.h"

#include <cstddef>
#include <iterator>

namespace check {

namespace {

struct Row {
    Say say;
    TextDefault text;
};

// One row for each name, in the order of the names, so that a name finds its row by its number.
constexpr Row Rows[] = {
    {Say::Checking, {u"Revisando %1", u"Checking %1"}},
    {Say::CheckingPictures,
     {u"Revisando la carpeta de imágenes %1", u"Checking the picture folder %1"}},
    {Say::Playable,
     {u"Se pueden jugar %1 de sus %2 imágenes.", u"%1 of its %2 pictures can be played."}},
    {Say::Ready, {u"Listo para jugar.", u"Ready to play."}},
    {Say::ReadyButOne,
     {u"Listo para jugar, pero: 1 cosa que mirar.", u"Ready to play, but: 1 thing to look at."}},
    {Say::ReadyBut,
     {u"Listo para jugar, pero: %1 cosas que mirar.",
      u"Ready to play, but: %1 things to look at."}},
    {Say::NotReadyOne,
     {u"No está listo para jugar: 1 cosa que hacer.", u"Not ready to play: 1 thing to do."}},
    {Say::NotReady,
     {u"No está listo para jugar: %1 cosas que hacer.", u"Not ready to play: %1 things to do."}},
    {Say::ToDo, {u"Hay que hacer:", u"To do:"}},
    {Say::ToLookAt, {u"Para mirar:", u"To look at:"}},
    {Say::AndMore, {u"… y %1 más", u"… and %1 more"}},
    {Say::AndMoreNames, {u" y %1 más", u" and %1 more"}},
    {Say::InDetail, {u"En detalle", u"In detail"}},
    {Say::PicturesIn, {u"Imágenes en %1 (%2 archivos)", u"Pictures in %1 (%2 files)"}},
    {Say::PictureFolderMissingLine,
     {u"Imágenes: falta la carpeta %1", u"Pictures: the folder %1 is missing"}},
    {Say::FileColumn, {u"Archivo", u"File"}},
    {Say::WordColumn, {u"Palabra", u"Word"}},
    {Say::UsableColumn, {u"Se usa", u"Usable"}},
    {Say::VoiceColumn, {u"Voz", u"Voice"}},
    {Say::NoteColumn, {u"Por qué no / nota", u"Why not / note"}},
    {Say::Yes, {u"sí", u"yes"}},
    {Say::No, {u"no", u"no"}},
    {Say::IgnoredByGame, {u"El juego no tiene en cuenta: %1", u"Ignored by the game: %1"}},
    {Say::BrokenLink, {u"enlace roto", u"broken link"}},
    {Say::Folder, {u"carpeta", u"folder"}},
    {Say::HiddenFile, {u"archivo oculto", u"hidden file"}},
    {Say::NotRegularFile, {u"no es un archivo normal", u"not a regular file"}},
    {Say::NameNotUtf8, {u"nombre que no es UTF-8", u"name not UTF-8"}},
    {Say::NoWord, {u"el nombre no da ninguna palabra", u"name gives no word"}},
    {Say::WordTooLong, {u"palabra demasiado larga (%1 letras)", u"word too long (%1 letters)"}},
    {Say::CannotBeOpened, {u"no se puede abrir", u"cannot be opened"}},
    {Say::EmptyFile, {u"no es una imagen (archivo vacío)", u"not a picture (empty file)"}},
    {Say::Photo,
     {u"foto %1, que el juego no puede mostrar: conviértela a JPEG o PNG",
      u"%1 photo, which the game cannot show: convert it to JPEG or PNG"}},
    {Say::NotAPicture, {u"no es una imagen", u"not a picture"}},
    {Say::Damaged,
     {u"el archivo está cortado o dañado: cópialo otra vez",
      u"the file is cut short or damaged: copy it again"}},
    {Say::CutShort,
     {u"el archivo está cortado: cópialo otra vez", u"the file is cut short: copy it again"}},
    {Say::SameWord, {u"la misma palabra que %1", u"same word as %1"}},
    {Say::AsksFor, {u"el tablero pedirá %1 (%2): %3", u"the board will ask for %1 (%2): %3"}},
    {Say::NotALetter, {u"no es una letra", u"not a letter"}},
    {Say::NotLetters, {u"no son letras", u"not letters"}},
    {Say::ABlank, {u"un espacio", u"a blank"}},
    {Say::And, {u" y ", u" and "}},
    {Say::RenameIt, {u"llámala %1", u"rename it %1"}},
    {Say::NameOfLetters, {u"ponle un nombre de letras", u"give it a name of letters"}},
    {Say::RenameNot,
     {u"cámbiale el nombre (no %1: %2 es la palabra de otra imagen)",
      u"rename it (not %1: %2 is another picture's word)"}},
    {Say::BlankIsACell,
     {u"un espacio también es una casilla: ponle el nombre de una sola palabra",
      u"a blank is a cell too: name it after one word"}},
    {Say::OneWord, {u"ponle el nombre de una sola palabra", u"name it after one word"}},
    {Say::Texts, {u"Textos", u"Texts"}},
    {Say::SetLine, {u"  conjunto %1, idioma %2", u"  set %1, language %2"}},
    {Say::StateOk, {u"bien", u"ok"}},
    {Say::StateMissing, {u"falta", u"missing"}},
    {Say::StateUnreadable, {u"no se puede leer", u"unreadable"}},
    {Say::UnreadableNotRegular,
     {u"no se puede leer (no es un archivo normal)", u"unreadable (not a regular file)"}},
    {Say::NotText,
     {u"no es un archivo de texto (¿guardado en otro formato?)",
      u"not a text file (saved in another format?)"}},
    {Say::ScoreWord, {u"palabra del marcador", u"score word"}},
    {Say::PlayButton, {u"botón de jugar", u"play button"}},
    {Say::ExitButton, {u"botón de salir", u"exit button"}},
    {Say::WordListButton, {u"botón de la lista", u"word-list button"}},
    {Say::HintsCaption, {u"texto de las pistas", u"hints caption"}},
    {Say::ItemMissing,
     {u"falta: el juego muestra su propio texto %1", u"missing: the game shows its own text %1"}},
    {Say::NoFirstItem, {u"sin primer elemento, se lee como 0", u"no first item, read as 0"}},
    {Say::FirstItem, {u"primer elemento %1", u"first item %1"}},
    {Say::MsAStep, {u"%1 ms por paso", u"%1 ms a step"}},
    {Say::NeverRuns, {u"el reloj no corre nunca", u"the clock never runs"}},
    {Say::Refused, {u"no vale, se usan %1 ms", u"refused, %1 ms used"}},
    {Say::Level, {u"nivel %1", u"level %1"}},
    {Say::LevelShowsLine, {u"falta: se muestra la línea %1", u"missing: line %1 is shown instead"}},
    {Say::LevelShowsNothing,
     {u"falta: no se muestra ninguna descripción", u"missing: no description is shown"}},
    {Say::Media, {u"Animaciones y sonidos", u"Animations and sounds"}},
    {Say::AnimationFrame, {u"dañada (fotograma %1)", u"damaged (frame %1)"}},
    {Say::AnimationCutAfter,
     {u"dañada (cortada tras el fotograma %1)", u"damaged (cut short after frame %1)"}},
    {Say::AnimationUnreadableAfter,
     {u"dañada (ilegible tras el fotograma %1)", u"damaged (unreadable after frame %1)"}},
    {Say::NotPlayable, {u"no se puede oír: %1", u"not playable: %1"}},
    {Say::VoiceLine,
     {u"Voz (%1; voz.txt: %2): %3 de %4 imágenes que se usan tienen grabación",
      u"Voice (%1; voz.txt: %2): %3 of %4 usable pictures have a recording"}},
    {Say::SwitchOn, {u"sí", u"on"}},
    {Say::SwitchRecordings, {u"solo grabaciones", u"recordings only"}},
    {Say::SwitchOff, {u"no: el juego no dice ninguna palabra", u"off: the game says no words"}},
    {Say::VoiceRecording, {u"grabación", u"recording"}},
    {Say::VoiceComputer, {u"voz del ordenador", u"computer's voice"}},
    {Say::VoiceSilent, {u"muda", u"silent"}},
    {Say::VoiceMaybe, {u"¿voz del ordenador?", u"computer's voice?"}},
    {Say::VoiceNotPlayable, {u"no se oye", u"not playable"}},
    {Say::RecordingNotPlayable,
     {u"la grabación no se puede oír: %1 (guárdala como archivo WAV)",
      u"recording not playable: %1 (save it as a WAV file)"}},
    {Say::UnrecordedSilentSwitch,
     {u"Las palabras sin grabación no se oyen: voz.txt solo deja las grabaciones.",
      u"Words without a recording are silent: voz.txt allows only recordings."}},
    {Say::UnrecordedOff,
     {u"El juego no dice ninguna palabra: voz.txt apaga la voz.",
      u"The game says no words: voz.txt turns the voice off."}},
    {Say::UnrecordedWhereItHasOne,
     {u"Las palabras sin grabación las dice la voz del ordenador, donde la haya.",
      u"Words without a recording are said by the computer's voice, where it has one."}},
    {Say::UnrecordedSaid,
     {u"Las palabras sin grabación las dice la voz del ordenador.",
      u"Words without a recording are said by the computer's voice."}},
    {Say::UnrecordedNoEngine,
     {u"Las palabras sin grabación no se oyen: en este ordenador no responde ningún "
      u"motor de voz.",
      u"Words without a recording are silent: no speech engine answers on this "
      u"computer."}},
    {Say::UnrecordedNoVoice,
     {u"Las palabras sin grabación no se oyen: la voz del ordenador no habla %1.",
      u"Words without a recording are silent: the computer's voice speaks no %1."}},
    {Say::UnrecordedCouldNotTell,
     {u"No se pudo saber si la voz del ordenador funciona: las palabras sin grabación "
      u"pueden no oírse.",
      u"Could not tell whether the computer's voice works: words without a recording "
      u"may be silent."}},
    {Say::PictureFolderMissing,
     {u"falta la carpeta de imágenes %1: créala y pon en ella al menos %2 imágenes",
      u"the picture folder %1 is missing: make it and put at least %2 pictures in it"}},
    {Say::TooFewPictures,
     {u"solo se pueden usar %1 imágenes y una ronda necesita %2: añade imágenes a %3",
      u"only %1 pictures usable; a round needs %2: add pictures to %3"}},
    {Say::DamagedOne,
     {u"1 imagen dañada (%1): cópiala otra vez o quítala",
      u"1 damaged picture (%1): copy it again or remove it"}},
    {Say::DamagedMany,
     {u"%1 imágenes dañadas (%2): cópialas otra vez o quítalas",
      u"%1 damaged pictures (%2): copy them again or remove them"}},
    {Say::FileIs, {u"%1: %2; %3", u"%1 is %2: %3"}},
    {Say::LanguageAdvice,
     {u"los botones muestran los textos del propio juego",
      u"the buttons show the game's own texts"}},
    {Say::SpeedAdvice,
     {u"el reloj no corre; escribe en él la velocidad (lo normal es 300)",
      u"the clock never runs; write the speed in it (300 is usual)"}},
    {Say::LevelAdvice, {u"el menú no describe los niveles", u"the menu describes no levels"}},
    {Say::MediaAdvice,
     {u"cópialo otra vez de los archivos del juego", u"copy it again from the game's own files"}},
    {Say::ShortOnly, {u"%1 solo tiene %2 de sus %3 %4: %5", u"%1 has only %2 of its %3 %4: %5"}},
    {Say::ShortNone, {u"%1 no tiene ninguno de sus %2 %3: %4", u"%1 has none of its %2 %3: %4"}},
    {Say::TextsShortAdvice,
     {u"el juego pone los suyos en los que faltan", u"the game shows its own for the others"}},
    {Say::LevelsShortAdvice,
     {u"la última línea sirve para los niveles que faltan",
      u"the last line stands in for the others"}},
    {Say::TextsWord, {u"textos", u"texts"}},
    {Say::LevelLinesWord, {u"líneas de nivel", u"level lines"}},
    {Say::SpeedMistake,
     {u"%1 dice %2, seguramente un error: cada palabra tiene %3 segundos",
      u"%1 says %2, probably a mistake: each word gets %3 seconds"}},
    {Say::SetMissing,
     {u"idiomas/activo.txt nombra el conjunto %1, que no existe: se juega con %2",
      u"idiomas/activo.txt names the set %1, which is missing: %2 plays instead"}},
    {Say::SetNotAName,
     {u"idiomas/activo.txt nombra %1, que no es el nombre de un conjunto: se juega "
      u"con %2",
      u"idiomas/activo.txt names %1, which is no set's name: %2 plays instead"}},
    {Say::VoiceNotUnderstood,
     {u"%1 dice %2, que el juego no entiende: dice las palabras (escribe si, "
      u"grabaciones o no)",
      u"%1 says %2, which the game does not understand: it says the words (write si, "
      u"grabaciones or no)"}},
    {Say::LettersNotUnderstood,
     {u"%1 dice %2 para las letras, que el juego no entiende: muestra mayúsculas "
      u"(escribe minusculas para minúsculas)",
      u"%1 says %2 for the letters, which the game does not understand: it shows "
      u"capitals (write minusculas for lower case)"}},
    {Say::CodeNotUnderstood,
     {u"%1 dice %2, que no es un código de idioma: el juego toma %3 (escribe es o en)",
      u"%1 says %2, which is no language code: the game takes %3 (write es or en)"}},
    {Say::NotTextFile,
     {u"%1 no es un archivo de texto (¿guardado en otro formato?): guárdalo otra vez "
      u"como texto",
      u"%1 is not a text file (saved in another format?): save it again as text"}},
    {Say::LeftOutOne,
     {u"1 imagen que el juego deja fuera (%1): abajo dice por qué",
      u"1 picture the game leaves out (%1): see why below"}},
    {Say::LeftOutMany,
     {u"%1 imágenes que el juego deja fuera (%2): abajo dice por qué",
      u"%1 pictures the game leaves out (%2): see why below"}},
    {Say::NotesOne,
     {u"1 imagen con una nota (%1): mírala abajo", u"1 picture with a note (%1): see below"}},
    {Say::NotesMany,
     {u"%1 imágenes con una nota (%2): míralas abajo", u"%1 pictures with a note (%2): see below"}},
    {Say::BadRecordingsOne,
     {u"1 grabación que el juego no puede oír (%1): guárdala como archivo WAV",
      u"1 recording the game cannot play (%1): save it as a WAV file"}},
    {Say::BadRecordingsMany,
     {u"%1 grabaciones que el juego no puede oír (%2): guárdalas como archivos WAV",
      u"%1 recordings the game cannot play (%2): save them as WAV files"}},
    {Say::SilentWords,
     {u"%1 palabras sin grabación no se oirán: abajo dice por qué",
      u"%1 words without a recording will be silent: see why below"}},
};

constexpr bool inTheOrderOfTheNames() {
    for (std::size_t k = 0; k < std::size(Rows); ++k) {
        if (static_cast<std::size_t>(Rows[k].say) != k) return false;
    }
    return true;
}
static_assert(inTheOrderOfTheNames(), "a row out of place would give a name another's text");
static_assert(std::size(Rows) == static_cast<std::size_t>(Say::SilentWords) + 1,
              "every name has its row");

} // namespace

TextDefault textFor(Say say) {
    const auto row = static_cast<std::size_t>(say);
    return row < std::size(Rows) ? Rows[row].text : TextDefault{u"", u""};
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
