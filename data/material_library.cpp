#include "data/material_library.h"

#include "base/file_io.h"
#include "base/number_format.h"

#include <algorithm>

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

const MaterialRecord* materialAt(const MaterialLibrary& library, int materialIndex) {
    if (materialIndex < 0 || materialIndex >= kMaterialCount)
        return nullptr;
    return &library[materialIndex];
}

int usedDiameterCount(const MaterialRecord& record) {
    return std::clamp<std::int32_t>(record.diameterCount, 0, kMaxDiameters);
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

std::optional<double> tensileStrengthAt(const MaterialRecord& record, int diameterIndex) {
    if (diameterIndex < 0 || diameterIndex >= usedDiameterCount(record))
        return std::nullopt;
    return record.tensileStrength[diameterIndex];
}

StrengthTable buildStrengthTable(const MaterialRecord& record) {
    StrengthTable table{};
    const int count = usedDiameterCount(record);
    const bool explicitColumn = record.allowableTorsion[0] != 0;
    for (int j = 0; j < count; ++j) {
        double stress = 0;
        if (explicitColumn) {
            if (record.allowableTorsion[j] == 0)
                continue;
            stress = record.allowableTorsion[j];
        } else {
            stress = static_cast<double>(static_cast<long double>(record.torsionPercent) *
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
    // A one-row table (a material with one diameter) answers its own diameter.
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
            // Two equal diameters give no slope; the smaller stress is the safe reading.
            result = static_cast<double>(std::min(y0, y1));
            continue;
        }
        result = static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (d - x0));
    }
    return result;
}

} // namespace hspring
