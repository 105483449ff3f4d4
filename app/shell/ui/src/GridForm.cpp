#include "ui/GridForm.h"

#include "ui/Guard.h"

#include "config/config_store.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

TfrmGrid::TfrmGrid(std::string configPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
    , configPath_(std::move(configPath))
    , grid_(new QTableWidget(shell::kMaxTableRows, shell::kDirectoryColumnCount))
    , btnSave_(new QPushButton(QStringLiteral("&Save")))
    , btnClose_(new QPushButton(QStringLiteral("&Close")))
    , lblIgnoredRows_(new QLabel(QString::fromUtf8(shell::kRowsBeyondLimitText))) {
    setObjectName(QStringLiteral("frmGrid"));
    setWindowTitle(QStringLiteral("Directories"));
    resize(622, 300);
    setMinimumSize(622, 300);

    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(18);
    grid_->verticalHeader()->setDefaultSectionSize(18);
    grid_->horizontalHeader()->setSectionsMovable(false);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setTabKeyNavigation(true);
    for (int column = 0; column < shell::kDirectoryColumnCount; ++column)
        grid_->setColumnWidth(column, kColumnWidths[column]);
    for (int row = kShownTableRows; row < shell::kMaxTableRows; ++row)
        grid_->setRowHidden(row, true);
    for (int column = 0; column < shell::kDirectoryColumnCount; ++column)
        setCell(column, 0, QString::fromUtf8(shell::kDirectoryHeaders[column]));

    btnSave_->setObjectName(QStringLiteral("btnSave"));
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    connect(btnSave_, &QPushButton::clicked, this,
            [this] { guarded(this, [this] { btnSaveClick(); }); });
    connect(btnClose_, &QPushButton::clicked, this, &TfrmGrid::btnCloseClick);

    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setFixedHeight(41);
    auto* buttons = new QHBoxLayout(bar);
    lblIgnoredRows_->setObjectName(QStringLiteral("lblIgnoredRows"));
    lblIgnoredRows_->hide();
    buttons->addWidget(lblIgnoredRows_);
    buttons->addStretch();
    buttons->addWidget(btnSave_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid_, 1);
    layout->addWidget(bar);
}

QString TfrmGrid::cell(int column, int row) const {
    if (row == 0) {
        const QTableWidgetItem* header = grid_->horizontalHeaderItem(column);
        return header != nullptr ? header->text() : QString();
    }
    const QTableWidgetItem* item = grid_->item(row - 1, column);
    return item != nullptr ? item->text() : QString();
}

void TfrmGrid::setCell(int column, int row, const QString& text) {
    if (row == 0) {
        if (QTableWidgetItem* header = grid_->horizontalHeaderItem(column))
            header->setText(text);
        else
            grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        return;
    }
    if (QTableWidgetItem* item = grid_->item(row - 1, column))
        item->setText(text);
    else
        grid_->setItem(row - 1, column, new QTableWidgetItem(text));
}

void TfrmGrid::loadScannedTable(const shell::DirectoryTable& table) {
    lblIgnoredRows_->setVisible(table.rowsBeyondLimit);
    for (int column = 0; column < shell::kDirectoryColumnCount; ++column)
        setCell(column, 0, QString::fromUtf8(shell::kDirectoryHeaders[column]));
    int row = 1;
    for (const shell::DirectoryRow& read : table.rowsRead) {
        if (row > shell::kMaxTableRows)
            break;
        for (int column = 0; column < shell::kDirectoryColumnCount; ++column)
            setCell(column, row, QString::fromStdString(read.cells[column]));
        ++row;
    }
}

std::vector<shell::DirectoryRow> TfrmGrid::savedRows() const {
    std::vector<shell::DirectoryRow> rows(shell::kSavedTableRows);
    for (int row = 1; row <= shell::kSavedTableRows; ++row) {
        for (int column = 0; column < shell::kDirectoryColumnCount; ++column)
            rows[row - 1].cells[column] = cell(column, row).toStdString();
    }
    return rows;
}

// A cell still being edited when Save is chosen (Save by its keyboard shortcut) is part of what
// the user typed.
void TfrmGrid::commitOpenEditor() {
    // The open editor of the current cell, if any.
    QWidget* editor = grid_->indexWidget(grid_->currentIndex());
    if (editor == nullptr)
        return;
    QMetaObject::invokeMethod(grid_, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(
        grid_, "closeEditor", Q_ARG(QWidget*, editor),
        Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

// A failed write (shown by the caller) leaves the window open with its edits, and the job list
// as it was.
void TfrmGrid::btnSaveClick() {
    commitOpenEditor();
    shell::ConfigStore(configPath_).SaveDirectoryTable(savedRows());
    if (saved_)
        saved_();
    hide();
}

void TfrmGrid::btnCloseClick() {
    hide();
}

} // namespace ui
