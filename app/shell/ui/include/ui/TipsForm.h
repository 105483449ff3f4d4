// TfrmTips, "Quorvel Import Utility Tips": a few lines about the program, a link to the
// maker's web site and the check box that decides whether the window opens at start-up.
#pragma once

#include <QDialog>
#include <QLabel>

#include <string>

class QCheckBox;
class QPushButton;

namespace ui {

// The link label: red while the mouse button is held on it; the release opens the address.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QString address, QWidget* parent = nullptr);
    bool isPressedColour() const { return pressed_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintAs(bool pressed);

    QString address_;
    bool pressed_ = false;
};

class TfrmTips : public QDialog {
    Q_OBJECT
public:
    // `configPath` is the stored path of the configuration file (".\import.ini").
    explicit TfrmTips(std::string configPath, QWidget* parent = nullptr);

    QCheckBox* chkTips() const { return chkTips_; }
    QPushButton* btnContinue() const { return btnContinue_; }
    LinkLabel* linkLabel() const { return link_; }

    static const QStringList& tipTexts();

public slots:
    void btnContinueClick();
    // Each showing opens in the middle of the screen.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    QWidget* buildLinkLine();

    std::string configPath_;
    QCheckBox* chkTips_;
    QPushButton* btnContinue_;
    LinkLabel* link_ = nullptr;
};

} // namespace ui
