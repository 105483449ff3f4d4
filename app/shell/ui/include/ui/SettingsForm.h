// TfrmSettings, "Settings": its two selectors hold the program's current output format and
// priority for the whole run (loaded at start-up). The editing of the other settings and the
// OK handling come with the settings dialog's own module.
#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QTabWidget;

namespace ui {

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSettings(QWidget* parent = nullptr);

    QComboBox* cboFormat() const { return cboFormat_; }
    QComboBox* cboPriority() const { return cboPriority_; }
    QTabWidget* pages() const { return pages_; }

    // Selects an index; one outside the list leaves the selector without a selection.
    static void selectIndex(QComboBox* selector, int index);

private:
    QWidget* buildGeneralPage();

    QTabWidget* pages_;
    QComboBox* cboFormat_ = nullptr;
    QComboBox* cboPriority_ = nullptr;
};

} // namespace ui
