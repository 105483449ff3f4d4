#include "ui/NoticeBox.h"

namespace ui {

NoticeBox::NoticeBox()
    : QMessageBox(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok) {
    setObjectName(QStringLiteral("frmNotice"));
    setWindowModality(Qt::NonModal);
    setTextFormat(Qt::PlainText);
    // A notice left open must not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void NoticeBox::showNotice(const QString& caption, const QString& text, QMessageBox::Icon icon) {
    setWindowTitle(caption);
    setText(text);
    setIcon(icon);
    show();
    raise();
}

} // namespace ui
