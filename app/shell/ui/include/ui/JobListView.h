// ListView1: the job list in report style. Rows are addressed by their 0-based position, which
// the conversion run uses as the job index.
#pragma once

#include "jobs/job_row.h"

#include <QTreeWidget>

#include <vector>

namespace ui {

class ImageList;

class JobListView : public QTreeWidget {
    Q_OBJECT
public:
    JobListView(const ImageList& images, QWidget* parent = nullptr);

    void clearJobs();
    void appendJobs(const std::vector<shell::JobRow>& rows);

    int jobCount() const;
    shell::JobRow jobRow(int index) const;
    void setJobCell(int index, int column, const QString& text);
    void setJobImage(int index, int image);
    int jobImage(int index) const;
    // Positions of the selected rows, ascending.
    std::vector<int> selectedJobIndexes() const;

    // Reorders the rows by a column through the job list's comparison; throws
    // shell::SortValueError, leaving the rows as they were, when a numeric cell is not a number.
    // A text shown in the middle of the list while it has no rows (empty: none).
    void setEmptyListText(const QString& text);
    QString emptyListText() const { return emptyListText_; }

    // The header shows the direction of the last successful sort with its arrow.
    void sortByColumn(int column, bool ascending);
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTreeWidgetItem* makeItem(const shell::JobRow& row) const;
    int fittedColumnWidth(int column) const;
    void showSortIndicator();

    const ImageList& images_;
    QString emptyListText_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

} // namespace ui
