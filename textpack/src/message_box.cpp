#include "textpack/Textpack.h"

#include "gui_presence.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>

namespace {

// Without a GUI application the message still has to reach the user: standard error is the
// one place every caller of a command-line front end sees.
void writeToStandardError(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

// No owner window: the box stays modal for the whole application, so no other window of the
// program takes input until the message is acknowledged.
void showCriticalBox(const char* text, const char* caption) {
    QMessageBox box(QMessageBox::Critical, QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("TextpackErrorBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

extern "C" void TextpackShowError(const char* text, const char* caption) {
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "";
    if (textpack::guiApplication() == nullptr) {
        writeToStandardError(shownText, shownCaption);
        return;
    }
    showCriticalBox(shownText, shownCaption);
}

extern "C" void* TextpackActiveWindow(void) {
    return textpack::guiApplication() ? QApplication::activeWindow() : nullptr;
}
