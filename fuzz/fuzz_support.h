// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: feeding bytes through the real file loaders, the rule that only
// the program's own Error may come out of a step, and the display preparation of a design slot.

#include "base/error.h"
#include "startup/program_state.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace hspring::fuzz {

// Stops the run with a message when a property of the program does not hold; libFuzzer keeps
// the input that did it.
void require(bool holds, const char* property);

// Runs a step that may fail only in the defined way: an hspring::Error with a message. Any other
// exception escapes and ends the run as a finding. Returns whether the step completed.
template <typename Step>
bool completesOrFailsWithError(Step&& step) {
    try {
        step();
        return true;
    } catch (const Error& error) {
        require(error.what()[0] != '\0', "an Error carries a message");
        return false;
    }
}

// Writes the input to a scratch file of this process and returns its path, so that the loaders
// read it exactly as they read a file the user chose.
const std::string& writeScratchFile(const std::uint8_t* data, std::size_t size);

// A design after "計算": its stored values, the initial-tension range, and the arithmetic fault's
// message when the calculation stopped at one (empty when it completed).
struct Calculation {
    SpringDesign design;
    InitialTensionRange range;
    std::string fault;
};

// Whether these record bytes are new in this run. A check that depends on a record's bytes alone
// need run once per distinct record: later inputs that carry the record again (descendants of
// the input that brought it) then cost only the records their mutation changed. An input that
// fails runs alone in a fresh process, where every record is new, so it fails again.
bool firstSighting(const void* record, std::size_t size);

// Mutates the input mostly one record of `recordSize` bytes at a time, in place, so that the
// records of a table file keep their places and the search spends its time on their fields; one
// mutation in eight gives the file a new length (a short file leaves the rest of the table as it
// was). For LLVMFuzzerCustomMutator.
std::size_t mutateRecordwise(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                             unsigned seed, std::size_t recordSize);

// Calculates the design both ways the engine can find its arithmetic faults (each step's results,
// or every operation) and requires the same outcome: the same stored values and range, or the
// same fault with the same values stored before it.
Calculation calculateBothWays(const SpringDesign& design, const MaterialLibrary& library,
                              const CoefficientSet& coefficients);

// "計算" on the design as it stands (both ways, see above), then what the window shows after it:
// the stress coefficients and life class, the check lines, the recommended values and the extra
// results with either hook type.
void calculateAndShow(const SpringDesign& design, const MaterialLibrary& library,
                      const CoefficientSet& coefficients);

// Everything the program prepares to show or write for a design slot, without a window: the
// history row's texts, the stress coefficients and life class of the diagram, the texts of the
// results display and of the spring data sheet, the outlines with both hook types for the
// slot's d, D and N (screen, file and loaded views) and the DXF text of one of them (the round
// hook for an even slot number, the U hook for an odd one), and the calculation with the slot's
// material. Each either works or fails with an Error.
void prepareSlotDisplay(const SpringDesign& design, int slot, const MaterialLibrary& library,
                        const KindIndex& index, const CoefficientSet& coefficients);

} // namespace hspring::fuzz
