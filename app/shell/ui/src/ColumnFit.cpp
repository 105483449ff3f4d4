#include "ui/ColumnFit.h"

#include <algorithm>
#include <numeric>

namespace ui {
namespace {

// The columns of a share that still want more, except the last (which takes the rest anyway).
std::vector<std::size_t> wantingMore(const std::vector<ColumnNeed>& columns,
                                     const std::vector<int>& widths, Share share) {
    std::vector<std::size_t> wanting;
    for (std::size_t c = 0; c + 1 < columns.size(); ++c) {
        if (columns[c].share == share && widths[c] < columns[c].wanted)
            wanting.push_back(c);
    }
    return wanting;
}

// Shares `free` out evenly among the columns of a share, none above what it wants; returns
// what is left.
int shareOut(const std::vector<ColumnNeed>& columns, std::vector<int>& widths, Share share,
             int free) {
    for (std::vector<std::size_t> wanting = wantingMore(columns, widths, share);
         free > 0 && !wanting.empty(); wanting = wantingMore(columns, widths, share)) {
        // A remainder smaller than one pixel per column goes to the first ones.
        const int each = std::max(1, free / static_cast<int>(wanting.size()));
        for (std::size_t c : wanting) {
            const int given = std::min({each, columns[c].wanted - widths[c], free});
            widths[c] += given;
            free -= given;
        }
    }
    return free;
}

} // namespace

std::vector<int> fitColumns(const std::vector<ColumnNeed>& columns, int available) {
    std::vector<int> widths;
    for (const ColumnNeed& column : columns)
        widths.push_back(column.least);
    if (columns.empty())
        return widths;
    int free = available - std::accumulate(widths.begin(), widths.end(), 0);
    for (Share share : {Share::First, Share::Then})
        free = shareOut(columns, widths, share, free);
    widths.back() += std::max(0, free);
    return widths;
}

} // namespace ui
