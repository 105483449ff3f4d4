// The program's own read-only viewers, used when the desktop has no application for a file:
// the help page in a text browser, the error log and the report as plain text. Each is a
// window of its own, owned by the window that opened it and destroyed when closed.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QTextBrowser;

namespace ui {

class TextViewer : public QDialog {
    Q_OBJECT
public:
    // Shows the file's text (as UTF-8, or Latin-1 where it is not valid UTF-8).
    TextViewer(const QString& nativePath, QWidget* owner);
    QPlainTextEdit* text() const { return text_; }

private:
    QPlainTextEdit* text_;
};

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    HelpViewer(const QString& nativePath, QWidget* owner);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// Creates and shows a viewer without making it modal.
void showTextViewer(const QString& nativePath, QWidget* owner);
void showHelpViewer(const QString& nativePath, QWidget* owner);

} // namespace ui
