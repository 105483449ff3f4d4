// The conversion steps' event loop in the program: posted tasks run on the interface thread as
// queued calls, and processing events repaints the windows and takes Cancel.
#pragma once

#include "convert/event_loop.h"

namespace ui {

class QtEventLoop final : public convert::EventLoop {
public:
    void Post(std::function<void()> task) override;
    void ProcessEvents(bool waitForMore) override;
};

} // namespace ui
