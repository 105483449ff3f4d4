#include "gui_presence.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

namespace textpack {

QApplication* guiApplication() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    // Widgets may only be created on the application's thread.
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        return nullptr;
    }
    return app;
}

// Owners arrive as untyped handles from other libraries; comparing addresses against the live
// widgets avoids dereferencing a stale or foreign pointer.
QWidget* liveWidget(void* candidate) {
    if (candidate == nullptr || guiApplication() == nullptr) {
        return nullptr;
    }
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (static_cast<void*>(widget) == candidate) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace textpack
