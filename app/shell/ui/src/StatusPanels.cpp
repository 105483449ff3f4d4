#include "ui/StatusPanels.h"

#include <QLabel>
#include <QResizeEvent>

namespace ui {
namespace {

const std::array<QString, StatusPanels::kPanelCount> kInitialTexts = {
    QStringLiteral("Total Files:"), QString(), QStringLiteral("Vox Format:  "), QString()};

// Panels keep their widths; a window narrower than all of them cuts off the last ones
// rather than squeezing every panel.
class PanelStrip : public QWidget {
public:
    using QWidget::QWidget;

    QSize sizeHint() const override {
        int height = 0;
        for (const QWidget* child : panels())
            height = qMax(height, child->sizeHint().height());
        return {totalWidth(), height};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent*) override {
        int x = 0;
        for (int i = 0; i < StatusPanels::kPanelCount; ++i) {
            panels().at(i)->setGeometry(x, 0, StatusPanels::kPanelWidths[i], height());
            x += StatusPanels::kPanelWidths[i] + kGap;
        }
    }

private:
    static constexpr int kGap = 2;

    QList<QLabel*> panels() const { return findChildren<QLabel*>(Qt::FindDirectChildrenOnly); }
    static int totalWidth() {
        int total = 0;
        for (int width : StatusPanels::kPanelWidths)
            total += width + kGap;
        return total;
    }
};

} // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    auto* strip = new PanelStrip(this);
    strip->setObjectName(QStringLiteral("StatusBar1Panels"));
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(kInitialTexts[i], strip);
        label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        label->setFixedWidth(kPanelWidths[i]);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        label->setTextFormat(Qt::PlainText);
        panels_[i] = label;
    }
    addWidget(strip, 1);
}

QString StatusPanels::panelText(int panel) const {
    return panels_.at(panel)->text();
}

void StatusPanels::setPanelText(int panel, const QString& text) {
    QLabel* label = panels_.at(panel);
    label->setText(text);
    label->setToolTip(text);
}

QLabel* StatusPanels::panel(int panel) const {
    return panels_.at(panel);
}

} // namespace ui
