// StatusBar1: four panels, indexed from 0 as the rest of the program names them. Each is as
// wide as designed, or as its text needs when that is more; the last one takes at most the room
// the window leaves it, and the window is never narrower than all four at their widths.
#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace ui {

class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 4;
    static constexpr std::array<int, kPanelCount> kPanelWidths = {100, 200, 170, 100};

    explicit StatusPanels(QWidget* parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    QLabel* panel(int panel) const;

    // Width kept beyond the text itself, so that nothing is cut by rounding or a style.
    static constexpr int kTextSlack = 4;

private:
    void fitPanel(int panel);

    std::array<QLabel*, kPanelCount> panels_{};
};

} // namespace ui
