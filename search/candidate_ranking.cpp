// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/candidate_ranking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

bool ranksBefore(const RankedEntry& a, const RankedEntry& b) {
    if (a.primary != b.primary)
        return a.primary < b.primary;
    if (a.secondary != b.secondary)
        return a.secondary < b.secondary;
    if (a.material != b.material)
        return a.material < b.material;
    if (a.wireDiameter != b.wireDiameter)
        return a.wireDiameter < b.wireDiameter;
    if (a.diameterIndex != b.diameterIndex)
        return a.diameterIndex < b.diameterIndex;
    if (a.meanDiameter != b.meanDiameter)
        return a.meanDiameter < b.meanDiameter;
    return a.totalTurns < b.totalTurns;
}

double sortsLastWhenMissing(double value) {
    return std::isnan(value) ? std::numeric_limits<double>::infinity() : value;
}

void BestEntries::offer(const RankedEntry& entry) {
    if (entries_.size() < capacity_) {
        entries_.push_back(entry);
        std::push_heap(entries_.begin(), entries_.end(), ranksBefore);
    } else if (capacity_ > 0 && ranksBefore(entry, entries_.front())) {
        std::pop_heap(entries_.begin(), entries_.end(), ranksBefore);
        entries_.back() = entry;
        std::push_heap(entries_.begin(), entries_.end(), ranksBefore);
    }
}

std::vector<RankedEntry> mergeBest(const std::vector<const BestEntries*>& parts,
                                   std::size_t count) {
    std::vector<RankedEntry> all;
    for (const BestEntries* part : parts)
        all.insert(all.end(), part->entries().begin(), part->entries().end());
    std::sort(all.begin(), all.end(), ranksBefore);
    if (all.size() > count)
        all.resize(count);
    return all;
}

} // namespace hspring
