// The settings a round plays with: tolvano.conf over the set's text files over the defaults.
#include "play_settings.h"

#include "asset_paths.h"
#include "text_file.h"

PlaySettings playSettings(const assets::AssetPaths& paths) {
    const UserSettings& user = paths.userSettings();
    const VoiceSwitch file = readVoiceSwitch(paths.file(assets::VoiceSwitchFile));
    PlaySettings settings;
    settings.speaking = user.voice.value_or(file.speaking);
    settings.lowerCase = user.lowerCase.value_or(file.lowerCase);
    settings.runnerInterval = user.secondsPerWord
                                  ? std::optional<int>(runnerIntervalFor(*user.secondsPerWord))
                                  : readSpeedInterval(paths.file(assets::SpeedFile));
    settings.onlyMine = user.onlyMine.value_or(false);
    settings.theme = user.theme.value_or(QString());
    settings.themeRow = user.themeRowShown.value_or(true);
    const QString language = paths.set().languageCode;
    settings.letters = {language, user.letters.value_or(defaultLetterStyle(language))};
    return settings;
}
