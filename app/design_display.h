#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <optional>
#include <string>

namespace hspring {

// The coil diameter as the main window shows it: the caption left of the diameter field and the
// field's text, the stored diameter of the design's diameterKind in F15.
struct CoilDiameterDisplay {
    std::string caption; // "内径", "平均径" or "外径"
    std::string text;
};

// nullopt for a diameterKind other than 0, 1 and 2: the window then keeps caption and text.
std::optional<CoilDiameterDisplay> coilDiameterDisplay(const SpringDesign& design);

// The diameter-kind button: inner -> mean -> outer -> inner. Changes only diameterKind and
// returns what the window shows next; another kind value stays and gives nullopt.
std::optional<CoilDiameterDisplay> cycleDiameterKind(SpringDesign& design);

// The texts the results display writes into the input and result fields: turns in F15, the
// life text by lifeClass ("" outside 0..8), everything else in F4. A missing value (NaN, or an
// infinity from a damaged file) is kMissingValueText, which suits a result field; an input field
// given it could not be read again, so inputFieldText tells which values an input field takes.
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
DesignFieldTexts designFieldTexts(const SpringDesign& design);

// A design recalled from the history or a calculation file may name a material that the lists
// do not hold (an index outside 0..29, or a record the kind index left out). The window then
// shows no material and this note in the status list; nullopt when the material is listed.
std::optional<std::string> unlistedMaterialNote(const SpringDesign& design, const KindIndex& index);

} // namespace hspring
