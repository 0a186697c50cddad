// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <functional>
#include <string>

namespace hspring {

// What the input controls of the main window hold, gathered before they are read: the positions
// of the three selection lists and the texts of the number fields.
struct DesignInputTexts {
    int kind = -1;             // kind number of the kind list's entry, -1 without a selection
    int grade = -1;            // position in the grade list
    int diameterPosition = -1; // position in the wire-diameter list
    std::string wireDiameter;  // the wire-diameter list's selected text
    std::string coilDiameter;  // the diameter field, holding the diameter of diameterKind
    std::string turns;
    std::string initialTension;
    std::string freeLength;
    std::string length1;
    std::string length2;
    std::string load1;
    std::string load2;
    bool lowTempAnnealed = false;
    bool autoInitialTension = false;
    std::string hookAngle;
    std::string hookLength;
    std::string hookOpening;
    std::string hookMinRadius;
};

// The number inputs in the order they are read, so that a window can point at the one whose text
// stopped the reading.
enum class DesignInput {
    WireDiameter, // the wire-diameter list's text; also the input missing without a material
    CoilDiameter,
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

// The conversion error of one input's text: the message is the plain conversion error's.
class DesignInputError : public Error {
public:
    DesignInputError(DesignInput input, const Error& conversion)
        : Error(conversion), input_(input) {}
    DesignInput input() const { return input_; }

private:
    DesignInput input_;
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
// A text that is not a number throws its conversion error, a DesignInputError naming the input,
// at its place in that order: the fields read before it keep their new values, the later ones
// their old values. Without a selected material there is nothing to read the wire diameter from,
// so the reading stops at once with the conversion error of the wire-diameter text (normally
// empty then). A wire diameter of 0 stops the spring index with the division-by-zero Error.
//
// Two kinds of field show what the calculation computes rather than what the user typed: the
// pair of working points the length mode leaves open (the loads when the lengths are given, the
// lengths when the loads are) and the initial tension while it is taken from the recommended
// range. The calculation overwrites them, so a text there that is no number (the missing-value
// mark of a result, or what was typed before the mode changed) cannot stop the reading: the
// design keeps its value for that field.
void readDesignInputs(SpringDesign& design, const MaterialLibrary& library, const KindIndex& index,
                      const DesignInputTexts& texts, const SpringIndexLabelSink& showSpringIndex);

} // namespace hspring
