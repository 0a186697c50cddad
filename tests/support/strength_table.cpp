// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/strength_table.h"

#include <algorithm>

namespace hspring::test {

StrengthTable buildStrengthTable(const MaterialRecord& record, AllowableStressKind kind) {
    const bool torsion = kind == AllowableStressKind::Torsion;
    const double* column = torsion ? record.allowableTorsion : record.allowableBending;
    const std::int32_t percent = torsion ? record.torsionPercent : record.bendingPercent;
    StrengthTable table{};
    const int count = usedDiameterCount(record);
    const bool explicitColumn = column[0] != 0;
    for (int j = 0; j < count; ++j) {
        double stress = 0;
        if (explicitColumn) {
            if (column[j] == 0)
                continue;
            stress = column[j];
        } else {
            stress = static_cast<double>(static_cast<long double>(percent) *
                                         record.tensileStrength[j] / 100);
        }
        table.diameters[table.rowCount] = record.diameters[j];
        table.stresses[table.rowCount] = stress;
        ++table.rowCount;
    }
    return table;
}

std::optional<double> interpolateTable(const StrengthTable& table, double d) {
    std::optional<double> result;
    const int rows = std::clamp<std::int32_t>(table.rowCount, 0, kMaxDiameters);
    if (rows == 1 && table.diameters[0] == d)
        result = table.stresses[0];
    for (int i = 0; i + 1 < rows; ++i) {
        const long double x0 = table.diameters[i];
        const long double x1 = table.diameters[i + 1];
        const long double y0 = table.stresses[i];
        const long double y1 = table.stresses[i + 1];
        if (!(x0 <= d && d <= x1))
            continue;
        if (x0 == x1) {
            result = static_cast<double>(std::min(y0, y1));
            continue;
        }
        result = static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (d - x0));
    }
    return result;
}

} // namespace hspring::test
