#include "ui/JobCellToolTip.h"

#include "jobs/job_row.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace ui {

QString jobCellToolTip(int column, const QString& text, bool cut, const QString& jobError) {
    QStringList lines;
    if (cut)
        lines << text;
    const bool tellsError = column == shell::kColInputFile || column == shell::kColOutputFile;
    if (tellsError && !jobError.isEmpty() && !lines.contains(jobError))
        lines << jobError;
    return lines.join(QLatin1Char('\n'));
}

// The room the style draws the text in, less the margins it keeps inside it: the measure the
// style elides by.
bool JobCellDelegate::isTextCut(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return cell.fontMetrics.horizontalAdvance(cell.text) > room.width() - 2 * margin;
}

QString JobCellDelegate::toolTip(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QString error = index.siblingAtColumn(0).data(kJobErrorRole).toString();
    return jobCellToolTip(index.column(), index.data(Qt::DisplayRole).toString(),
                          isTextCut(option, index), error);
}

bool JobCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString tip = toolTip(option, index);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    return true;
}

} // namespace ui
