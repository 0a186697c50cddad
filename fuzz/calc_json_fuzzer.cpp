// SPDX-License-Identifier: GPL-3.0-or-later
// The calc command's input: designs as JSON, calculated and answered as JSON, and the single
// design the sheet command takes from the same kind of text.

#include "base/json_reader.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "calc/design_refusal.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "cli/problem_text.h"
#include "data/default_data.h"
#include "fuzz_support.h"
#include "wording/japanese.h"

#include <cmath>
#include <memory>
#include <string>

using namespace hspring;

namespace {

struct Program {
    MaterialLibrary library = builtInMaterialLibrary();
    CoefficientSet coefficients = builtInSettings().coefficients;
};

// The answer must be JSON itself: one value (an object, or an array of objects), then blanks.
int checkAnswerIsJson(const std::string& answer) {
    int values = 0;
    try {
        JsonReader reader(answer);
        if (reader.peek() == JsonReader::Kind::Array) {
            reader.enterArray();
            while (reader.nextElement()) {
                fuzz::require(reader.peek() == JsonReader::Kind::Object, "answers are objects");
                reader.skipValue();
                ++values;
            }
        } else {
            fuzz::require(reader.peek() == JsonReader::Kind::Object, "the answer is an object");
            reader.skipValue();
            values = 1;
        }
        reader.finish();
    } catch (const JsonSyntaxError&) {
        fuzz::require(false, "the calc command's answer is JSON");
    }
    return values;
}

// A design that is no spring is refused, named, before any result: the calculation throws the
// refusal the check finds. Every design calculated is a spring: its inputs and results pass the
// same checks, its hook can be drawn, no stored result is infinite and its rate is not 0.
void checkRefusal(const DesignRequest& request, const Program& program) {
    const std::optional<InputRefusal> refused = refusedInput(request.design, request.hookType);
    try {
        const DesignResult result =
            evaluateDesign(request.design, program.library, program.coefficients, request.hookType,
                           request.toleranceGrade);
        fuzz::require(!refused, "a refused design has no result");
        fuzz::require(!refusedInput(result.design, request.hookType),
                      "a calculated design's inputs are sound");
        fuzz::require(!refusedResults(result.design), "a calculated design's results fit");
        fuzz::require(!std::isinf(result.design.springRate) && result.design.springRate != 0,
                      "a calculated spring has a rate");
    } catch (const Error& error) {
        if (refused) {
            fuzz::require(error.kind() == Error::Kind::Refused &&
                              error.problem() == refused->problem &&
                              error.subject() == refused->field,
                          "the refusal names the problem and the field the check found");
        } else {
            fuzz::require(error.kind() == Error::Kind::Refused, "a sound input fails only refused");
            fuzz::require(error.problem() == Problem::ResultsOverflow,
                          "a sound input is refused only for results out of range");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto program = std::make_unique<Program>();
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    std::string answer;
    const int failed = calculateDesignsJson(input, program->library, program->coefficients,
                                            japaneseWording(), cli::EnglishProblems(),
                                            [&](std::string_view piece) { answer += piece; });
    const int answered = checkAnswerIsJson(answer);
    fuzz::require(failed >= 0 && failed <= answered, "failures are counted among the answers");

    fuzz::completesOrFailsWithError(
        [&] { calculatedDesignFromJson(input, program->library, program->coefficients); });

    for (const DesignRequest& request : readDesignsJson(input, program->library).designs)
        if (!request.error)
            checkRefusal(request, *program);
    return 0;
}
