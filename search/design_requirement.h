// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_basis.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/life.h"
#include "calc/tolerances.h"
#include "data/material_library.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace hspring {

// What the candidates are ranked by.
enum class SearchObjective {
    Mass,     // lightest spring (springMass) first
    Life,     // longest spring life (springLifeClass) first, then the lightest
    Margin,   // largest smallest margin of the coil, hook-torsion and hook-bending stresses to
              // their allowables, at the top of P2's tolerance band, first
    Accuracy, // smallest worst-case relative deviation of the loads from their targets first
};

// The objective named "mass", "life", "margin" or "accuracy", as the JSON key gives it, and back.
std::optional<SearchObjective> searchObjectiveFromName(std::string_view name);
std::string_view searchObjectiveName(SearchObjective objective);

// The limits of a requirement's values.
inline constexpr double kMinDiameterStep = 0.001; // mm
inline constexpr double kMaxDiameterStep = 100;   // mm
inline constexpr int kMaxCandidateCount = 1000;
// Any life class may be asked for, the shortest too (which every design reaches).
inline constexpr int kMaxRequiredLifeClass = kShortestLifeClass;

// The keys of a requirement, in the order its help lists them. Each key's name, written once in
// kRequirementKeyNames, is what the JSON reader reads, what a problem names its field by and what
// the search window finds its label by.
enum class RequirementKey {
    Length1,
    Load1,
    Length2,
    Load2,
    LoadTolerance,
    ToleranceGrade,
    MaxOuterDiameter,
    MinInnerDiameter,
    MaxFreeLength,
    RequiredLifeClass,
    Materials,
    Kinds,
    LowTempAnnealed,
    HookType,
    HookAngle,
    HookLength,
    HookOpening,
    HookMinRadius,
    HookBendRadius,
    HookLoopRadius,
    OperatingFrequency,
    DesignBasis,
    DiameterStep,
    Objective,
    Count,
};
inline constexpr std::size_t kRequirementKeyCount = 25;
inline constexpr std::array<std::string_view, kRequirementKeyCount> kRequirementKeyNames = {
    "length1",
    "load1",
    "length2",
    "load2",
    "loadTolerance",
    "toleranceGrade",
    "maxOuterDiameter",
    "minInnerDiameter",
    "maxFreeLength",
    "requiredLifeClass",
    "materials",
    "kinds",
    "lowTempAnnealed",
    "hookType",
    "hookAngle",
    "hookLength",
    "hookOpening",
    "hookMinRadius",
    "hookBendRadius",
    "hookLoopRadius",
    "operatingFrequency",
    "designBasis",
    "diameterStep",
    "objective",
    "count",
};
static_assert(static_cast<std::size_t>(RequirementKey::Count) + 1 == kRequirementKeyCount);

constexpr std::string_view requirementKeyName(RequirementKey key) {
    return kRequirementKeyNames[static_cast<std::size_t>(key)];
}

// The key of a name; nullopt for any other text.
std::optional<RequirementKey> requirementKeyFromName(std::string_view name);

// What a designer asks of a spring: two working points, a space, a life. Lengths in mm, loads in
// kgf.
struct DesignRequirement {
    // The working points: L1 < L2, 0 < P1 < P2.
    double length1 = 0;
    double load1 = 0;
    double length2 = 0;
    double load2 = 0;
    // How far each load may lie from its target, per cent of the target.
    double loadTolerance = 10;
    // The production tolerance grade the loads must stay within the tolerance under (0: the
    // nominal loads alone).
    int toleranceGrade = kDefaultToleranceGrade;
    // Limits of the space, when given.
    std::optional<double> maxOuterDiameter;
    std::optional<double> minInnerDiameter;
    std::optional<double> maxFreeLength;
    // The coil's and the hook's life classes must be at most this (0 = the longest life).
    std::optional<int> requiredLifeClass;
    // The materials tried: these record indices when given, else the records of these kinds when
    // given, else every record the material lists offer (those of the kind index).
    std::vector<int> materials;
    std::vector<int> kinds;
    bool lowTempAnnealed = false;
    HookType hookType = HookType::Round;
    double hookAngle = 80;    // round hook, degrees
    double hookLength = 10;   // U hook, mm
    double hookOpening = 3;   // U hook, mm
    double hookMinRadius = 3; // U hook, mm
    // Round hook: the centre-line radii of the bend out of the coil (r2) and of the loop (r1),
    // mm, when given (see ExtraInputs).
    std::optional<double> hookBendRadius;
    std::optional<double> hookLoopRadius;
    // The frequency the spring is worked at, Hz, when given: the natural frequency must be at
    // least kSurgeFrequencyRatio times it.
    std::optional<double> operatingFrequency;
    // The basis the allowables are taken from; without it, the coefficient set's.
    std::optional<DesignBasis> designBasis;
    // The mean coil diameters tried are the whole multiples of this step, mm.
    double diameterStep = 0.1;
    SearchObjective objective = SearchObjective::Mass;
    int count = 20; // how many candidates to return

    bool operator==(const DesignRequirement&) const = default;
};

// What is wrong with a requirement. The window and the tool word it each in its own language.
enum class RequirementProblemCode {
    NotANumber,             // `field` is not a finite number
    NotAboveZero,           // `field` must be above 0
    Length1NotBelowLength2, // length1 must be below length2
    Load1NotBelowLoad2,     // load1 must be below load2
    ToleranceOutOfRange,    // loadTolerance must lie above 0 and below 100
    GradeOutOfRange,        // toleranceGrade must be 0..3
    LifeClassOutOfRange,    // requiredLifeClass must lie within 0..kMaxRequiredLifeClass
    StepOutOfRange,         // diameterStep must lie within kMinDiameterStep..kMaxDiameterStep
    CountOutOfRange,        // count must lie within 1..kMaxCandidateCount
    MaterialNotListed,      // `value` of materials is not a material of the lists
    KindOutOfRange,         // `value` of kinds is outside 0..9
    NoMaterial,             // no material of the library is left to search
    HookAngleNotDrawable,   // a round hook's hookAngle outside 0..180 degrees
};
struct RequirementProblem {
    RequirementProblemCode code;
    std::string_view field; // the requirement's JSON key it concerns
    int value = 0;          // the material index or kind, where the code names one
};

// Checks the requirement against the rules above and the library: every value finite, the
// tolerance within (0, 100), limits positive, the hook of hookType one that can be drawn (a round
// hook's angle within 0..180°, a U hook's three dimensions above 0), a tolerance grade, a life
// class within 0..kMaxRequiredLifeClass, materials listed in the kind index, kinds below
// kKindCount and at least one material left, a diameter step within [kMinDiameterStep,
// kMaxDiameterStep], a count within 1..kMaxCandidateCount. The first problem found.
std::optional<RequirementProblem> checkRequirement(const DesignRequirement& requirement,
                                                   const MaterialLibrary& library);

// The material records a checked requirement allows, in index order.
std::vector<int> allowedMaterials(const DesignRequirement& requirement,
                                  const MaterialLibrary& library);

} // namespace hspring
