// ListView1: the job list in report style. Rows are addressed by their 0-based position, which
// the conversion run uses as the job index.
#pragma once

#include "ui/ColumnFit.h"

#include "jobs/job_row.h"

#include <QTimer>
#include <QTreeWidget>

#include <vector>

namespace ui {

class ImageList;
class JobCellDelegate;

class JobListView : public QTreeWidget {
    Q_OBJECT
public:
    JobListView(const ImageList& images, QWidget* parent = nullptr);

    void clearJobs();
    void appendJobs(const std::vector<shell::JobRow>& rows);

    int jobCount() const;
    shell::JobRow jobRow(int index) const;
    void setJobCell(int index, int column, const QString& text);
    // The row's image number (1 waiting, 2 converted); a converted image also ends a failure.
    void setJobImage(int index, int image);
    int jobImage(int index) const;
    // A job whose conversion failed: the error in its "Output File" column, as designed, and
    // the error picture in place of the waiting one; the row keeps image number 1 (it still
    // waits and the next Convert All tries it again). The error is its tool tip.
    void setJobFailed(int index, const QString& error);
    // The error of a failed job; empty for any other.
    QString jobError(int index) const;
    // The tool tip a pointer resting at `position` (in the viewport) gets; empty for none.
    QString toolTipAt(const QPoint& position) const;
    // Positions of the selected rows, ascending.
    std::vector<int> selectedJobIndexes() const;

    // Reorders the rows by a column through the job list's comparison; throws
    // shell::SortValueError, leaving the rows as they were, when a numeric cell is not a number.
    // A text shown in the middle of the list while it has no rows (empty: none).
    void setEmptyListText(const QString& text);
    QString emptyListText() const { return emptyListText_; }

    // The header shows the direction of the last successful sort with its arrow, until the
    // rows are rebuilt in scan order.
    void sortByColumn(int column, bool ascending);
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }

    // Shares the list's width out among the columns (ColumnFit); done when the list is
    // resized or rebuilt, and soon after a cell changes.
    void fitColumnsToWidth();
    // Measures the columns' texts again, then fits them.
    void refitToTexts();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* makeItem(const shell::JobRow& row) const;
    int fittedColumnWidth(int column) const;
    void showSortIndicator();
    void measureColumns();

    const ImageList& images_;
    JobCellDelegate* cells_;
    QTimer refit_;
    bool fitting_ = false;
    std::vector<ColumnNeed> needs_;
    QString emptyListText_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

} // namespace ui
