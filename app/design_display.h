// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/hook_type.h"
#include "calc/units.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <optional>
#include <string>

namespace hspring {

class Wording;

// The coil diameter as the main window shows it: the caption left of the diameter field and the
// field's text, the stored diameter of the design's diameterKind in F15.
struct CoilDiameterDisplay {
    std::string caption; // "内径", "平均径" or "外径"
    std::string text;
};

// nullopt for a diameterKind other than 0, 1 and 2: the window then keeps caption and text. A
// diameter the field could not read back leaves the text empty.
std::optional<CoilDiameterDisplay> coilDiameterDisplay(const SpringDesign& design);

// The diameter-kind button: inner -> mean -> outer -> inner. Changes only diameterKind and
// returns what the window shows next; another kind value stays and gives nullopt.
std::optional<CoilDiameterDisplay> cycleDiameterKind(SpringDesign& design);

// The texts the results display writes into the input and result fields: turns in F15, the
// life text by lifeClass ("" outside 0..8), everything else in F4. A result field shows a missing
// value (NaN, or an infinity from a damaged file) as kMissingValueText. An input field is given
// only text it can read back (inputFieldText): where it has none, a field the calculation fills
// (the working points the length mode leaves open, the initial tension taken from the range)
// shows the mark, which the input reading passes over, and a field the user fills is left empty,
// so that the next reading asks for a number there instead of reading a made-up one.
struct DesignFieldTexts {
    std::string turns;
    std::string initialTension;
    std::string freeLength;
    std::string length1;
    std::string length2;
    std::string load1;
    std::string load2;
    std::string springRate;
    std::string stress2;
    std::string life;
    std::string allowableStress;
    std::string hookAngle;
    std::string hookLength;
    std::string hookOpening;
    std::string hookMinRadius;
};
// The life is in `words`; the loads, the initial tension, the rate and the stresses in `units`.
DesignFieldTexts designFieldTexts(const SpringDesign& design, const Wording& words,
                                  UnitSystem units = UnitSystem::Gravitational);

// A design recalled from the history or a calculation file may name a material that the lists
// do not hold (an index outside 0..29, or a record the kind index left out). The window then
// shows no material and this note in the status list; nullopt when the material is listed.
std::optional<std::string> unlistedMaterialNote(const SpringDesign& design, const KindIndex& index);

// A hook the spring view cannot draw: a round hook whose angle lies outside 0..180° (beyond it
// the loop no longer closes back towards the coil; a non-number included), or a U hook whose
// parts do not fit together. The status line that says why the view stays empty; nullopt when
// the hook can be drawn.
std::optional<std::string> undrawableHookNote(const SpringDesign& design, HookType hookType);

} // namespace hspring
