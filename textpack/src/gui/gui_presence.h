// Whether this process can show Qt windows right now, and which widgets are alive.
#pragma once

class QApplication;
class QWidget;

namespace textpack {

// The Qt application object when one exists and the caller runs on its thread; else null.
QApplication* guiApplication();
// `candidate` as a widget when it is one of the application's live widgets; else null.
QWidget* liveWidget(void* candidate);

} // namespace textpack
