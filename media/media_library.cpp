// The entry point of the sound and speech library: the real back ends behind MediaBackEnds.
#include "media_back_ends.h"
#include "sound.h"
#include "speech_engine.h"
#include "system_voice.h"
#include "voice.h"

namespace {

// In the order the program made them before they moved here: the system's voice outlives the
// recordings' voice that falls back on it.
class BackEnds final : public MediaBackEnds {
  public:
    explicit BackEnds(const QLocale& language) : m_systemVoice(language), m_voice(&m_systemVoice) {}

    Sound& sound() override { return m_sound; }
    Voice& voice() override { return m_voice; }
    void setLanguage(const QLocale& language) override { m_systemVoice.setLanguage(language); }

  private:
    SoundEffectPlayer m_sound;
    SystemVoice m_systemVoice;
    RecordingVoice m_voice;
};

} // namespace

extern "C" Q_DECL_EXPORT MediaBackEnds* tolvanoMakeMediaBackEnds(const QLocale& language) {
    return new BackEnds(language);
}

extern "C" Q_DECL_EXPORT int tolvanoEndProgram(int status) {
    return endProgram(status);
}
