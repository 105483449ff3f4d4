#pragma once
// The two decoders behind OpenSoundSource for wave files, each alone: for the tests that hold
// one decoder's reading against the other's, and for the fuzzers, which must reach the FFmpeg
// path with inputs that libsndfile would take first.

#include "wavefile/sound_source.h"

namespace wavefile {

enum class WaveDecoder { Libsndfile, Libav };

// As OpenSoundSource for a wave file, through that decoder only (no fallback, no rate check).
std::unique_ptr<SoundSource> OpenWaveWith(WaveDecoder decoder, files::UniqueFd file, WaveFileIo& io,
                                          std::string& error);

} // namespace wavefile
