// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/station_log_row.h"
#include "history/trend_quantity.h"

#include <QList>
#include <QtGlobal>

#include <array>
#include <deque>
#include <limits>
#include <optional>

namespace anemora {

// One line of the table beside the charts.
struct DaySummaryRow {
    TrendQuantity quantity;
    // In the last report; empty when that report lacked it.
    std::optional<float> last;
    std::optional<float> minimum;
    std::optional<float> maximum;
    // Pressure only: the last reading less the first of the 24 hours.
    std::optional<float> change;

    bool operator==(const DaySummaryRow &) const = default;
};

// The last report and the 24 hours before it, for the table beside the charts.
class DaySummary {
public:
    // Rows oldest first; an older row than the last one only counts towards
    // minimum, maximum and change.
    void Add(const StationLogRow &row);
    // Forgets what is more than 24 hours older than `nowMs`.
    void AdvanceTo(qint64 nowMs);
    QList<DaySummaryRow> Rows() const;

private:
    using Values = std::array<std::optional<float>, TrendQuantityCount>;
    struct Entry {
        qint64 ms;
        Values values;
    };
    std::deque<Entry> entries;
    Values lastReport{};
    qint64 lastReportMs = std::numeric_limits<qint64>::min();
};

} // namespace anemora
