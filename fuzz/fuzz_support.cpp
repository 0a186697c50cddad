// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include "app/design_display.h"
#include "app/history_rows.h"
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/engine_checking.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "drawing/dxf_file.h"
#include "drawing/shape_views.h"
#include "printing/data_sheet_text.h"
#include "wording/japanese.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>
#include <unistd.h>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace hspring::fuzz {

void require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: property broken: %s\n", property);
    std::abort();
}

namespace {

// One file per process in memory-backed storage, rewritten for every input and removed at exit.
struct ScratchFile {
    std::string path;

    ScratchFile() {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        path = (folder / "hspring-fuzz-XXXXXX").string();
        const int fd = ::mkstemp(path.data());
        require(fd >= 0, "a scratch file can be created");
        ::close(fd);
    }
    ~ScratchFile() { ::unlink(path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
};

} // namespace

const std::string& writeScratchFile(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    require(fd >= 0, "the scratch file opens");
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        require(n > 0, "the scratch file takes the input");
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return path;
}

bool firstSighting(const void* record, std::size_t size) {
    // The hashes of the records seen, in one table made once: a set that allocated a node per
    // record would make libFuzzer suspect a leak in every input that brings a new record and run
    // it again. Emptied when half full, so a long run keeps its speed; forgetting only costs time.
    constexpr std::size_t kPlaces = std::size_t{1} << 21;
    static std::array<std::size_t, kPlaces> seen{}; // 0 marks an empty place
    static std::size_t used = 0;
    if (used >= kPlaces / 2) {
        seen.fill(0);
        used = 0;
    }
    std::size_t hash =
        std::hash<std::string_view>{}(std::string_view(static_cast<const char*>(record), size));
    hash += hash == 0;
    for (std::size_t place = hash % kPlaces;; place = (place + 1) % kPlaces) {
        if (seen[place] == hash)
            return false;
        if (seen[place] == 0) {
            seen[place] = hash;
            ++used;
            return true;
        }
    }
}

std::size_t mutateRecordwise(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                             unsigned seed, std::size_t recordSize) {
    std::minstd_rand random(seed);
    if (size >= recordSize && random() % 8 != 0) {
        const std::size_t record = random() % (size / recordSize);
        // A mutation that shortens the record leaves its tail as it was: the record keeps its
        // size and the records after it their places.
        LLVMFuzzerMutate(data + record * recordSize, recordSize, recordSize);
        return size;
    }
    const std::size_t newSize = random() % (maxSize + 1);
    if (newSize > size) {
        // New bytes start as zero, then get a mutation of their own.
        std::memset(data + size, 0, newSize - size);
        LLVMFuzzerMutate(data + size, newSize - size, newSize - size);
    }
    return newSize;
}

namespace {

// Two doubles are the same result: the same bits, or both NaN (a NaN's sign and payload mean
// nothing to the program).
bool sameValue(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// The doubles of a record, by value (the record is packed).
std::array<double, 25> doublesOf(const SpringDesign& d) {
    return {
        d.wireDiameter,    d.innerDiameter,    d.meanDiameter, d.outerDiameter,  d.totalTurns,
        d.activeTurns,     d.hookedFreeLength, d.springIndex,  d.initialTension, d.wahlFactor,
        d.freeLength,      d.maxLength,        d.maxLoad,      d.load1,          d.load2,
        d.length1,         d.length2,          d.springRate,   d.stress1,        d.stress2,
        d.allowableStress, d.hookAngle,        d.hookLength,   d.hookOpening,    d.hookMinRadius};
}

bool sameDesign(const SpringDesign& a, const SpringDesign& b) {
    const auto* pa = reinterpret_cast<const unsigned char*>(&a);
    const auto* pb = reinterpret_cast<const unsigned char*>(&b);
    // Compare double by double where the record holds doubles; a byte mismatch elsewhere is real.
    const std::array<double, 25> fieldsA = doublesOf(a);
    const std::array<double, 25> fieldsB = doublesOf(b);
    for (std::size_t i = 0; i < fieldsA.size(); ++i)
        if (!sameValue(fieldsA[i], fieldsB[i]))
            return false;
    // The integers, the check-box bytes and the reserved bytes.
    return a.inUse == b.inUse && a.materialIndex == b.materialIndex &&
           a.diameterIndex == b.diameterIndex && a.diameterKind == b.diameterKind &&
           a.lengthMode == b.lengthMode && a.lifeClass == b.lifeClass &&
           std::memcmp(pa + 64, pb + 64, 4) == 0 && std::memcmp(pa + 92, pb + 92, 4) == 0 &&
           std::memcmp(pa + 200, pb + 200, 56) == 0 && std::memcmp(pa + 288, pb + 288, 48) == 0;
}

bool sameRange(const InitialTensionRange& a, const InitialTensionRange& b) {
    return sameValue(a.low, b.low) && sameValue(a.high, b.high) && sameValue(a.mid, b.mid);
}

Calculation calculate(const SpringDesign& design, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, EngineChecking checking) {
    Calculation outcome{design, {}, {}};
    try {
        calculateDesign(outcome.design, library, coefficients, outcome.range,
                        InitialTensionReader{}, checking);
    } catch (const Error& error) {
        outcome.fault = error.what();
        require(!outcome.fault.empty(), "an arithmetic fault carries its message");
    }
    return outcome;
}

void requireLifeClass(int lifeClass) {
    require(lifeClass >= 0 && lifeClass < kLifeClassCount, "the life class is 0..8");
    require(!lifeClassText(lifeClass).empty(), "every life class has its text");
}

// A longer outline only repeats the turns of a shorter one; writing and mapping every primitive
// of a spring of thousands of turns would spend the search on the same few lines of code.
constexpr std::size_t kPrimitivesWorthWriting = 1000;

// The file's text of an outline, as "dxf出力" writes it: whole, and with finite numbers only.
void writeDxf(const Outline& outline) {
    if (outline.size() > kPrimitivesWorthWriting)
        return;
    const std::string text = dxfFileBytes(outline);
    require(text.ends_with("EOF\r\n"), "the DXF text ends with EOF");
    for (const std::string_view notANumber :
         {kMissingValueText, std::string_view("NAN"), std::string_view("INF")})
        require(text.find(notANumber) == std::string::npos,
                "the DXF text holds finite numbers only");
}

// A number on show is digits or the missing-value mark, never the name of a NaN or an infinity.
void requireNoNonFiniteName(std::string_view text) {
    for (const std::string_view name : {"NAN", "INF", "nan", "inf"})
        require(text.find(name) == std::string_view::npos, "a shown number is never a name");
}

// The primitives as the screen maps them to pixels.
void mapToPixels(const ShapeDrawing& drawing) {
    if (drawing.outline.size() > kPrimitivesWorthWriting)
        return;
    for (const OutlinePrimitive& primitive : drawing.outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            toPixel(drawing.view, segment->first);
            toPixel(drawing.view, segment->second);
        } else {
            arcOnCanvas(drawing.view, std::get<DrawArc>(primitive));
        }
    }
}

void prepareDrawings(const SpringDesign& design, int slot) {
    const CoilShape coil = coilShapeOf(design);
    const UHookShape hook{design.hookLength, design.hookOpening, design.hookMinRadius};
    const double angle = design.hookAngle;
    const double frame = design.length2; // the shape view frames every view by L2
    // Both outlines are built for every slot; their text comes from the same writer, so each slot
    // writes one of them (the writer's cost would otherwise halve the search).
    const bool writeRound = slot % 2 == 0;
    completesOrFailsWithError([&] {
        const Outline outline = roundHookOutline(coil, angle);
        if (writeRound)
            writeDxf(outline);
    });
    completesOrFailsWithError([&] {
        const Outline outline = uHookOutline(coil, hook);
        if (!writeRound)
            writeDxf(outline);
    });
    completesOrFailsWithError([&] {
        mapToPixels(freeRoundHookDrawing(coil, angle, frame, kShapeViewWidth, kShapeViewHeight));
    });
    completesOrFailsWithError(
        [&] { mapToPixels(freeUHookDrawing(coil, hook, kShapeViewWidth, kShapeViewHeight)); });
    for (const double length : {design.length1, design.length2})
        completesOrFailsWithError([&] {
            mapToPixels(loadedRoundHookDrawing(coil, angle, length, frame, kShapeViewWidth,
                                               kShapeViewHeight));
        });
}

} // namespace

Calculation calculateBothWays(const SpringDesign& design, const MaterialLibrary& library,
                              const CoefficientSet& coefficients) {
    const Calculation fast = calculate(design, library, coefficients, EngineChecking::StepResults);
    const Calculation checked =
        calculate(design, library, coefficients, EngineChecking::EveryOperation);
    require(fast.fault == checked.fault, "both ways of checking find the same fault");
    require(sameDesign(fast.design, checked.design), "both ways of checking store the same values");
    require(sameRange(fast.range, checked.range),
            "both ways of checking give the same initial-tension range");
    return fast;
}

void calculateAndShow(const SpringDesign& design, const MaterialLibrary& library,
                      const CoefficientSet& coefficients) {
    const Calculation calculated = calculateBothWays(design, library, coefficients);
    if (!calculated.fault.empty())
        return;
    const StressCoefficients after = stressCoefficients(calculated.design, library);
    requireLifeClass(classifyLife(after.upper, after.lower));
    checkDesign(calculated.design);
    const Recommendations recommended = recommendationsFor(calculated.design, calculated.range);
    const RecommendationLabels labels = recommendationLabels(recommended);
    for (const std::string* text :
         {&labels.freeLength, &labels.maxLength, &labels.maxLoad, &labels.initialTension})
        requireNoNonFiniteName(*text);
    // The texts the window writes into the fields the recommendations fill.
    if (recommended.indexInRange)
        for (const std::optional<std::string>& text :
             {inputFieldText(recommendedFreeLength(calculated.design), 4),
              inputFieldText(calculated.range.mid, 4)})
            if (text)
                requireNoNonFiniteName(*text);

    // The extra results with either hook: they never fail, and a value is a number or missing.
    for (const HookType hookType : {HookType::Round, HookType::U}) {
        const ExtraResults x =
            calculateExtraResults(calculated.design, library, coefficients, hookType);
        for (const double value : {x.hookBendingFactor,
                                   x.hookBendingStress1,
                                   x.hookBendingStress2,
                                   x.hookTorsionFactor,
                                   x.hookTorsionStress1,
                                   x.hookTorsionStress2,
                                   x.hookBendingAllowable,
                                   x.naturalFrequency,
                                   x.bodyMass,
                                   x.hookWireLength,
                                   x.wireLength,
                                   x.springMass,
                                   x.energy12,
                                   x.si.springRate,
                                   x.si.stress2,
                                   x.si.energy12,
                                   x.hookTorsionLimitLoad,
                                   x.hookBendingLimitLoad,
                                   x.maxLoadWithHooks,
                                   x.maxLengthWithHooks,
                                   x.hookBendingCoefficients.upper})
            require(!std::isinf(value), "an extra result is a number or missing");
        for (const double limit : {x.hookTorsionFactor, x.hookTorsionLimitLoad,
                                   x.hookBendingLimitLoad, x.maxLoadWithHooks})
            require(!(limit <= 0), "a factor or a limit is positive or missing");
        if (x.hookLifeClass)
            requireLifeClass(*x.hookLifeClass);
        if (x.hookBendingLifeClass)
            requireLifeClass(*x.hookBendingLifeClass);
        if (x.springLifeClass)
            requireLifeClass(*x.springLifeClass);
    }
}

void prepareSlotDisplay(const SpringDesign& design, int slot, const MaterialLibrary& library,
                        const KindIndex& index, const CoefficientSet& coefficients) {
    // The history row and the results display.
    const auto row = historyRowTexts(design, library, japaneseWording());
    if (design.inUse != 1)
        for (const std::string& cell : row)
            require(cell.empty(), "a slot not in use has an empty history row");
    for (std::size_t column = 1; column < row.size(); ++column) // after the grade symbol
        requireNoNonFiniteName(row[column]);
    const DesignFieldTexts fields = designFieldTexts(design, japaneseWording());
    for (const std::string* text :
         {&fields.turns, &fields.initialTension, &fields.freeLength, &fields.length1,
          &fields.length2, &fields.load1, &fields.load2, &fields.springRate, &fields.stress2,
          &fields.allowableStress, &fields.hookAngle, &fields.hookLength, &fields.hookOpening,
          &fields.hookMinRadius})
        requireNoNonFiniteName(*text);
    if (const auto diameter = coilDiameterDisplay(design))
        requireNoNonFiniteName(diameter->text);
    unlistedMaterialNote(design, index);

    // The fatigue diagram's coefficients and the life class that the display stores.
    const StressCoefficients coefficientsOfSlot = stressCoefficients(design, library);
    requireLifeClass(classifyLife(coefficientsOfSlot.upper, coefficientsOfSlot.lower));

    // The spring data sheet, either coiling direction.
    for (const bool leftHanded : {false, true}) {
        const DataSheetTexts sheet = dataSheetTexts(design, library, leftHanded);
        for (const auto& cells : sheet.cells)
            for (const std::string& cell : cells)
                require(cell.size() < 4096, "a sheet cell holds a short text");
        for (int sheetRow = 2; sheetRow < kSheetRowCount; ++sheetRow) // after the grade symbol
            requireNoNonFiniteName(sheet.cells[sheetRow][3]);
        for (const std::string& label : sheet.labels)
            requireNoNonFiniteName(label);
    }

    prepareDrawings(design, slot);

    calculateAndShow(design, library, coefficients);
}

} // namespace hspring::fuzz
