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

std::unique_ptr<SampleSource> OpenSampleSource(WaveFileIo& io, int fd, const RiffWaveInfo& layout,
                                               std::string& error) {
    if (layout.formatTag == kTagDialogicOki)
        return OpenOkiAdpcmSource(io, fd, layout, error);
    return OpenSndfileSource(io, fd, layout, error);
}

} // namespace convert::steps
