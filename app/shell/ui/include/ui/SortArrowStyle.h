// The job list header's sort arrow as desktops draw it: pointing up for an ascending sort (A at
// the top), down for a descending one. Some styles draw the reverse on Linux; this one asks the
// header for its order instead of going by the style's reading of it.
#pragma once

#include <QProxyStyle>

namespace ui {

class SortArrowStyle : public QProxyStyle {
    Q_OBJECT
public:
    // `base` is owned by the new style; null takes the application's style.
    explicit SortArrowStyle(QStyle* base = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace ui
