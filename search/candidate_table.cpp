// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/candidate_table.h"

#include "base/number_format.h"
#include "calc/wording.h"
#include "data/short_string.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

constexpr double kSortsLast = std::numeric_limits<double>::infinity();

CandidateCell number(double value, int digits) {
    return {formatGeneral(value, digits), std::isnan(value) ? kSortsLast : value};
}

} // namespace

CandidateRow candidateRow(const SearchCandidate& candidate, const MaterialLibrary& library,
                          const Wording& words, UnitSystem units) {
    const SpringDesign& s = candidate.result.design;
    const ExtraResults& x = candidate.result.extras;
    const MaterialRecord* material = materialAt(library, s.materialIndex);
    const std::string materialName = material ? shortStringText(material->kindName) + " " +
                                                    shortStringText(material->gradeSymbol)
                                              : std::string(kMissingValueText);
    const std::optional<int> life = x.springLifeClass;
    return CandidateRow{{
        {std::to_string(candidate.rank), static_cast<double>(candidate.rank)},
        {materialName, static_cast<double>(s.materialIndex)},
        number(s.wireDiameter, 15),
        number(s.meanDiameter, 15),
        number(s.outerDiameter, 15),
        number(s.totalTurns, 15),
        number(s.freeLength, 4),
        number(shownValue(s.initialTension, units), 4),
        number(shownValue(s.load1, units), 4),
        number(shownValue(s.load2, units), 4),
        number(candidate.coilStressUse * 100, 4),
        number(candidate.hookStressUse * 100, 4),
        number(std::max(candidate.worstDeviation1, candidate.worstDeviation2) * 100, 4),
        {std::string(words.governingPart(candidate.nearestLimit)),
         static_cast<double>(candidate.nearestLimit)},
        {life ? std::string(words.lifeClass(*life)) : std::string(kMissingValueText),
         life ? static_cast<double>(*life) : kSortsLast},
        number(x.springMass, 4),
    }};
}

} // namespace hspring
