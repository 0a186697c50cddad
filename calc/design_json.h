#pragma once

#include "base/json_reader.h"
#include "calc/design_result.h"
#include "calc/hook_type.h"
#include "calc/tolerances.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// One design read from JSON: the record, or why it could not be read.
struct DesignRequest {
    SpringDesign design{}; // meaningful when `error` is empty
    HookType hookType = HookType::Round;
    int toleranceGrade = kDefaultToleranceGrade; // the key toleranceGrade, 0..3
    std::string error;
};

// The designs of one JSON text, in input order.
struct DesignRequests {
    std::vector<DesignRequest> designs;
    bool wasArray = false; // the text was an array; the answer is one too
};

// Reads one JSON object, or an array of objects, whose keys are SpringDesign field names.
// Every design starts from the start values (resetDesignDefaults); the keys given replace them:
// - the coil diameter is read from the key diameterKind names (innerDiameter, meanDiameter or
//   outerDiameter) and the other two follow from it and the wire diameter;
// - totalTurns sets activeTurns as the input reading does;
// - wireDiameter, when absent, is the material's diameter at diameterIndex if that is given;
//   diameterIndex, when absent, is the first listed diameter not smaller than wireDiameter (the
//   one the window's wire-diameter list selects);
// - with autoInitialTension 0, initialTension plays the part of the initial-tension field;
// - hookType, not a record field, is "round" (the default) or "u".
// Unknown keys, a value of the wrong type (hookType: any other text), a duplicate key, an element
// that is not an object and an index outside the library fail that design alone. A syntax error
// fails the whole text: one failed design, wasArray false.
DesignRequests readDesignsJson(std::string_view text, const MaterialLibrary& library);

// Reads the designs of such a text one at a time, so that a large batch is never held whole.
class DesignJsonReader {
public:
    DesignJsonReader(std::string_view text, const MaterialLibrary& library);

    // Whether the text is an array, known before the first design is read.
    bool isArray() const { return isArray_; }
    // The next design; false at the end. A syntax error comes as a failed design, the last one.
    bool next(DesignRequest& request);

private:
    JsonReader reader_;
    const MaterialLibrary& library_;
    bool isArray_ = false;
    bool done_ = false;
    std::string syntaxError_; // from the first look at the text
    std::string key_;
};

// Appends the JSON object of a result: every SpringDesign field, initialTensionLow/High/Mid,
// upperStressCoefficient, lowerStressCoefficient, lifeClass, lifeText, checks (array of lines),
// recommendations (object of label texts), then hookType and the extra results (see
// kDesignJsonKeysHelp). Doubles read back to the same double; a missing value (NaN, infinity, a
// missing life class) is written as null. Read again, the object gives the same design. A search
// candidate's answer carries its `rank` as the first key.
void appendDesignResultJson(std::string& out, const DesignResult& result,
                            std::optional<int> rank = std::nullopt);

// Appends {"error": message}.
void appendDesignErrorJson(std::string& out, std::string_view message);

// What the keys of a design and of its answer mean, with their units: the help text of the calc
// command.
inline constexpr std::string_view kDesignJsonKeysHelp =
    R"(Input keys of a design (each may be left out; a missing key takes the start value):
  materialIndex        material record, 0..29
  diameterIndex        position in the material's wire-diameter list
                       (default: the first listed diameter not below wireDiameter)
  wireDiameter         d, mm (default: the listed diameter at diameterIndex when that is given)
  diameterKind         the coil diameter given: 0 innerDiameter, 1 meanDiameter, 2 outerDiameter
  innerDiameter        Di, mm   the one diameterKind names is read; the other two follow
  meanDiameter         D, mm    from it and d
  outerDiameter        Do, mm
  totalTurns           N, total number of turns (activeTurns follows: N, or 2.99 below 3)
  freeLength           L0, free length, mm
  lengthMode           1: length1 and length2 given, loads calculated; 0: load1 and load2 given
  length1, length2     L1, L2, working lengths, mm
  load1, load2         P1, P2, working loads, kgf
  autoInitialTension   1 or true: initial tension from the recommended range;
                       0 or false: initialTension as given
  initialTension       Pi, initial tension, kgf
  lowTempAnnealed      1 or true: low-temperature annealed after coiling
  hookType             "round" (default) or "u"
  hookAngle            round hook: hook angle, degrees
  hookLength           U hook: hook length, mm
  hookOpening          U hook: opening between the cut end and the coil, mm
  hookMinRadius        U hook: inner radius of the bend out of the coil, mm
  toleranceGrade       production tolerance grade of JIS B 2704-3 (cold-formed extension
                       springs): 1, 2 (default) or 3; 0: none
  The other record fields (inUse, activeTurns, hookedFreeLength, springIndex, wahlFactor,
  maxLength, maxLoad, springRate, stress1, stress2, allowableStress, lifeClass) are accepted and
  replaced by the calculation; every other output key below is accepted and ignored, so that an
  answer can be read again.

Output keys of each design, in this order (null: the value is missing). First the record
fields as read, with what the calculation fills in:
  inUse                1
  load1, load2 or length1, length2
                       the working loads, kgf, or lengths, mm, that lengthMode leaves open
  activeTurns          Na, active turns
  hookedFreeLength     free length implied by the turns and two round hooks, (N + 1)·d + 2·Di, mm
  springIndex          c = D/d
  wahlFactor           Wahl stress-correction factor
  springRate           spring rate, kgf/mm
  maxLength            recommended maximum length, mm
  maxLoad              recommended maximum load, kgf
  stress1, stress2     corrected torsional stress at working points 1 and 2, kgf/mm^2
  allowableStress      allowable torsional stress, kgf/mm^2
  lifeClass            expected-life class of the coil, 0 (longest) .. 8 (shortest)
Then the other results:
  initialTensionLow, initialTensionHigh, initialTensionMid
                       recommended initial-tension range and its middle, kgf
  upperStressCoefficient, lowerStressCoefficient
                       stress2 × 9.8 / σB and stress1 × 9.8 / σB, σB the wire's tensile
                       strength in N/mm^2
  lifeText             expected life of the coil in load cycles ("万" = 10,000)
  checks               the design-rule lines
  recommendations      the recommended-value labels
  hookType             the hook type the results below are for
  hookBendingFactor    K1, stress factor of the hook loop (curved beam)
  hookTorsionFactor    K2, stress factor of the bend out of the coil
  hookBendingStress1, hookBendingStress2
                       bending stress in the hook loop at P1 and P2, kgf/mm^2 (P1: the larger of
                       initialTension and load1)
  hookTorsionStress1, hookTorsionStress2
                       torsional stress in the hook's bend at P1 and P2, kgf/mm^2; judged
                       against allowableStress
  hookBendingAllowable allowable bending stress of the hook, kgf/mm^2
  hookUpperStressCoefficient, hookLowerStressCoefficient
                       hookTorsionStress2 × 9.8 / σB and hookTorsionStress1 × 9.8 / σB
  hookLifeClass, hookLifeText
                       expected life of the hook, class 0..8 and text
  springLifeClass, springLifeText
                       expected life of the spring: the shorter of coil and hook
  naturalFrequency     natural frequency, both ends fixed, Hz
  bodyMass             mass of the coil body of N turns, g
  wireLength           wire length along its centre line, coil body and both hooks, mm
  springMass           mass of the whole wire, g
  energy12             energy stored from working point 1 to 2, kgf·mm
  si                   the results in SI units: springRate (N/mm); initialTension, load1, load2,
                       maxLoad (N); stress1, stress2, allowableStress, hookBendingStress1,
                       hookBendingStress2, hookTorsionStress1, hookTorsionStress2,
                       hookBendingAllowable (N/mm^2); energy12 (N·mm)
  toleranceGrade       the tolerance grade the next two keys are for
  tolerances           what a maker may deliver at that grade, each ±: grade; load1, load2
                       (kgf, ±(Pi·α + (P − Pi)·β), from 3 active turns); springRate (kgf/mm);
                       freeLength (mm, a reference value once loads are given; D/d 3..22);
                       outerDiameter (mm, D/d 4..22); null where the grade gives none
  toleranceChecks      "警告:" lines for the conditions of specifying a load: its deflection
                       L − L0 between 20 % and 80 % of the deflection at maxLength, and at
                       least 4 mm
A design that cannot be read or calculated is answered with {"error": message} in its place.
)";

} // namespace hspring
