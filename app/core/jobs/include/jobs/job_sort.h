#pragma once
// Sorting the job list by a column. One direction flag is shared by all columns: every header
// click flips it, the first click sorts ascending, the second descending, whatever the column.

#include "jobs/job_row.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

class SortDirection {
public:
    // Flips the flag for a header click; true when this click sorts ascending.
    bool Flip();
    // The direction of the last click (true before any click has been made).
    bool ascending() const { return ascending_; }

private:
    bool ascending_ = false; // flipped to true by the first click
};

// A numeric sort met a cell that is not a number; the sort is abandoned, rows unchanged.
class SortValueError : public std::runtime_error {
public:
    explicit SortValueError(const std::string& cellText);
};

// Locale-aware, case-sensitive text comparison (<0, 0, >0). Under the C/POSIX collation it
// orders letters alphabetically with lower case before upper case of the same letter.
int CompareText(std::string_view a, std::string_view b);

// Compares two rows by a column, ascending (<0: a before b). Column 1: numeric on the input
// size; column 3: numeric on the output size, blank or non-numeric cells before numbers;
// other columns: CompareText. Throws SortValueError for a non-number in column 1.
int CompareJobRows(const JobRow& a, const JobRow& b, int column);

// The positions of the rows in sorted order (result[i] is the row that goes to place i); rows
// that compare equal keep their order. Throws SortValueError, when a numeric column holds a
// non-number, before any comparison is made. Lets a list control move its own items.
std::vector<std::size_t> SortedOrder(const std::vector<JobRow>& rows, int column, bool ascending);

// Sorts the rows in place by the column; rows that compare equal keep their order. Throws
// SortValueError, before anything is moved, when a numeric column holds a non-number.
void SortJobRows(std::vector<JobRow>& rows, int column, bool ascending);

} // namespace shell
