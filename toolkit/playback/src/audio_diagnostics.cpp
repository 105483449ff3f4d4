#include "playback/audio_diagnostics.h"

#if defined(QUIESC_HAVE_ALSA)
#include <alsa/asoundlib.h>
#endif

namespace playback {

#if defined(QUIESC_HAVE_ALSA)
namespace {
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
} // namespace

void quietAudioSystemDiagnostics() {
    snd_lib_error_set_handler(&ignoreAlsaMessage);
}
#else
void quietAudioSystemDiagnostics() {}
#endif

} // namespace playback
