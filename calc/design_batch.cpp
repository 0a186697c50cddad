#include "calc/design_batch.h"

#include "base/error.h"
#include "calc/design_json.h"
#include "calc/design_result.h"

#include <string>

namespace hspring {

namespace {

// The answer goes out in pieces of about this size, so a large batch needs no second copy.
constexpr std::size_t kPieceSize = 1 << 16;

} // namespace

int calculateDesignsJson(std::string_view input, const MaterialLibrary& library,
                         const CoefficientSet& coefficients, const TextSink& write) {
    DesignJsonReader designs(input, library);
    int failed = 0;
    std::string out;
    out.reserve(kPieceSize + 4096);
    if (designs.isArray())
        out += "[\n";
    bool first = true;
    DesignRequest request;
    while (designs.next(request)) {
        if (!first)
            out += ",\n";
        first = false;
        std::string& error = request.error;
        if (error.empty()) {
            try {
                appendDesignResultJson(
                    out, evaluateDesign(request.design, library, coefficients, request.hookType));
            } catch (const Error& fault) {
                error = fault.what();
            }
        }
        if (!error.empty()) {
            appendDesignErrorJson(out, error);
            ++failed;
        }
        if (out.size() >= kPieceSize) {
            write(out);
            out.clear();
        }
    }
    out += designs.isArray() ? "\n]\n" : "\n";
    write(out);
    return failed;
}

} // namespace hspring
