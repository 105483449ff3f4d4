#pragma once
// What ends a job's waits before their time: the DSS converter, its result lock and the speech
// engine's minutes.

#include <functional>

namespace convert {

struct WaitEnds {
    // Any thread: the program is ending (a stop signal, the window closing). Every wait ends at
    // once: a converter under way is killed with its process group, the speech engine is no
    // longer waited for, and the run undoes the job under way (the host's StopRequested tells
    // it the same), so that its dictation waits for the next run.
    std::function<bool()> stop;
    // Interface thread only: Cancel. The waits a job can go on without (the speech engine's) end;
    // the job itself runs to its end, as Cancel always lets it.
    std::function<bool()> cancel;

    bool stopRequested() const { return stop && stop(); }
    bool waitEnded() const { return stopRequested() || (cancel && cancel()); }
};

} // namespace convert
