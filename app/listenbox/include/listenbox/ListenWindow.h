// Listenbox's window: the file's name, Play, Pause and Stop, and the position.
#pragma once

#include "listenbox/ListenSession.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace listenbox {

class ListenWindow : public QWidget {
    Q_OBJECT
public:
    explicit ListenWindow(QWidget* parent = nullptr);

    // Opens the file; a file that cannot be opened is named in the window with the reason.
    bool openFile(const QString& nativePath, const VoxReading& vox = {});

    ListenSession& session() { return session_; }

private:
    void play();
    void pause();
    void stop();
    // The message line: a failure to open or to play, empty otherwise.
    void showStatus(const QString& text);
    // The one place that sets the buttons' states and the texts from the session.
    void stabilize();

    ListenSession session_;
    QLabel* lblFile_;
    QLabel* lblPosition_;
    QLabel* lblStatus_;
    QPushButton* btnPlay_;
    QPushButton* btnPause_;
    QPushButton* btnStop_;
    QTimer clock_;
};

} // namespace listenbox
