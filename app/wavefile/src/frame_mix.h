#pragma once
// A frame that FFmpeg decoded, in any of its sample formats (8 to 64-bit integers, float and
// double, interleaved or one plane per channel), mixed down to mono floats: the channels are
// averaged and full scale becomes 1, as libsndfile's float reading scales.

extern "C" {
#include <libavutil/frame.h>
}

namespace wavefile {

// Writes frame.nb_samples floats to `mono`. False for a sample format it does not know.
bool MixFrameToMono(const AVFrame& frame, float* mono);

} // namespace wavefile
