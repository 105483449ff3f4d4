#include "ui/StatusPanels.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

namespace ui {
namespace {

const std::array<QString, StatusPanels::kPanelCount> kInitialTexts = {
    QStringLiteral("Total Files:"), QString(), QStringLiteral("Vox Format:  "), QString()};

// Panels keep their widths (the designed ones, or wider where a text needs it); a window
// narrower than all of them cuts off the last ones rather than squeezing every panel.
class PanelStrip : public QWidget {
public:
    using QWidget::QWidget;

    QSize sizeHint() const override {
        int height = 0;
        for (const QWidget* child : panels())
            height = qMax(height, child->sizeHint().height());
        int width = 0;
        for (const QWidget* child : panels())
            width += child->width() + kGap;
        return {width, height};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

    void layoutPanels() {
        int x = 0;
        for (QLabel* panel : panels()) {
            panel->setGeometry(x, 0, panel->width(), height());
            x += panel->width() + kGap;
        }
        updateGeometry();
    }

protected:
    void resizeEvent(QResizeEvent*) override { layoutPanels(); }

private:
    static constexpr int kGap = 2;

    QList<QLabel*> panels() const { return findChildren<QLabel*>(Qt::FindDirectChildrenOnly); }
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
        fitPanel(i);
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
    fitPanel(panel);
}

// The designed widths suit the original platform's small font; here a text such as
// "Total Files:  2009" may need more, and is never clipped.
void StatusPanels::fitPanel(int panel) {
    QLabel* label = panels_.at(panel);
    const QMargins margins = label->contentsMargins();
    const int frame = 2 * label->frameWidth();
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + margins.left() +
                       margins.right() + frame + 2 * label->margin() + kTextSlack;
    const int width = std::max(kPanelWidths[panel], needed);
    if (width == label->width())
        return;
    label->setFixedWidth(width);
    if (auto* strip = dynamic_cast<PanelStrip*>(label->parentWidget()))
        strip->layoutPanels();
}

QLabel* StatusPanels::panel(int panel) const {
    return panels_.at(panel);
}

} // namespace ui
