#include "sample_source.h"

#include <algorithm>
#include <cmath>

namespace convert::steps {

long FramesPerSourceBlock(double bytesPerFrame) {
    if (!(bytesPerFrame > 0))
        return static_cast<long>(kSourceBlockBytes);
    const double frames = std::floor(static_cast<double>(kSourceBlockBytes) / bytesPerFrame);
    return std::clamp(static_cast<long>(frames), 1L, static_cast<long>(kSourceBlockBytes) * 4);
}

std::unique_ptr<SampleSource> OpenSampleSource(wavefile::WaveFileIo& io, int fd,
                                               const RiffWaveInfo& layout, std::string& error) {
    auto source = layout.formatTag == kTagDialogicOki ? OpenOkiAdpcmSource(io, fd, layout, error)
                                                      : OpenSndfileSource(io, fd, layout, error);
    if (source &&
        (source->SampleRate() < kLowestSourceRate || source->SampleRate() > kHighestSourceRate)) {
        error = "The source's sample rate of " + std::to_string(source->SampleRate()) +
                " Hz is not one a recording uses (" + std::to_string(kLowestSourceRate) + " to " +
                std::to_string(kHighestSourceRate) + " Hz)";
        return nullptr;
    }
    return source;
}

} // namespace convert::steps
