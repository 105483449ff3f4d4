#include "ui/JobListView.h"

#include "ui/ColumnFit.h"
#include "ui/ImageList.h"
#include "ui/JobCellToolTip.h"
#include "ui/SortArrowStyle.h"

#include "jobs/job_sort.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <numeric>

namespace ui {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;

// The output names first, then the other names (files and folders) share the free width of
// the list; the sizes, the user ID and the location are short and always get what they want.
Share shareOf(int column) {
    switch (column) {
    case shell::kColOutputFile:
        return Share::First;
    case shell::kColInputFile:
    case shell::kColInputDir:
    case shell::kColOutputDir:
        return Share::Then;
    default:
        return Share::None;
    }
}

Qt::Alignment cellAlignment(int column) {
    const bool right = shell::kJobColumns[column].alignment == shell::ColumnAlignment::Right;
    return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

JobListView::JobListView(const ImageList& images, QWidget* parent)
    : QTreeWidget(parent)
    , images_(images)
    , cells_(new JobCellDelegate(this)) {
    setObjectName(QStringLiteral("ListView1"));
    setColumnCount(shell::kJobColumnCount);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    setSortingEnabled(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(cells_);
    // Long names of one dictation series differ at their ends, and an output name ends in its
    // extension: a name cut short keeps its start and its end.
    setTextElideMode(Qt::ElideMiddle);
    refit_.setSingleShot(true);
    connect(&refit_, &QTimer::timeout, this, &JobListView::refitToTexts);

    QStringList headers;
    for (const shell::JobColumnLayout& columnInfo : shell::kJobColumns)
        headers << QString::fromUtf8(columnInfo.header);
    setHeaderLabels(headers);
    QHeaderView* head = header();
    head->setSectionsClickable(true);
    head->setSectionsMovable(false);
    // The last column takes the spare width of a widened window.
    head->setStretchLastSection(true);
    head->setSortIndicatorShown(true);
    head->setSortIndicator(-1, Qt::AscendingOrder);
    auto* arrows = new SortArrowStyle;
    arrows->setParent(head);
    head->setStyle(arrows);
    for (int column = 0; column < shell::kJobColumnCount; ++column) {
        headerItem()->setTextAlignment(column, cellAlignment(column));
        setColumnWidth(column, fittedColumnWidth(column));
    }
    head->setMinimumSectionSize(0);
    // The header's own click handling would move the indicator even when a sort fails.
    connect(head, &QHeaderView::sortIndicatorChanged, this, [this] { showSortIndicator(); });
}

// The designed widths suit the original platform's small font; the header texts ("Size (KB)")
// and the sort arrow must fit in the current one.
int JobListView::fittedColumnWidth(int column) const {
    // The header's own measure of its text, with room for the sort arrow.
    return std::max(shell::kJobColumns[column].width, header()->sectionSizeHint(column));
}

void JobListView::showSortIndicator() {
    QHeaderView* head = header();
    const QSignalBlocker quiet(head);
    head->setSortIndicator(sortColumn_, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void JobListView::setEmptyListText(const QString& text) {
    emptyListText_ = text;
    viewport()->update();
}

void JobListView::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (jobCount() > 0 || emptyListText_.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QRect area = viewport()->rect().adjusted(12, 12, -12, -12);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, emptyListText_);
}

// Rebuilt, the rows are in scan order again: no arrow may claim a sort.
void JobListView::clearJobs() {
    clear();
    sortColumn_ = -1;
    showSortIndicator();
}

void JobListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    fitColumnsToWidth();
}

// What each column keeps and wants, measured again when the texts change; a resize only
// shares the width out anew.
void JobListView::measureColumns() {
    needs_.clear();
    for (int column = 0; column < shell::kJobColumnCount; ++column) {
        const int least = fittedColumnWidth(column);
        const int wanted = std::max(least, sizeHintForColumn(column));
        const Share share = shareOf(column);
        needs_.push_back({share == Share::None ? wanted : least, wanted, share});
    }
}

void JobListView::fitColumnsToWidth() {
    if (fitting_)
        return; // setting a width may resize the viewport (a scroll bar comes or goes)
    fitting_ = true;
    if (needs_.empty())
        measureColumns();
    const std::vector<int> widths = fitColumns(needs_, viewport()->width());
    // The last column stretches over the rest by itself.
    for (int column = 0; column + 1 < shell::kJobColumnCount; ++column)
        setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    fitting_ = false;
}

void JobListView::refitToTexts() {
    measureColumns();
    fitColumnsToWidth();
}

QTreeWidgetItem* JobListView::makeItem(const shell::JobRow& row) const {
    auto* item = new QTreeWidgetItem();
    for (int column = 0; column < shell::kJobColumnCount; ++column) {
        item->setText(column, QString::fromStdString(row.columns[column]));
        if (shell::kJobColumns[column].alignment == shell::ColumnAlignment::Right)
            item->setTextAlignment(column, cellAlignment(column));
    }
    item->setIcon(0, images_.image(row.image));
    item->setData(0, kImageRole, row.image);
    return item;
}

void JobListView::appendJobs(const std::vector<shell::JobRow>& rows) {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const shell::JobRow& row : rows)
        items.append(makeItem(row));
    addTopLevelItems(items);
    refitToTexts();
}

int JobListView::jobCount() const {
    return topLevelItemCount();
}

shell::JobRow JobListView::jobRow(int index) const {
    const QTreeWidgetItem* item = topLevelItem(index);
    shell::JobRow row;
    if (item == nullptr)
        return row;
    for (int column = 0; column < shell::kJobColumnCount; ++column)
        row.columns[column] = item->text(column).toStdString();
    row.image = item->data(0, kImageRole).toInt();
    return row;
}

// A run writes cells job by job: the columns are fitted once the run lets the window breathe.
void JobListView::setJobCell(int index, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(index)) {
        item->setText(column, text);
        needs_.clear(); // measured again at the next fit
        refit_.start(0);
    }
}

void JobListView::setJobImage(int index, int image) {
    if (QTreeWidgetItem* item = topLevelItem(index)) {
        item->setIcon(0, images_.image(image));
        item->setData(0, kImageRole, image);
        item->setData(0, JobCellDelegate::kJobErrorRole, QVariant());
    }
}

void JobListView::setJobFailed(int index, const QString& error) {
    QTreeWidgetItem* item = topLevelItem(index);
    if (item == nullptr)
        return;
    setJobCell(index, shell::kColOutputFile, error);
    item->setIcon(0, images_.image(kImageFailed));
    item->setData(0, JobCellDelegate::kJobErrorRole, error);
}

QString JobListView::jobError(int index) const {
    const QTreeWidgetItem* item = topLevelItem(index);
    return item != nullptr ? item->data(0, JobCellDelegate::kJobErrorRole).toString() : QString();
}

QString JobListView::toolTipAt(const QPoint& position) const {
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return cells_->toolTip(option, index);
}

int JobListView::jobImage(int index) const {
    const QTreeWidgetItem* item = topLevelItem(index);
    return item != nullptr ? item->data(0, kImageRole).toInt() : 0;
}

std::vector<int> JobListView::selectedJobIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected())
            indexes.push_back(i);
    }
    return indexes;
}

void JobListView::sortByColumn(int column, bool ascending) {
    std::vector<shell::JobRow> rows;
    rows.reserve(static_cast<std::size_t>(jobCount()));
    for (int i = 0; i < jobCount(); ++i)
        rows.push_back(jobRow(i));
    // Order positions first, so a comparison that throws leaves the list untouched; the items
    // themselves are then moved, keeping their selection.
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    try {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int result = shell::CompareJobRows(rows[a], rows[b], column);
            return ascending ? result < 0 : result > 0;
        });
    } catch (...) {
        showSortIndicator();
        throw;
    }
    sortColumn_ = column;
    sortAscending_ = ascending;
    showSortIndicator();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    QTreeWidgetItem* current = currentItem();
    // Taken out, the items stay alive and go back in the new order.
    const QList<QTreeWidgetItem*> items = invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(items.size());
    for (int position : order)
        sorted.append(items.at(position));
    addTopLevelItems(sorted);
    for (QTreeWidgetItem* item : selected)
        item->setSelected(true);
    if (current != nullptr)
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
}

} // namespace ui
