// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "base/json_reader.h"
#include "calc/design_result.h"
#include "calc/hook_type.h"
#include "calc/tolerances.h"
#include "data/design_record.h"
#include "data/material_library.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

class Wording;

// One design read from JSON: the record, or why it could not be read.
struct DesignRequest {
    SpringDesign design{}; // meaningful without an error
    HookType hookType = HookType::Round;
    int toleranceGrade = kDefaultToleranceGrade; // the key toleranceGrade, 0..3
    std::optional<DesignBasis> basis;            // the key designBasis; else the settings'
    ExtraInputs inputs;         // hookBendRadius, hookLoopRadius, operatingFrequency
    std::optional<Error> error; // why it could not be read
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
// - hookType, not a record field, is "round" (the default) or "u";
// - designBasis is "JIS" or "handbook" (without it, the settings' basis);
// - hookBendRadius, hookLoopRadius and operatingFrequency are positive numbers, or null for none.
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
    std::optional<Error> syntaxError_; // from the first look at the text
    std::string key_;
};

// A choice of a design answer's keys, for a reader that needs only a few.
class DesignKeySelection {
public:
    // The output keys named in a comma-separated list (they are written in the answer's own
    // order). Without a value when a name is not an output key; `unknown` then holds it.
    static std::optional<DesignKeySelection> fromList(std::string_view list, std::string& unknown);
    // Whether the key at this place of the answer's order is chosen.
    bool has(std::size_t key) const { return key < chosen_.size() && chosen_[key]; }

private:
    std::vector<bool> chosen_;
};

// Appends the JSON object of a result: every SpringDesign field, then the other results, in the
// order designKeys lists (only the keys `keys` chooses, when
// given). Doubles read back to the same double; a missing value (NaN, infinity, a missing life
// class) is written as null. Read again, the object gives the same design. A search candidate's
// answer carries its `rank` as the first key. The check lines, life texts and labels are in
// `words`.
void appendDesignResultJson(std::string& out, const DesignResult& result, const Wording& words,
                            std::optional<int> rank = std::nullopt,
                            const DesignKeySelection* keys = nullptr);

// Calculates a request as evaluateDesign does, on its own basis when it names one.
DesignResult evaluateRequest(const DesignRequest& request, const MaterialLibrary& library,
                             const CoefficientSet& coefficients);

// Appends {"error": message}, the problem in `words`.
void appendDesignErrorJson(std::string& out, const Error& problem, const ProblemWording& words);

// What a key holds: a field of the design record (read, and written as calculated), another input
// (read, and written with the results) or a result (written; accepted and ignored when read).
enum class DesignKeyKind { RecordField, Input, Result };

// A key of a design and of its answer: its name, what it holds and the unit of its value in kgf
// units ("mm", "kgf", "kgf/mm^2"; "" for none).
struct DesignKey {
    std::string_view name;
    DesignKeyKind kind;
    std::string_view unit;
};

// Every key, in the answer's order, from the one table the reader and the writer use; the layer
// that explains the keys words them.
std::span<const DesignKey> designKeys();

} // namespace hspring
