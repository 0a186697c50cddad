// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <functional>
#include <optional>
#include <string>

namespace hspring {

// What the input controls of the main window hold apart from the number fields: the positions
// of the three selection lists and the two check boxes.
struct DesignInputChoices {
    int kind = -1;             // kind number of the kind list's entry, -1 without a selection
    int grade = -1;            // position in the grade list
    int diameterPosition = -1; // position in the wire-diameter list
    bool lowTempAnnealed = false;
    bool autoInitialTension = false;
};

// The number inputs in the order they are read.
enum class DesignInput {
    WireDiameter, // the wire-diameter list's text
    CoilDiameter, // the diameter field, holding the diameter of diameterKind
    Turns,
    InitialTension,
    FreeLength,
    Length1,
    Length2,
    Load1,
    Load2,
    HookAngle,
    HookLength,
    HookOpening,
    HookMinRadius,
};

// Where the numbers of the inputs are read from: the window's fields. A field that refuses its
// text has said so to the user (the focus on it) before its Error reaches the reading.
class DesignInputFields {
public:
    virtual ~DesignInputFields() = default;
    // The number the user gave in `input`'s control; a text that is no number throws its
    // conversion Error.
    virtual double number(DesignInput input) = 0;
    // The number a field the calculation fills holds now; nullopt for none (the missing-value
    // mark, or what was typed before the mode changed), which is no error.
    virtual std::optional<double> shownNumber(DesignInput input) = 0;
    // Without a material there is no wire diameter to read: throws the wire-diameter list's
    // conversion Error as for a text that is no number.
    [[noreturn]] virtual void refuseWireDiameter() = 0;
};

// Receives the spring-index label's new text ("バネ指数=" and D/d) while the inputs are read.
using SpringIndexLabelSink = std::function<void(const std::string&)>;

// The spring-index label's text, "バネ指数=" and D/d in F4. The quotient is only shown here, so it
// is formatted unrounded (d = 0.8, D = 9.3: "バネ指数=11.63"). A wire diameter of 0 throws the
// division-by-zero Error, a quotient beyond a double the overflow Error.
std::string springIndexLabel(double meanDiameter, double wireDiameter);

// Copies the inputs into the design in the fixed order: material, diameter position, wire
// diameter from the table, the three coil diameters by diameterKind, the wire diameter as shown,
// the spring-index label, turns, initial tension, free length, the two lengths, the two loads,
// the check boxes and the four hook fields. diameterKind and lengthMode are not inputs.
//
// A text that is no number throws its field's conversion error at its place in that order: the
// fields read before it keep their new values, the later ones their old values. Without a selected
// material there is nothing to read the wire diameter from, so the reading stops at once
// (refuseWireDiameter). A wire diameter of 0 stops the spring index with the division-by-zero
// Error.
//
// Two kinds of field show what the calculation computes rather than what the user typed: the
// pair of working points the length mode leaves open (the loads when the lengths are given, the
// lengths when the loads are) and the initial tension while it is taken from the recommended
// range. The calculation overwrites them, so a text there that is no number cannot stop the
// reading: the design keeps its value for that field.
void readDesignInputs(SpringDesign& design, const MaterialLibrary& library, const KindIndex& index,
                      const DesignInputChoices& choices, DesignInputFields& fields,
                      const SpringIndexLabelSink& showSpringIndex);

} // namespace hspring
