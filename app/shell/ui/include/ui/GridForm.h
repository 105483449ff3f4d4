// TfrmGrid, "Directories": its grid StringGrid1 is the program's in-memory copy of the
// directory table. Grid row 0 is the header row; grid row n holds table row n. The grid keeps
// table rows 99 to 101 too (read by a scan) without showing them. Saving the edited table
// comes with the directories dialog's own module.
#pragma once

#include "config/directory_table.h"

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace ui {

class TfrmGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownTableRows = 98;
    static constexpr std::array<int, shell::kDirectoryColumnCount> kColumnWidths = {233, 217, 74,
                                                                                    65};

    explicit TfrmGrid(QWidget* parent = nullptr);

    QTableWidget* StringGrid1() const { return grid_; }
    QPushButton* btnSave() const { return btnSave_; }
    QPushButton* btnClose() const { return btnClose_; }

    // Cell (column, row) with the grid's own numbering: row 0 is the header row.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    // What every scan writes: the header texts into row 0 and the rows it read into rows 1, 2,
    // ...; rows after those keep what they hold.
    void loadScannedTable(const shell::DirectoryTable& table);

public slots:
    void btnCloseClick();

private:
    QTableWidget* grid_;
    QPushButton* btnSave_;
    QPushButton* btnClose_;
};

} // namespace ui
