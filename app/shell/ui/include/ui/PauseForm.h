// TfrmPause, "File Transfer": shown while dropped files are copied, with a file-copy
// animation and the file being copied.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace ui {

// anmPause: pages travelling from one folder to another, frames 1 to 34 over and over.
class FileCopyAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFirstFrame = 1;
    static constexpr int kLastFrame = 34;

    explicit FileCopyAnimation(QWidget* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    int frame() const { return frame_; }
    void advance();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int frame_ = kFirstFrame;
};

class TfrmPause : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPause(QWidget* parent = nullptr);

    FileCopyAnimation* anmPause() const { return animation_; }
    QLabel* lblCurFile() const { return lblCurFile_; }

private:
    FileCopyAnimation* animation_;
    QLabel* lblCurFile_;
};

} // namespace ui
