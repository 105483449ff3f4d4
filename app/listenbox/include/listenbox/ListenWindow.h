// Listenbox's window: the file's name, Play, Pause and Stop, the position with a slider to
// seek, and a status line that says what could not be opened or played.
#pragma once

#include "listenbox/ListenSession.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QSlider;

namespace listenbox {

class ListenWindow : public QWidget {
    Q_OBJECT
public:
    // Plays on the default output device unless given another output.
    explicit ListenWindow(std::unique_ptr<AudioOutput> output = nullptr, QWidget* parent = nullptr);

    // Opens the file; a file that cannot be opened is named in the window with the reason.
    bool openFile(const QString& nativePath, const VoxReading& vox = {});

    ListenSession& session() { return session_; }

private:
    void play();
    void pause();
    void stop();
    void seekToSlider();
    // The status line, word-wrapped; the window grows until the whole text shows.
    void showStatus(const QString& text);
    // The one place that sets the buttons' states, the slider and the texts from the session.
    void stabilize();

    ListenSession session_;
    QLabel* lblFile_;
    QLabel* lblPosition_;
    QLabel* lblStatus_;
    QPushButton* btnPlay_;
    QPushButton* btnPause_;
    QPushButton* btnStop_;
    QSlider* sldPosition_;
    QTimer clock_;
};

} // namespace listenbox
