// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/material_library.h"

#include "base/file_io.h"
#include "base/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

void loadMaterialLibrary(const std::string& path, MaterialLibrary& library) {
    readTableImage(path, library);
}

void saveMaterialLibrary(const std::string& path, const MaterialLibrary& library) {
    writeTableImage(path, library);
}

void markEmptyRecords(MaterialLibrary& library) {
    for (MaterialRecord& record : library)
        if (record.diameters[0] == 0.0)
            record.kind = kUnusedKind;
}

KindIndex buildKindIndex(const MaterialLibrary& library) {
    KindIndex index{};
    for (auto& members : index.kindMembers)
        std::fill(std::begin(members), std::end(members), -1);
    for (int i = 0; i < kMaterialCount; ++i) {
        const std::int32_t kind = library[i].kind;
        if (kind < 0 || kind >= kKindCount)
            continue;
        std::int32_t& count = index.kindCount[kind];
        if (count == kMaxGradesPerKind)
            continue;
        index.kindMembers[kind][count++] = i;
    }
    return index;
}

std::vector<KindListEntry> kindList(const MaterialLibrary& library, const KindIndex& index) {
    std::vector<KindListEntry> kinds;
    for (int kind = 0; kind < kKindCount; ++kind)
        if (index.kindCount[kind] > 0)
            kinds.push_back({kind, shortStringText(library[index.kindMembers[kind][0]].kindName)});
    return kinds;
}

std::vector<std::string> gradeList(const MaterialLibrary& library, const KindIndex& index,
                                   int kind) {
    std::vector<std::string> grades;
    if (kind < 0 || kind >= kKindCount)
        return grades;
    for (int j = 0; j < index.kindCount[kind]; ++j)
        grades.push_back(shortStringText(library[index.kindMembers[kind][j]].gradeSymbol));
    return grades;
}

int lookupMaterial(const KindIndex& index, int kind, int grade) {
    if (kind < 0 || kind >= kKindCount || grade < 0 || grade >= kMaxGradesPerKind)
        return -1;
    return index.kindMembers[kind][grade];
}

std::optional<KindPlace> findMaterialInIndex(const KindIndex& index, int materialIndex) {
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int grade = 0; grade < kMaxGradesPerKind; ++grade)
            if (materialIndex >= 0 && index.kindMembers[kind][grade] == materialIndex)
                return KindPlace{kind, grade};
    return std::nullopt;
}

std::vector<std::string> diameterList(const MaterialRecord& record) {
    std::vector<std::string> texts;
    for (int j = 0; j < usedDiameterCount(record); ++j)
        texts.push_back(formatF15(record.diameters[j]));
    return texts;
}

std::optional<double> wireDiameterAt(const MaterialRecord& record, int diameterIndex) {
    if (diameterIndex < 0 || diameterIndex >= usedDiameterCount(record))
        return std::nullopt;
    return record.diameters[diameterIndex];
}

double materialAllowableStress(const MaterialRecord& m, AllowableStressKind kind, double d) {
    const bool torsion = kind == AllowableStressKind::Torsion;
    const double* column = torsion ? m.allowableTorsion : m.allowableBending;
    const long double percent = torsion ? m.torsionPercent : m.bendingPercent;
    const bool explicitColumn = column[0] != 0;
    const auto rowStress = [&](int j) {
        return explicitColumn ? column[j]
                              : static_cast<double>(percent * m.tensileStrength[j] / 100);
    };
    // The rows are the entries in use (explicit column: those with a value). The last segment of
    // consecutive rows that holds d wins, so the search runs backwards and stops at the first.
    // Nothing is built: the lookup runs at every calculation, twice with the hook's.
    const int count = usedDiameterCount(m);
    int rows = 0;
    int later = -1; // the row after j
    int segmentStart = -1;
    int segmentEnd = -1;
    if (!explicitColumn) {
        // Every entry is a row.
        rows = count;
        later = 0;
        for (int j = count - 2; j >= 0; --j) {
            if (m.diameters[j] <= d && d <= m.diameters[j + 1]) {
                segmentStart = j;
                segmentEnd = j + 1;
                break;
            }
        }
    } else {
        for (int j = count - 1; j >= 0; --j) {
            if (column[j] == 0)
                continue;
            if (later >= 0 && m.diameters[j] <= d && d <= m.diameters[later]) {
                segmentStart = j;
                segmentEnd = later;
                break;
            }
            later = j;
            ++rows;
        }
    }
    double stress = std::numeric_limits<double>::quiet_NaN();
    if (segmentStart >= 0) {
        const long double x0 = m.diameters[segmentStart];
        const long double x1 = m.diameters[segmentEnd];
        const long double y0 = rowStress(segmentStart);
        const long double y1 = rowStress(segmentEnd);
        stress = x0 == x1 ? static_cast<double>(std::min(y0, y1))
                          : static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (d - x0));
    } else if (rows == 1 && m.diameters[later] == d) {
        stress = rowStress(later);
    }
    return std::isfinite(stress) ? stress : std::numeric_limits<double>::quiet_NaN();
}

} // namespace hspring
