// A drag source as a file manager is one: it offers its files to be copied or moved, proposes a
// move when Shift is held, and deletes its files when the drop answers that they were moved. The
// drag reaches the window through its window system window, as a real drag does.
#pragma once

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

namespace ui_test {

class DragSource {
public:
    explicit DragSource(QStringList nativePaths,
                        Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                        Qt::KeyboardModifiers keys = Qt::ShiftModifier)
        : paths_(std::move(nativePaths))
        , offered_(offered)
        , keys_(keys) {}

    // What the source proposes to the window (a move, with Shift held and a move offered).
    Qt::DropAction proposedAction() const {
        QMimeData data;
        return QDropEvent(QPointF(), offered_, &data, Qt::LeftButton, keys_).proposedAction();
    }

    // Drags the files over `window` and drops them at `at`. Returns what the drop answered:
    // IgnoreAction when the window did not take them. A move deletes the files, as the source
    // would.
    Qt::DropAction dropOn(QWindow* window, QPoint at) const {
        QMimeData files;
        QList<QUrl> urls;
        for (const QString& path : paths_)
            urls << QUrl::fromLocalFile(path);
        files.setUrls(urls);
        QDragEnterEvent enter(at, offered_, &files, Qt::LeftButton, keys_);
        QCoreApplication::sendEvent(window, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDragMoveEvent move(at, offered_, &files, Qt::LeftButton, keys_);
        QCoreApplication::sendEvent(window, &move);
        QDropEvent drop(at, offered_, &files, Qt::LeftButton, keys_);
        QCoreApplication::sendEvent(window, &drop);
        const Qt::DropAction answer = drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
        if (answer == Qt::MoveAction) {
            for (const QString& path : paths_)
                QFile::remove(path);
        }
        return answer;
    }

private:
    QStringList paths_;
    Qt::DropActions offered_;
    Qt::KeyboardModifiers keys_;
};

} // namespace ui_test
