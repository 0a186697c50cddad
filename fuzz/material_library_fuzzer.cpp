// SPDX-License-Identifier: GPL-3.0-or-later
// The material data loader, then everything that reads a loaded library: the kind index and the
// kind, grade and diameter lists, the consistency report, the editor's texts of each record, the
// strength table and its interpolation, and the calculation, history row and sheet with each
// material.

#include "app/history_rows.h"
#include "app/material_selection.h"
#include "calc/engine.h"
#include "calc/spring_design.h"
#include "data/default_data.h"
#include "data/library_consistency.h"
#include "data/material_editing.h"
#include "fuzz_support.h"
#include "printing/data_sheet_text.h"
#include "tests/support/strength_table.h"
#include "wording/japanese.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string_view>

using namespace hspring;

namespace {

bool isUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80       ? 1
                                   : lead >> 5 == 6  ? 2
                                   : lead >> 4 == 14 ? 3
                                   : lead >> 3 == 30 ? 4
                                                     : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if (static_cast<unsigned char>(text[i + k]) >> 6 != 2)
                return false;
        i += length;
    }
    return true;
}

void checkKindIndex(const MaterialLibrary& library, const KindIndex& index) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        const int count = index.kindCount[kind];
        fuzz::require(count >= 0 && count <= kMaxGradesPerKind, "a kind holds 0..8 records");
        for (int grade = 0; grade < kMaxGradesPerKind; ++grade) {
            const int member = lookupMaterial(index, kind, grade);
            if (grade >= count) {
                fuzz::require(member == -1, "an empty place of the index holds -1");
                continue;
            }
            fuzz::require(member >= 0 && member < kMaterialCount, "a member is a record");
            fuzz::require(library[member].kind == kind, "a member carries its kind");
            fuzz::require(grade == 0 || lookupMaterial(index, kind, grade - 1) < member,
                          "members stand in record order");
            const auto place = findMaterialInIndex(index, member);
            fuzz::require(place && place->kind == kind && place->grade == grade,
                          "a member is found at its place");
        }
        fuzz::require(gradeList(library, index, kind).size() == static_cast<std::size_t>(count),
                      "the grade list has one entry per member");
    }
    fuzz::require(gradeList(library, index, -1).empty() && gradeList(library, index, 10).empty(),
                  "a kind outside 0..9 has no grades");
    int previousKind = -1;
    for (const KindListEntry& entry : kindList(library, index)) {
        fuzz::require(entry.kind > previousKind && index.kindCount[entry.kind] > 0,
                      "the kind list names each kind in use once, in order");
        fuzz::require(isUtf8(entry.name), "a kind name decodes to UTF-8");
        previousKind = entry.kind;
    }
}

// The program reads an allowable stress straight from the record; it must find what the table
// built from the record gives: on a row, inside a segment (row `pick` and the next), just outside
// both ends, and for no number at all. (Every row of every record would cost too much per run.)
void checkStrengthLookup(const MaterialRecord& record, AllowableStressKind kind, unsigned pick) {
    const test::StrengthTable table = test::buildStrengthTable(record, kind);
    const int rows = table.rowCount;
    fuzz::require(rows >= 0 && rows <= usedDiameterCount(record),
                  "the strength table has at most one row per diameter");
    std::vector<double> probes = {std::numeric_limits<double>::quiet_NaN(), 1.0};
    if (rows > 0) {
        const int row = static_cast<int>(pick % static_cast<unsigned>(rows));
        const double x = table.diameters[row];
        const double next = table.diameters[std::min(row + 1, rows - 1)];
        probes.push_back(x);
        probes.push_back(static_cast<double>((static_cast<long double>(x) + next) / 2));
        probes.push_back(std::nextafter(table.diameters[0], -INFINITY));
        probes.push_back(std::nextafter(table.diameters[rows - 1], INFINITY));
    }
    for (const double d : probes) {
        const std::optional<double> fromTable = test::interpolateTable(table, d);
        const double expected = fromTable && std::isfinite(*fromTable)
                                    ? *fromTable
                                    : std::numeric_limits<double>::quiet_NaN();
        const double program = materialAllowableStress(record, kind, d);
        fuzz::require(program == expected || (std::isnan(program) && std::isnan(expected)),
                      "the program's lookup equals interpolateTable on the built table");
    }
}

// The start design on record `materialIndex` at its middle listed diameter.
SpringDesign designOn(const MaterialRecord& record, int materialIndex) {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.materialIndex = materialIndex;
    design.diameterIndex = usedDiameterCount(record) / 2;
    design.wireDiameter = wireDiameterAt(record, design.diameterIndex).value_or(1.0);
    const std::optional<int> nearest = nearestDiameterPosition(record, design.wireDiameter);
    fuzz::require(!nearest || (*nearest >= 0 && *nearest < usedDiameterCount(record)),
                  "the nearest diameter is a listed one");
    fuzz::completesOrFailsWithError(
        [&] { setCoilDiameters(design, 10 * design.wireDiameter, design.wireDiameter); });
    return design;
}

// What every calculation reads of a record: the used diameters, the strength lookup, and the
// calculation with the material.
void checkRecordReads(const MaterialLibrary& library, const CoefficientSet& coefficients, int r,
                      unsigned pick) {
    const MaterialRecord& record = library[r];
    const int count = usedDiameterCount(record);
    fuzz::require(count >= 0 && count <= kMaxDiameters, "the used diameter count is 0..50");
    for (const int j : {-1, 0, count - 1, count, kMaxDiameters})
        fuzz::require(wireDiameterAt(record, j).has_value() == (j >= 0 && j < count) &&
                          tensileStrengthAt(record, j).has_value() == (j >= 0 && j < count),
                      "only used diameters are found");
    checkStrengthLookup(
        record, pick % 2 ? AllowableStressKind::Bending : AllowableStressKind::Torsion, pick / 2);
    fuzz::calculateAndShow(designOn(record, r), library, coefficients);
}

// The texts the program shows of a record: the diameter list, the history row and the sheet of
// a design on it, and the editor's fields, which it stores back when the user presses a button.
void checkRecordTexts(const MaterialLibrary& library, int r) {
    const MaterialRecord& record = library[r];
    fuzz::require(diameterList(record).size() ==
                      static_cast<std::size_t>(usedDiameterCount(record)),
                  "the diameter list has one entry per used diameter");
    const SpringDesign design = designOn(record, r);
    historyRowTexts(design, library, japaneseWording());
    dataSheetTexts(design, library, false);

    const MaterialRecordTexts texts = materialRecordTexts(record);
    fuzz::require(texts.kind >= kLowestKind && texts.kind <= kHighestKind,
                  "the spin field shows a kind within its range");
    fuzz::require(isUtf8(texts.kindName) && isUtf8(texts.gradeSymbol), "names decode to UTF-8");
    MaterialRecord stored = record;
    std::int32_t count = -1;
    if (fuzz::completesOrFailsWithError([&] { count = storeMaterialRecordTexts(texts, stored); }))
        fuzz::require(count >= 0 && count <= kMaxDiameters, "a stored record counts 0..50");
}

// Everything after a load: the index and lists of the whole library, the consistency report
// when asked, the reads of the records in `records` (`pick` chooses the probes and the record
// whose texts are checked), and the editor's marking of empty records with the index built
// after it.
void checkLoadedLibrary(const MaterialLibrary& library, const CoefficientSet& coefficients,
                        const std::vector<int>& records, unsigned pick, bool withReport) {
    checkKindIndex(library, buildKindIndex(library));
    if (withReport)
        findLibraryInconsistencies(library);
    for (const int r : records)
        checkRecordReads(library, coefficients, r, pick + static_cast<unsigned>(r));
    if (!records.empty())
        checkRecordTexts(library, records[pick % records.size()]);

    auto marked = std::make_unique<MaterialLibrary>(library);
    markEmptyRecords(*marked);
    checkKindIndex(*marked, buildKindIndex(*marked));
    for (std::int32_t kind = -1; kind <= kKindCount + 1; ++kind)
        kindOverLimit(kind, kindRegistrationCount(*marked, kind, 0));
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
    return fuzz::mutateRecordwise(data, size, maxSize, seed, sizeof(MaterialRecord));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MaterialLibrary before = builtInMaterialLibrary();
    static const CoefficientSet coefficients = builtInSettings().coefficients;
    auto library = std::make_unique<MaterialLibrary>(before);
    loadMaterialLibrary(fuzz::writeScratchFile(data, size), *library);

    const std::size_t copied = std::min(size, sizeof(MaterialLibrary));
    const auto* image = reinterpret_cast<const std::uint8_t*>(library.get());
    const auto* previous = reinterpret_cast<const std::uint8_t*>(&before);
    fuzz::require(std::memcmp(image, data, copied) == 0, "the file's bytes lie over the library");
    fuzz::require(
        std::memcmp(image + copied, previous + copied, sizeof(MaterialLibrary) - copied) == 0,
        "the library beyond a short file keeps its contents");

    // A record's reads depend on its bytes and its index alone, so each distinct record is
    // checked once. The input's last byte chooses where the lookup is probed and whose texts
    // are checked.
    const unsigned pick = size > 0 ? data[size - 1] : 0;
    std::vector<int> records;
    for (int r = 0; r < kMaterialCount; ++r) {
        std::uint8_t key[sizeof(MaterialRecord) + 2];
        std::memcpy(key, &(*library)[r], sizeof(MaterialRecord));
        key[sizeof(MaterialRecord)] = static_cast<std::uint8_t>(r);
        key[sizeof(MaterialRecord) + 1] = static_cast<std::uint8_t>(pick + r);
        if (fuzz::firstSighting(key, sizeof key))
            records.push_back(r);
    }
    // Only the default-data tool reads the consistency report, and it reads the whole library:
    // one input in eight is enough, chosen by the input's hash so that a finding repeats.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool withReport = std::hash<std::string_view>{}(input) % 8 == 0;
    checkLoadedLibrary(*library, coefficients, records, pick, withReport);
    return 0;
}
