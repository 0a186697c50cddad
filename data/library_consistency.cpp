// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/library_consistency.h"

#include <algorithm>
#include <cmath>

namespace hspring {

namespace {

bool isPositive(double value) {
    return std::isfinite(value) && value > 0;
}

void checkTable(const MaterialRecord& record, int index,
                std::vector<LibraryInconsistency>& problems) {
    if (record.diameterCount < 1 || record.diameterCount > kMaxDiameters) {
        problems.push_back({LibraryRule::DiameterCountOutOfRange, index, -1, record.diameterCount});
        return;
    }
    if (!isPositive(record.shearModulus))
        problems.push_back(
            {LibraryRule::ShearModulusNotPositive, index, -1, 0, record.shearModulus});
    for (int j = 0; j < record.diameterCount; ++j) {
        if (!isPositive(record.diameters[j]))
            problems.push_back(
                {LibraryRule::DiameterNotPositive, index, j, 0, record.diameters[j]});
        else if (j > 0 && !(record.diameters[j] > record.diameters[j - 1]))
            problems.push_back({LibraryRule::DiametersNotAscending, index, j, 0,
                                record.diameters[j], record.diameters[j - 1]});
        if (!isPositive(record.tensileStrength[j]))
            problems.push_back(
                {LibraryRule::TensileStrengthNotPositive, index, j, 0, record.tensileStrength[j]});
    }
}

} // namespace

std::vector<LibraryInconsistency> findLibraryInconsistencies(const MaterialLibrary& library) {
    std::vector<LibraryInconsistency> problems;
    int recordsOfKind[kKindCount] = {};
    int firstOfKind[kKindCount];
    std::fill(std::begin(firstOfKind), std::end(firstOfKind), -1);

    for (int i = 0; i < kMaterialCount; ++i) {
        const MaterialRecord& record = library[i];
        if (record.kind == kUnusedKind)
            continue;
        if (record.kind < 0 || record.kind > kUnusedKind) {
            problems.push_back({LibraryRule::KindOutOfRange, i, -1, record.kind});
            continue;
        }
        if (record.diameters[0] == 0.0)
            problems.push_back({LibraryRule::NoDiametersButKind, i, -1, record.kind});
        checkTable(record, i, problems);

        const int kind = record.kind;
        if (++recordsOfKind[kind] == kMaxGradesPerKind + 1)
            problems.push_back({LibraryRule::TooManyOfKind, i, -1, kind});
        if (firstOfKind[kind] < 0) {
            firstOfKind[kind] = i;
        } else if (shortStringText(record.kindName) !=
                   shortStringText(library[firstOfKind[kind]].kindName)) {
            problems.push_back({LibraryRule::KindNameDiffers, i, -1, firstOfKind[kind], 0, 0,
                                shortStringText(record.kindName)});
        }
    }

    for (int kind = 1; kind < kKindCount; ++kind)
        if (recordsOfKind[kind] > 0 && recordsOfKind[kind - 1] == 0)
            problems.push_back({LibraryRule::KindGap, -1, -1, kind});
    return problems;
}

} // namespace hspring
