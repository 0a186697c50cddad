// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_batch.h"

#include "base/error.h"
#include "calc/design_json.h"
#include "calc/design_result.h"
#include "calc/parallel_runner.h"

#include <string>
#include <vector>

namespace hspring {

namespace {

// Designs are read, calculated and written in chunks of this many: large enough that handing a
// chunk to a thread costs nothing beside its work, small enough that a few chunks in flight per
// thread hold little memory (an answer is about 2 kB).
constexpr std::size_t kChunkDesigns = 256;
constexpr int kChunksPerThread = 4;

struct Chunk {
    std::vector<DesignRequest> requests;
    bool first = false; // holds the first design: no comma before it
    std::string out;
    int failed = 0;
};

// Calculates the chunk's designs and writes their answers into its text.
void answerChunk(Chunk& chunk, const MaterialLibrary& library, const CoefficientSet& coefficients,
                 const Wording& words, const DesignKeySelection* keys) {
    chunk.out.clear();
    chunk.failed = 0;
    bool first = chunk.first;
    for (DesignRequest& request : chunk.requests) {
        if (!first)
            chunk.out += ",\n";
        first = false;
        std::string& error = request.error;
        if (error.empty()) {
            try {
                appendDesignResultJson(chunk.out,
                                       evaluateDesign(request.design, library, coefficients,
                                                      request.hookType, request.toleranceGrade),
                                       words, std::nullopt, keys);
            } catch (const Error& fault) {
                error = fault.what();
            }
        }
        if (!error.empty()) {
            appendDesignErrorJson(chunk.out, error);
            ++chunk.failed;
        }
    }
}

} // namespace

int calculateDesignsJson(std::string_view input, const MaterialLibrary& library,
                         const CoefficientSet& coefficients, const Wording& words,
                         const TextSink& write, int threads, const DesignKeySelection* keys) {
    DesignJsonReader designs(input, library);
    const bool isArray = designs.isArray();
    write(isArray ? "[\n" : "");

    // Reading the JSON is serial and so is writing the answer; the calculations and the
    // formatting, nine tenths of the work, run on every core in between, and the answers come out
    // in input order.
    const int slots = kChunksPerThread * parallelThreadCount(threads);
    std::vector<Chunk> chunks(static_cast<std::size_t>(slots));
    bool firstChunk = true;
    int failed = 0;
    runOrderedPipeline(
        threads, slots,
        [&](int slot) {
            Chunk& chunk = chunks[static_cast<std::size_t>(slot)];
            chunk.requests.resize(kChunkDesigns);
            std::size_t count = 0;
            while (count < kChunkDesigns && designs.next(chunk.requests[count]))
                ++count;
            chunk.requests.resize(count);
            chunk.first = firstChunk;
            firstChunk = false;
            return count > 0;
        },
        [&](int slot) {
            answerChunk(chunks[static_cast<std::size_t>(slot)], library, coefficients, words, keys);
        },
        [&](int slot) {
            Chunk& chunk = chunks[static_cast<std::size_t>(slot)];
            write(chunk.out);
            failed += chunk.failed;
        });

    write(isArray ? "\n]\n" : "\n");
    return failed;
}

} // namespace hspring
