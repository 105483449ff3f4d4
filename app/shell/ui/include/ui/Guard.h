// A failure inside a command or event handler is shown to the user with its message and the
// program goes on, as with the standard exception box.
#pragma once

#include <QApplication>

#include <exception>
#include <utility>

class QWidget;

namespace ui {

void reportHandlerFailure(QWidget* parent, const std::exception& failure);
void reportUnknownHandlerFailure(QWidget* parent);

template <typename Handler>
void guarded(QWidget* parent, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        reportHandlerFailure(parent, failure);
    } catch (...) {
        reportUnknownHandlerFailure(parent);
    }
}

// The application object: a failure escaping any event handler is shown, and the loop goes on.
class ImportApplication : public QApplication {
public:
    ImportApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui
