// TfrmGrid, "Directories": its grid StringGrid1 is the program's in-memory copy of the
// directory table. Grid row 0 is the header row; grid row n holds table row n. The grid keeps
// table rows 99 to 101 too (read by a scan) without showing them. Save stores rows 1 to 100 in
// the configuration file and rebuilds the job list; Close only hides the window.
#pragma once

#include "config/directory_table.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace ui {

class TfrmGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownTableRows = 98;
    static constexpr std::array<int, shell::kDirectoryColumnCount> kColumnWidths = {233, 217, 74,
                                                                                    65};

    explicit TfrmGrid(std::string configPath = ".\\import.ini", QWidget* parent = nullptr);

    // Runs after a successful Save (the job list's rebuild).
    void setSavedHandler(std::function<void()> handler) { saved_ = std::move(handler); }

    QTableWidget* StringGrid1() const { return grid_; }
    QPushButton* btnSave() const { return btnSave_; }
    QPushButton* btnClose() const { return btnClose_; }
    // Says that the table read goes on after row 101, whose rows are ignored; hidden otherwise.
    QLabel* lblIgnoredRows() const { return lblIgnoredRows_; }

    // Cell (column, row) with the grid's own numbering: row 0 is the header row.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    // What every scan writes: the header texts into row 0 and the rows it read into rows 1, 2,
    // ...; rows after those keep what they hold.
    void loadScannedTable(const shell::DirectoryTable& table);

    // Grid rows 1 to 100, as Save stores them.
    std::vector<shell::DirectoryRow> savedRows() const;

public slots:
    void btnSaveClick();
    void btnCloseClick();

private:
    void commitOpenEditor();

    std::string configPath_;
    std::function<void()> saved_;
    QTableWidget* grid_;
    QPushButton* btnSave_;
    QPushButton* btnClose_;
    QLabel* lblIgnoredRows_;
};

} // namespace ui
