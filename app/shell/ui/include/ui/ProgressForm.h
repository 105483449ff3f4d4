// TfrmProgress, "Conversion Progress": shown by a conversion run, which writes its labels and
// gauge; Cancel asks the run to stop after the current job. It cannot be closed otherwise.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    QLabel* lblFileName() const { return lblFileName_; }
    QLabel* lblInput() const { return lblInput_; }
    QLabel* lblOutput() const { return lblOutput_; }
    QLabel* lblStatus() const { return lblStatus_; }
    QProgressBar* MMGauge1() const { return gauge_; }
    QPushButton* CancelBtn() const { return cancelBtn_; }

public slots:
    void CancelBtnClick();
    // Escape and the dialog's own reject would close the window; only Cancel and the run may.
    void reject() override {}
    // Each showing opens in the middle of the screen.
    void setVisible(bool visible) override;

signals:
    // Cancel was pressed: the main window sets CancelRequested and becomes usable again.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblFileName_;
    QLabel* lblInput_;
    QLabel* lblOutput_;
    QLabel* lblStatus_;
    QProgressBar* gauge_;
    QPushButton* cancelBtn_;
};

} // namespace ui
