// Files dropped on the main window. Every drop is taken as a copy, whatever the source
// proposes: a source told "moved" deletes its file, and the dictation would then live only in
// the input folder, or nowhere when the drop was declined or refused. A drop the window does
// not take is ignored, so the source keeps its file. A refusal while the window is busy is a
// notice that does not wait, so that the run or the import in progress goes on.
#include "ui/MainForm.h"

#include "ui/Guard.h"
#include "ui/NoticeBox.h"

#include "dropimport/drop_import.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

namespace ui {
namespace {

void acceptAsCopy(QDropEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

QStringList localPaths(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

void TfrmMainForm::setDropHandler(std::function<int(const QStringList&)> handler) {
    dropHandler_ = std::move(handler);
}

// A source that only moves cannot give a copy: its drag is not taken.
bool TfrmMainForm::takesFileDrags(const QDropEvent* event) const {
    return dropHandler_ && event->mimeData()->hasUrls() &&
           event->possibleActions().testFlag(Qt::CopyAction);
}

void TfrmMainForm::showNotice(const QString& caption, const QString& text) {
    if (!notice_)
        notice_ = std::make_unique<NoticeBox>();
    notice_->showNotice(caption, text, QMessageBox::Warning);
}

void TfrmMainForm::refuseDrop(const char* reason) {
    showNotice(QString::fromUtf8(shell::kImportFilesCaption), QString::fromUtf8(reason));
}

void TfrmMainForm::offerCopy(QDragMoveEvent* event) {
    if (takesFileDrags(event))
        acceptAsCopy(event);
    else
        event->ignore();
}

void TfrmMainForm::dragEnterEvent(QDragEnterEvent* event) {
    offerCopy(event);
}

// The proposal changes with the keys held during the drag (Shift proposes a move).
void TfrmMainForm::dragMoveEvent(QDragMoveEvent* event) {
    offerCopy(event);
}

void TfrmMainForm::dropEvent(QDropEvent* event) {
    event->ignore();
    if (!takesFileDrags(event))
        return;
    if (handlingDrop_) {
        refuseDrop(shell::kDropDuringImportText);
        return;
    }
    const QStringList paths = localPaths(event->mimeData());
    int copied = 0;
    handlingDrop_ = true;
    guarded(this, [&] { copied = dropHandler_(paths); });
    handlingDrop_ = false;
    if (copied > 0)
        acceptAsCopy(event);
}

// A disabled window (a conversion run) is given no drag events: its window system window
// answers them here, so that a drop is refused with its reason rather than without a word.
bool TfrmMainForm::eventFilter(QObject* watched, QEvent* event) {
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove;
    if (watched != filteredWindow_ || isEnabled() || !(drag || event->type() == QEvent::Drop))
        return QMainWindow::eventFilter(watched, event);
    auto* dropEvent = static_cast<QDropEvent*>(event);
    if (!takesFileDrags(dropEvent))
        return false;
    if (drag) {
        acceptAsCopy(dropEvent);
    } else {
        dropEvent->ignore();
        guarded(this, [this] { refuseDrop(shell::kDropDuringRunText); });
    }
    return true;
}

} // namespace ui
