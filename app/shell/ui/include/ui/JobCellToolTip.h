// Tool tips of the job list: a cell whose text the list shows cut shows the whole text, and a
// job whose conversion failed tells its error over its name and its output cell, where the
// error text stands cut short.
#pragma once

#include <QStyledItemDelegate>

namespace ui {

// The tool tip of a cell: its whole text when it is shown cut, then the job's error (empty
// when the job has not failed) over the name and output columns; empty for no tool tip.
QString jobCellToolTip(int column, const QString& text, bool cut, const QString& jobError);

// Draws the cells as the list's default delegate does and answers tool tip requests.
class JobCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The item data role that holds a failed job's error text (on column 0).
    static constexpr int kJobErrorRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the cell's text is wider than the room it is drawn in, so that it is elided.
    bool isTextCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QString toolTip(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace ui
