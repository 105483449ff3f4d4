#include "playback/audio_diagnostics.h"

#if defined(QUIESC_HAVE_ALSA)
#include <alsa/asoundlib.h>
#endif

// The audio library may bring the JACK client library along; its messages about a sound server
// that is not running are silenced too when it is there (weak: it may as well be absent).
extern "C" {
__attribute__((weak)) void jack_set_error_function(void (*function)(const char*));
__attribute__((weak)) void jack_set_info_function(void (*function)(const char*));
}

namespace playback {
namespace {

#if defined(QUIESC_HAVE_ALSA)
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

void ignoreJackMessage(const char*) {}

} // namespace

void quietAudioSystemDiagnostics() {
#if defined(QUIESC_HAVE_ALSA)
    snd_lib_error_set_handler(&ignoreAlsaMessage);
#endif
    if (jack_set_error_function != nullptr) {
        jack_set_error_function(&ignoreJackMessage);
    }
    if (jack_set_info_function != nullptr) {
        jack_set_info_function(&ignoreJackMessage);
    }
}

} // namespace playback
