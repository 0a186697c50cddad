// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/library_consistency.h"

#include "base/number_format.h"

#include <algorithm>
#include <cmath>

namespace hspring {

namespace {

bool isPositive(double value) {
    return std::isfinite(value) && value > 0;
}

std::string recordLabel(int index) {
    return "record " + std::to_string(index) + ": ";
}

void checkTable(const MaterialRecord& record, const std::string& label,
                std::vector<std::string>& problems) {
    if (record.diameterCount < 1 || record.diameterCount > kMaxDiameters) {
        problems.push_back(label + "diameter count " + std::to_string(record.diameterCount) +
                           " is not within 1..50");
        return;
    }
    if (!isPositive(record.shearModulus))
        problems.push_back(label + "shear modulus " + formatF15(record.shearModulus) +
                           " is not above 0");
    for (int j = 0; j < record.diameterCount; ++j) {
        const std::string entry = label + "entry " + std::to_string(j) + ": ";
        if (!isPositive(record.diameters[j]))
            problems.push_back(entry + "diameter " + formatF15(record.diameters[j]) +
                               " is not above 0");
        else if (j > 0 && !(record.diameters[j] > record.diameters[j - 1]))
            problems.push_back(entry + "diameter " + formatF15(record.diameters[j]) +
                               " does not follow " + formatF15(record.diameters[j - 1]));
        if (!isPositive(record.tensileStrength[j]))
            problems.push_back(entry + "tensile strength " + formatF15(record.tensileStrength[j]) +
                               " is not above 0");
    }
}

} // namespace

std::vector<std::string> findLibraryInconsistencies(const MaterialLibrary& library) {
    std::vector<std::string> problems;
    int recordsOfKind[kKindCount] = {};
    int firstOfKind[kKindCount];
    std::fill(std::begin(firstOfKind), std::end(firstOfKind), -1);

    for (int i = 0; i < kMaterialCount; ++i) {
        const MaterialRecord& record = library[i];
        const std::string label = recordLabel(i);
        if (record.kind == kUnusedKind)
            continue;
        if (record.kind < 0 || record.kind > kUnusedKind) {
            problems.push_back(label + "kind " + std::to_string(record.kind) +
                               " is not within 0..10");
            continue;
        }
        if (record.diameters[0] == 0.0)
            problems.push_back(label + "has no diameters but kind " + std::to_string(record.kind) +
                               " instead of 10");
        checkTable(record, label, problems);

        const int kind = record.kind;
        if (++recordsOfKind[kind] == kMaxGradesPerKind + 1)
            problems.push_back(label + "is a ninth record of kind " + std::to_string(kind));
        if (firstOfKind[kind] < 0) {
            firstOfKind[kind] = i;
        } else if (shortStringText(record.kindName) !=
                   shortStringText(library[firstOfKind[kind]].kindName)) {
            problems.push_back(label + "kind name \"" + shortStringText(record.kindName) +
                               "\" differs from record " + std::to_string(firstOfKind[kind]) +
                               " of the same kind");
        }
    }

    for (int kind = 1; kind < kKindCount; ++kind)
        if (recordsOfKind[kind] > 0 && recordsOfKind[kind - 1] == 0)
            problems.push_back("kind " + std::to_string(kind) + " is used but kind " +
                               std::to_string(kind - 1) + " is not");
    return problems;
}

} // namespace hspring
