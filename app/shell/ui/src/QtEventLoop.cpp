#include "ui/QtEventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

namespace ui {

void QtEventLoop::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::ProcessEvents(bool waitForMore) {
    QCoreApplication::processEvents(waitForMore ? QEventLoop::WaitForMoreEvents
                                                : QEventLoop::AllEvents);
}

} // namespace ui
