// A message that does not wait for an answer: shown beside the windows while the work that
// refused something goes on. A modal box would hold the event loop of a conversion run or of an
// import until it is answered, and with it the run's progress and its Cancel button.
#pragma once

#include <QMessageBox>

namespace ui {

class NoticeBox : public QMessageBox {
    Q_OBJECT
public:
    // Without an owner: the main window is disabled during a run, and a window it owned would
    // be disabled with it, its OK button out of reach.
    NoticeBox();

    // Shows the text (one notice at a time: a later one replaces the text of a notice still
    // shown) and returns at once.
    void showNotice(const QString& caption, const QString& text, QMessageBox::Icon icon);
};

} // namespace ui
