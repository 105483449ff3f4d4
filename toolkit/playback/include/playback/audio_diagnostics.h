// The audio system prints its own diagnostics while it looks for devices; they are not ours to
// show, so they are silenced (where the platform's sound library allows it).
#pragma once

namespace playback {

void quietAudioSystemDiagnostics();

} // namespace playback
