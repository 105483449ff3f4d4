// How the job list's columns share the width of the list. Each column has the least width it
// keeps (its designed width, or its header's where that needs more) and the width its texts
// want. The name columns (files and folders) share whatever the least widths leave free, up to
// what they want: first the output names, which an office checks, then the other names evenly,
// so that a wider window shows whole names instead of leaving empty space beside names cut
// short. What they leave goes to the last column.
#pragma once

#include <vector>

namespace ui {

enum class Share {
    None,  // keeps its least width (short texts that always fit)
    First, // served before the others
    Then,
};

struct ColumnNeed {
    int least = 0;
    int wanted = 0; // at least `least`
    Share share = Share::Then;
};

// The columns' widths for a list `available` pixels wide: every column at least its least
// width; the free width given to the First columns up to what they want, then shared out
// evenly among the Then columns that want more, none above what it wants, the width one does
// not take going to the others. The last column gets what is left (it stretches).
std::vector<int> fitColumns(const std::vector<ColumnNeed>& columns, int available);

} // namespace ui
