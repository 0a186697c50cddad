// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the hostile-file tests ask of every step of the program: it completes, or it stops with
// the program's own Error and a message. Anything else (another exception) fails the test; a
// crash, a hang or a read out of bounds fails the run, which the sanitizer build turns into a
// report.

#include "base/error.h"
#include "calc/engine.h"
#include "cli/problem_text.h"
#include "hostile_files.h"
#include "startup/program_state.h"

#include <gtest/gtest.h>
#include <string>

namespace hspring::test {

// The message of the Error the step raised, or "" when it completed.
template <typename Step>
std::string errorOf(Step&& step) {
    try {
        step();
        return {};
    } catch (const Error& error) {
        const std::string message = cli::problemText(error);
        EXPECT_FALSE(message.empty()) << "an Error without a message";
        return message.empty() ? "(no message)" : message;
    }
}

// A field of a packed record as a value: the test macros take references, which must not bind to
// a field that may sit at an address its type may not have.
template <typename Field>
Field valueOf(Field field) {
    return field;
}

// The file of that name from tests/testdata/hostile/.
std::string hostilePath(const std::string& name);
const HostileFile& hostileFile(const std::string& name);

// The records as the program holds them after start-up with the built-in data, then `file` read
// over the slots, the library or the settings.
ProgramState stateWithCalculationFile(const std::string& name);
ProgramState stateWithMaterialLibrary(const std::string& name);
ProgramState stateWithSettings(const std::string& name);

// Everything the program derives from a slot to show, print, draw or write it, each step
// checked as above, and the texts that must never carry a non-finite number (the DXF file).
struct SlotOutcome {
    std::string calculation;      // the Error of "計算" on the slot, "" when it completed
    std::string roundHookDrawing; // the Error of the round-hook outline and its DXF text
    std::string uHookDrawing;     // the same for the U hook
    std::string loadedDrawing;    // the Error of the first loaded view that failed
};
SlotOutcome prepareSlot(const SpringDesign& design, const ProgramState& state);

} // namespace hspring::test
