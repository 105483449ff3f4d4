#include "jobs/job_sort.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>

namespace shell {

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> parseNumber(std::string_view cell) {
    std::string_view text = trimBlanks(cell);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The sort key of a cell: a number for the size columns, the text otherwise.
struct SortKey {
    std::optional<double> number;
};

SortKey keyOf(const JobRow& row, int column) {
    SortKey key;
    if (column == kColInputSize) {
        key.number = parseNumber(row.columns[kColInputSize]);
        if (!key.number.has_value()) {
            throw SortValueError(row.columns[kColInputSize]);
        }
    } else if (column == kColOutputSize) {
        key.number = parseNumber(row.columns[kColOutputSize]);
    }
    return key;
}

int compareNumbers(const SortKey& a, const SortKey& b) {
    if (!a.number.has_value() || !b.number.has_value()) {
        // Rows without an output size (waiting or failed jobs) come before converted ones.
        return static_cast<int>(a.number.has_value()) - static_cast<int>(b.number.has_value());
    }
    return (*a.number > *b.number) - (*a.number < *b.number);
}

bool isNumericColumn(int column) {
    return column == kColInputSize || column == kColOutputSize;
}

} // namespace

bool SortDirection::Flip() {
    ascending_ = !ascending_;
    return ascending_;
}

SortValueError::SortValueError(const std::string& cellText)
    : std::runtime_error("'" + cellText + "' is not a valid floating point value") {}

int CompareJobRows(const JobRow& a, const JobRow& b, int column) {
    if (column < 0 || column >= kJobColumnCount) {
        return 0;
    }
    if (isNumericColumn(column)) {
        return compareNumbers(keyOf(a, column), keyOf(b, column));
    }
    return CompareText(a.columns[static_cast<std::size_t>(column)],
                       b.columns[static_cast<std::size_t>(column)]);
}

std::vector<std::size_t> SortedOrder(const std::vector<JobRow>& rows, int column, bool ascending) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (column < 0 || column >= kJobColumnCount) {
        return order;
    }
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (const JobRow& row : rows) {
        keys.push_back(keyOf(row, column));
    }
    const auto cellOf = [&](std::size_t index) -> const std::string& {
        return rows[index].columns[static_cast<std::size_t>(column)];
    };
    const auto before = [&](std::size_t x, std::size_t y) {
        const int result = isNumericColumn(column) ? compareNumbers(keys[x], keys[y])
                                                   : CompareText(cellOf(x), cellOf(y));
        return ascending ? result < 0 : result > 0;
    };
    std::stable_sort(order.begin(), order.end(), before);
    return order;
}

void SortJobRows(std::vector<JobRow>& rows, int column, bool ascending) {
    const std::vector<std::size_t> order = SortedOrder(rows, column, ascending);
    std::vector<JobRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t index : order) {
        sorted.push_back(std::move(rows[index]));
    }
    rows = std::move(sorted);
}

} // namespace shell
