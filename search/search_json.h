// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_batch.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "search/design_search.h"

#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// One requirement read from JSON, or why it could not be read.
struct RequirementRequest {
    DesignRequirement requirement; // meaningful when `error` is empty
    std::string error;
};

// The requirements of one JSON text, in input order.
struct RequirementRequests {
    std::vector<RequirementRequest> requirements;
    bool wasArray = false; // the text was an array; the answer is one too
};

// Reads one JSON object, or an array of objects, whose keys are those of kRequirementJsonKeysHelp.
// length1, load1, length2 and load2 must be given; every other key may be left out (a limit may
// also be null) and takes the default of DesignRequirement. An unknown key, a value of the wrong
// type, a duplicate key, an element that is not an object and a requirement checkRequirement
// rejects fail that requirement alone. A syntax error fails the whole text: one failed
// requirement, wasArray false.
RequirementRequests readRequirementsJson(std::string_view text, const MaterialLibrary& library);

// Searches every requirement of a JSON text and writes the answer: for each requirement the array
// of its candidates, best first, each the calc command's result object of the design with "rank"
// first (an empty array when none is feasible), or {"error": message} in its place. An array of
// requirements is answered with an array of such answers. The search uses up to `threads`
// threads (0: every core). Returns how many requirements failed.
int searchDesignsJson(std::string_view input, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, const TextSink& write, int threads = 0);

// What the keys of a requirement mean: the help text of the search command.
inline constexpr std::string_view kRequirementJsonKeysHelp =
    R"(Keys of a requirement (lengths in mm, loads in kgf):
  length1, load1       the first working point: length L1 and load P1 (required)
  length2, load2       the second working point: L2 > L1 and P2 > P1 > 0 (required)
  loadTolerance        how far each calculated load may lie from its target, per cent
                       (default 10; above 0 and below 100)
  maxOuterDiameter     largest outer coil diameter Do, mm (default: none; null: none)
  minInnerDiameter     smallest inner coil diameter Di, mm (default: none; null: none)
  maxFreeLength        largest free length L0, mm (default: none; null: none)
  requiredLifeClass    the coil's and the hook's expected-life class must be at most this:
                       0 "1000万" (the longest) .. 8 "1万以下" (default: none; null: none)
  materials            material record indices to try, an array (default: see kinds)
  kinds                material kinds to try when materials is not given, an array of 0..9
                       (default: every material of the material lists)
  lowTempAnnealed      true or 1: low-temperature annealed after coiling (default false)
  hookType             "round" (default) or "u"
  hookAngle            round hook: hook angle, degrees (default 80)
  hookLength           U hook: hook length, mm (default 10)
  hookOpening          U hook: opening between the cut end and the coil, mm (default 3)
  hookMinRadius        U hook: inner radius of the bend out of the coil, mm (default 3)
  diameterStep         the mean coil diameters tried are the whole multiples of this, mm
                       (default 0.1; 0.001 .. 100)
  objective            "mass" (default): the lightest spring first; "life": the longest
                       spring life first, then the lightest; "margin": the largest smallest
                       margin of stress2, hookTorsionStress2 and hookBendingStress2 to their
                       allowable stresses first
  count                how many candidates to return (default 20; 1 .. 1000)

The candidates: every material allowed, every wire diameter of its list, every mean coil
diameter D that is a whole multiple of diameterStep, every number of total turns N in quarter
turns from 3. Each is calculated as the main window calculates it: lengths given (L1, L2), the
recommended free length L0 = (N + 1)·d + 2·Di in four significant digits, and the initial
tension of four significant digits within the recommended range that brings both loads closest
to their targets (autoInitialTension 0). A candidate is feasible when both loads lie within the
tolerance, the checks give "Calculation Success!", hookTorsionStress2 <= allowableStress,
hookBendingStress2 <= hookBendingAllowable (unless the material gives no bending allowable), and
the limits and the life class given hold. Ties of the objective go by material index, wire
diameter, D and N.

Each candidate is the calc command's answer for its design with "rank" (1 for the best) first;
it reads back through calc as the same design.
)";

} // namespace hspring
