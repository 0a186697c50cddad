// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_refusal.h"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace hspring {

namespace {

// 2^53: from here on a double loses a whole unit, so (N + 1)·d is N·d and a length one
// millimetre longer is the same length.
constexpr double kLargestExactValue = 9007199254740992.0;

bool positiveFinite(double value) {
    return value > 0 && std::isfinite(value);
}

std::optional<InputRefusal> refusal(Problem problem, std::string_view field) {
    return InputRefusal{problem, field};
}

// The numbers the user gave, by field, in reading order: what a refusal after the calculation
// chooses from.
double givenDiameter(const SpringDesign& design) {
    if (design.diameterKind == kInnerDiameter)
        return design.innerDiameter;
    if (design.diameterKind == kOuterDiameter)
        return design.outerDiameter;
    return design.meanDiameter;
}

std::vector<std::pair<std::string_view, double>> givenNumbers(const SpringDesign& design) {
    // The record is packed: its members are copied out, never bound to a reference.
    using Given = std::pair<std::string_view, double>;
    std::vector<Given> numbers{Given("wireDiameter", double{design.wireDiameter}),
                               Given(givenDiameterField(design), givenDiameter(design)),
                               Given("totalTurns", double{design.totalTurns})};
    const auto add = [&numbers](std::string_view key, double value) {
        numbers.emplace_back(key, value);
    };
    if (design.autoInitialTension == 0)
        add("initialTension", design.initialTension);
    add("freeLength", design.freeLength);
    if (design.lengthMode == kLoadsGiven) {
        add("load1", design.load1);
        add("load2", design.load2);
    } else {
        add("length1", design.length1);
        add("length2", design.length2);
    }
    return numbers;
}

// The given number furthest from 1 in magnitude (0 counts as nearest).
std::string_view mostExtremeField(const SpringDesign& design) {
    std::string_view field = "totalTurns";
    double furthest = -1;
    for (const auto& [key, value] : givenNumbers(design)) {
        if (value == 0 || !std::isfinite(value))
            continue;
        const double distance = std::abs(std::log10(std::abs(value)));
        if (distance > furthest) {
            furthest = distance;
            field = key;
        }
    }
    return field;
}

} // namespace

std::string_view givenDiameterField(const SpringDesign& design) {
    switch (design.diameterKind) {
    case kInnerDiameter:
        return "innerDiameter";
    case kOuterDiameter:
        return "outerDiameter";
    default:
        return "meanDiameter";
    }
}

std::optional<InputRefusal> refusedShape(const SpringDesign& design, HookType hookType) {
    if (!positiveFinite(design.wireDiameter))
        return refusal(Problem::NotPositiveFinite, "wireDiameter");
    const std::string_view diameter = givenDiameterField(design);
    if (!positiveFinite(givenDiameter(design)))
        return refusal(Problem::NotPositiveFinite, diameter);
    // An inner diameter of 0 or below is a wire crossing the coil's axis.
    for (const double value : {design.innerDiameter, design.meanDiameter, design.outerDiameter})
        if (!positiveFinite(value))
            return refusal(Problem::NoInnerDiameter, diameter);
    if (!positiveFinite(design.totalTurns))
        return refusal(Problem::NotPositiveFinite, "totalTurns");
    if (hookType == HookType::Round) {
        if (!(design.hookAngle >= kLowestDrawnHookAngle &&
              design.hookAngle <= kHighestDrawnHookAngle))
            return refusal(Problem::HookAngleNotDrawable, "hookAngle");
        return std::nullopt;
    }
    const std::pair<std::string_view, double> hook[] = {
        {"hookLength", double{design.hookLength}},
        {"hookOpening", double{design.hookOpening}},
        {"hookMinRadius", double{design.hookMinRadius}}};
    for (const auto& [key, value] : hook)
        if (!positiveFinite(value))
            return refusal(Problem::NotPositiveFinite, key);
    return std::nullopt;
}

std::optional<InputRefusal> refusedInput(const SpringDesign& design, HookType hookType) {
    if (auto shape = refusedShape(design, hookType))
        return shape;
    if (design.autoInitialTension == 0) {
        if (!std::isfinite(design.initialTension))
            return refusal(Problem::NotPositiveFinite, "initialTension");
        if (design.initialTension < 0)
            return refusal(Problem::NegativeInitialTension, "initialTension");
    }
    for (const auto& [key, value] : givenNumbers(design)) {
        const bool load = key == "load1" || key == "load2";
        const bool checkedAbove = key == "wireDiameter" || key == "totalTurns" ||
                                  key == "initialTension" || key == givenDiameterField(design);
        if (!checkedAbove && !(load ? std::isfinite(value) : positiveFinite(value)))
            return refusal(Problem::NotPositiveFinite, key);
        if (std::abs(value) >= kLargestExactValue)
            return refusal(Problem::ResultsOverflow, key);
    }
    return std::nullopt;
}

std::optional<InputRefusal> refusedResults(const SpringDesign& calculated) {
    const std::array results{calculated.innerDiameter,  calculated.meanDiameter,
                             calculated.outerDiameter,  calculated.hookedFreeLength,
                             calculated.springIndex,    calculated.initialTension,
                             calculated.wahlFactor,     calculated.maxLength,
                             calculated.maxLoad,        calculated.load1,
                             calculated.load2,          calculated.length1,
                             calculated.length2,        calculated.springRate,
                             calculated.stress1,        calculated.stress2,
                             calculated.allowableStress};
    bool overflowed = calculated.springRate == 0;
    for (const double value : results)
        overflowed = overflowed || std::isinf(value);
    if (!overflowed)
        return std::nullopt;
    return refusal(Problem::ResultsOverflow, mostExtremeField(calculated));
}

Error refusalError(const InputRefusal& refusal) {
    return Error(refusal.problem, std::string(refusal.field));
}

void refuseStoredDesign(const SpringDesign& design, HookType hookType) {
    if (const auto refused = refusedInput(design, hookType))
        throw refusalError(*refused);
    if (const auto refused = refusedResults(design))
        throw refusalError(*refused);
}

void calculateGivenDesign(SpringDesign& design, const MaterialLibrary& library,
                          const CoefficientSet& coefficients, InitialTensionRange& range,
                          const InitialTensionReader& readInitialTension, HookType hookType) {
    if (const auto refused = refusedInput(design, hookType))
        throw refusalError(*refused);
    try {
        calculateDesign(design, library, coefficients, range, readInitialTension);
    } catch (const Error& fault) {
        if (fault.kind() != Error::Kind::Arithmetic)
            throw;
        throw refusalError({Problem::ResultsOverflow, mostExtremeField(design)});
    }
    if (const auto refused = refusedResults(design))
        throw refusalError(*refused);
}

} // namespace hspring
