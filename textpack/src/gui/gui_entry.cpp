// The Qt half of Textpack: message boxes and dialogs from templates.
#include "../gui_functions.h"

#include "dialog_templates.h"
#include "gui_presence.h"
#include "template_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QScreen>
#include <QString>

namespace {

// No owner window: the box stays modal for the whole application, so no other window of the
// program takes input until the message is acknowledged.
int showError(const char* text, const char* caption) {
    if (textpack::guiApplication() == nullptr) {
        return 0;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("TextpackErrorBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

void* activeWindow() {
    return textpack::guiApplication() ? QApplication::activeWindow() : nullptr;
}

int centreWindow(void* window) {
    QWidget* widget = textpack::liveWidget(window);
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (screen == nullptr) {
        return 0;
    }
    const QRect area = screen->geometry();
    const QSize size = widget->frameGeometry().size();
    widget->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
    return 1;
}

intptr_t runDialog(const char* templateName, void* owner, TextpackDialogProc proc, void* context) {
    const textpack::DialogTemplate* dialogTemplate = textpack::findDialogTemplate(templateName);
    if (dialogTemplate == nullptr || proc == nullptr || textpack::guiApplication() == nullptr) {
        return 0;
    }
    TextpackDialog dialog(*dialogTemplate, textpack::liveWidget(owner), proc, context);
    return dialog.run();
}

int comboAdd(TextpackDialog* dialog, int controlId, const char* text) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    if (box == nullptr || text == nullptr) {
        return -1;
    }
    box->addItem(QString::fromUtf8(text));
    return box->count() - 1;
}

int comboSelect(TextpackDialog* dialog, int controlId, int index) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    if (box == nullptr || index < 0 || index >= box->count()) {
        return 0;
    }
    box->setCurrentIndex(index);
    return 1;
}

int comboSelection(TextpackDialog* dialog, int controlId) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    return box ? box->currentIndex() : -1;
}

int enableControl(TextpackDialog* dialog, int controlId, int enabled) {
    QWidget* widget = dialog ? dialog->control(controlId) : nullptr;
    if (widget == nullptr) {
        return 0;
    }
    widget->setEnabled(enabled != 0);
    return 1;
}

void endDialog(TextpackDialog* dialog, intptr_t result) {
    if (dialog != nullptr) {
        dialog->end(result);
    }
}

constexpr textpack::GuiFunctions functions = {
    .showError = showError,
    .activeWindow = activeWindow,
    .centreWindow = centreWindow,
    .runDialog = runDialog,
    .comboAdd = comboAdd,
    .comboSelect = comboSelect,
    .comboSelection = comboSelection,
    .enableControl = enableControl,
    .endDialog = endDialog,
};

} // namespace

extern "C" __attribute__((visibility("default"))) const textpack::GuiFunctions*
TextpackGuiFunctions() {
    return &functions;
}
