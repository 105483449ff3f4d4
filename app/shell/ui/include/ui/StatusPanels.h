// StatusBar1: four fixed-width panels, indexed from 0 as the rest of the program names them.
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

private:
    std::array<QLabel*, kPanelCount> panels_{};
};

} // namespace ui
