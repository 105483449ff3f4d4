#pragma once
// The decoders behind OpenSoundSource, each given the open file.

#include "seam_reader.h"
#include "wavefile/sound_source.h"

#include <memory>
#include <string>

namespace wavefile {

// What libsndfile made of a wave file.
struct SndfileOpening {
    std::unique_ptr<SoundSource> source; // when it reads the file
    // Why it did not; empty when it opened the file but found no frames in it (a streaming
    // writer's data size of 0, or no data): FFmpeg then reads to the end of the file.
    std::string refusal;
    bool readFailed = false; // the seam failed: no other decoder is to try
};

// On success the source has taken the reader; otherwise the reader is left for the next decoder,
// at any position.
SndfileOpening OpenSndfileSource(std::unique_ptr<SeamReader>& reader);

// FFmpeg's demuxer of that name ("wav" or "dss") and its decoders, Dialogic ADPCM with our own.
std::unique_ptr<SoundSource> OpenLibavSource(std::unique_ptr<SeamReader> reader,
                                             const char* demuxer, std::string& error);

// "Cannot read the source: " and the system's text.
std::string ReadFailureText(int error);

} // namespace wavefile
