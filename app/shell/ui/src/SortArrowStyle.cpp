#include "ui/SortArrowStyle.h"

#include <QHeaderView>

namespace ui {

SortArrowStyle::SortArrowStyle(QStyle* base)
    : QProxyStyle(base) {}

void SortArrowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    const auto* header = qobject_cast<const QHeaderView*>(widget);
    if (element != PE_IndicatorHeaderArrow || header == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
    baseStyle()->drawPrimitive(ascending ? PE_IndicatorArrowUp : PE_IndicatorArrowDown, option,
                               painter, widget);
}

} // namespace ui
