// SPDX-License-Identifier: GPL-3.0-or-later
// The side file of a calculation file (name.jis-sheet.json): the title block, the design basis and
// the round hook's radii, read as the window and the tool read it, written again and read back.

#include "data/settings.h"
#include "fuzz_support.h"
#include "printing/title_block.h"

#include <cmath>
#include <optional>

using namespace hspring;

namespace {

bool radiusOrNone(const std::optional<double>& radius) {
    return !radius || (*radius > 0 && std::isfinite(*radius));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TitleBlock block;
    if (!fuzz::completesOrFailsWithError([&] { block = titleBlockFromJson(text); }))
        return 0;
    fuzz::require(radiusOrNone(block.hookBendRadius) && radiusOrNone(block.hookLoopRadius),
                  "a radius read is a positive finite number or none");
    // Whatever basis name the file holds, the window takes JIS or the handbook from it.
    (void)designBasisFromName(block.designBasis).value_or(DesignBasis::Jis);
    // What the program writes reads back as the same block.
    TitleBlock again;
    fuzz::require(
        fuzz::completesOrFailsWithError([&] { again = titleBlockFromJson(titleBlockJson(block)); }),
        "a block written reads back");
    fuzz::require(again == block, "a block written reads back unchanged");
    return 0;
}
