#include "ui/StatusPanels.h"

#include "ui/MiddleElidedLabel.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

namespace ui {
namespace {

const std::array<QString, StatusPanels::kPanelCount> kInitialTexts = {
    QStringLiteral("Total Files:"), QString(), QStringLiteral("Vox Format:  "), QString()};

// Panels keep their widths (the designed ones, or wider where a text needs it), except the last:
// it takes the room left in the window, at least its designed width, and shows a longer text
// shortened (its tool tip holds it whole). The strip is never narrower than the first panels and
// the last one's designed width, which makes that the window's least width: every panel stays
// within the window.
class PanelStrip : public QWidget {
public:
    using QWidget::QWidget;

    QSize sizeHint() const override { return {widthUpTo(kPanelCount), panelHeight()}; }
    QSize minimumSizeHint() const override {
        return {widthUpTo(kPanelCount - 1) + StatusPanels::kPanelWidths.back(), panelHeight()};
    }

    void setWantedWidth(int panel, int width) {
        wanted_[panel] = width;
        layoutPanels();
    }

    void layoutPanels() {
        const QList<QLabel*> labels = panels();
        int x = 0;
        for (int i = 0; i < labels.size(); ++i) {
            int width = wanted_[i];
            if (i + 1 == labels.size())
                width =
                    std::max(StatusPanels::kPanelWidths.back(), std::min(width, this->width() - x));
            labels[i]->setGeometry(x, 0, width, height());
            x += width + kGap;
        }
        updateGeometry();
    }

protected:
    void resizeEvent(QResizeEvent*) override { layoutPanels(); }

private:
    static constexpr int kGap = 2;
    static constexpr int kPanelCount = StatusPanels::kPanelCount;

    int widthUpTo(int count) const {
        int width = 0;
        for (int i = 0; i < count; ++i)
            width += wanted_[i] + kGap;
        return width;
    }
    int panelHeight() const {
        int height = 0;
        for (const QWidget* child : panels())
            height = qMax(height, child->sizeHint().height());
        return height;
    }
    QList<QLabel*> panels() const { return findChildren<QLabel*>(Qt::FindDirectChildrenOnly); }

    std::array<int, kPanelCount> wanted_ = StatusPanels::kPanelWidths;
};

} // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    auto* strip = new PanelStrip(this);
    strip->setObjectName(QStringLiteral("StatusBar1Panels"));
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new MiddleElidedLabel(kInitialTexts[i], strip);
        label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        label->setMinimumWidth(0);
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
    if (auto* strip = dynamic_cast<PanelStrip*>(label->parentWidget()))
        strip->setWantedWidth(panel, std::max(kPanelWidths[panel], needed));
}

QLabel* StatusPanels::panel(int panel) const {
    return panels_.at(panel);
}

} // namespace ui
