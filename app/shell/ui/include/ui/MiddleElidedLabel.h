// A label that keeps its whole text but shows a long one shortened in the middle, so that both
// the start of a path and its last folder or file name stay visible in a window of fixed size.
#pragma once

#include <QLabel>

namespace ui {

class MiddleElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The text as the label draws it at its present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
