#include "ui/Guard.h"

#include "ui/Prompts.h"

namespace ui {

void reportHandlerFailure(QWidget* parent, const std::exception& failure) {
    showError(parent, QString::fromLocal8Bit(failure.what()));
}

void reportUnknownHandlerFailure(QWidget* parent) {
    showError(parent, QStringLiteral("An unexpected error occurred."));
}

ImportApplication::ImportApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool ImportApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace ui
