// import-batch: the conversion of the configuration in the current folder, without a window.
#include "batch_check.h"
#include "batch_options.h"
#include "batch_runner.h"
#include "stop_signal.h"

#include <cstdio>

int main(int argc, char** argv) {
    const batch::Options options = batch::ParseOptions({argv + 1, argv + argc});
    if (!options.error.empty()) {
        std::fprintf(stderr, "import-batch: %s\n\n%s", options.error.c_str(),
                     batch::UsageText().c_str());
        return batch::kBadUsage;
    }
    switch (options.mode) {
    case batch::Mode::Help:
        std::fputs(batch::UsageText().c_str(), stdout);
        return 0;
    case batch::Mode::Version:
        std::fputs(batch::VersionText().c_str(), stdout);
        return 0;
    case batch::Mode::DryRun:
        return batch::BatchRunner().DryRun();
    case batch::Mode::Check:
        return batch::CheckConfiguration();
    case batch::Mode::Watch:
        batch::InstallStopSignals();
        return batch::BatchRunner().Watch();
    case batch::Mode::Run:
        break;
    }
    batch::InstallStopSignals();
    return batch::BatchRunner().RunOnce();
}
