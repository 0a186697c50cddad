// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "calc/engine.h"
#include "calc/hook_type.h"
#include "data/design_record.h"

#include <optional>
#include <string_view>

namespace hspring {

// A design that is no spring at all is refused before it reaches a result, a document or a
// search answer: a count or a dimension that is not a positive finite number, a value so large
// (or small) that the results overflow, a hook that cannot be drawn, a hand-entered initial tension
// below 0. The refusal names the problem and the field (the design's JSON key) it concerns; the
// window puts the focus on that field and words it in Japanese, the tool in English. Design-rule
// failures are not refusals: they stay results the checks report.
struct InputRefusal {
    Problem problem; // NotPositiveFinite, NoInnerDiameter, ResultsOverflow,
                     // HookAngleNotDrawable, UHookNotDrawable or NegativeInitialTension
    std::string_view field;
};

// The hook angles a round hook can be drawn with, degrees: the loop opens from flat to fully
// back along the coil.
inline constexpr double kLowestDrawnHookAngle = 0;
inline constexpr double kHighestDrawnHookAngle = 180;

// The JSON key of the coil diameter the design's diameterKind says was given.
std::string_view givenDiameterField(const SpringDesign& design);

// What the drawing needs: the wire diameter, the coil diameter given and the mean one, an inner
// diameter above 0 (a wire that does not cross the coil's axis), the number of turns, and the hook
// of `hookType` (a round hook's angle within 0..180°, a U hook's three dimensions positive and
// fitting together with the coil). The first problem found.
std::optional<InputRefusal> refusedShape(const SpringDesign& design, HookType hookType);

// Everything a calculation reads from the user, in the order the window reads it: the shape, the
// hand-entered initial tension (autoInitialTension 0) finite and not below 0, the free length and
// the two lengths (when the lengths are given) positive and finite, the two loads (when the loads
// are given) finite, and none of them so large that one unit more is lost in a double (beyond
// 2^53), where the results no longer tell one turn or one millimetre from the next.
std::optional<InputRefusal> refusedInput(const SpringDesign& design, HookType hookType);

// A calculated design whose inputs passed refusedInput but whose results left a double's range:
// a result the record stores that is infinite, or a spring rate that came out 0. Named by the
// input furthest from 1 in magnitude, the one that drove the results out of range. Missing (NaN)
// results are no refusal: a material without a value leaves them missing on purpose.
std::optional<InputRefusal> refusedResults(const SpringDesign& calculated);

// The Error of a refusal: its problem with the field as the subject.
Error refusalError(const InputRefusal& refusal);

// Throws the refusal's Error of a design as it stands, without calculating it (a slot of a
// calculation file): refusedInput, then refusedResults on the results it holds.
void refuseStoredDesign(const SpringDesign& design, HookType hookType);

// calculateDesign for a design the user gave: refusedInput first, then the calculation, whose
// arithmetic faults (an input so large or small that an intermediate overflows) and refusedResults
// become the refusal of the input furthest from 1. Throws the refusal's Error; on a refusal after
// the calculation started, the design holds what the engine left.
void calculateGivenDesign(SpringDesign& design, const MaterialLibrary& library,
                          const CoefficientSet& coefficients, InitialTensionRange& range,
                          const InitialTensionReader& readInitialTension, HookType hookType);

} // namespace hspring
