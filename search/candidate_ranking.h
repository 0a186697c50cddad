// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"

#include <cstddef>
#include <vector>

namespace hspring {

// A candidate while the search runs: its inputs and what ranks it.
struct RankedEntry {
    double primary = 0;   // by the objective, smaller first
    double secondary = 0; // then this, smaller first
    int material = 0;
    double wireDiameter = 0;
    int diameterIndex = 0;
    double meanDiameter = 0;
    double totalTurns = 0;
    SpringDesign inputs{};
};

// Whether a ranks before b: a total order (by the objective's keys, then material index, wire
// diameter, its list position, D and N), so any split of the work gives the same list.
bool ranksBefore(const RankedEntry& a, const RankedEntry& b);

// A NaN sorts last.
double sortsLastWhenMissing(double value);

// The best entries seen by one worker: a heap whose top is the worst kept.
class BestEntries {
public:
    explicit BestEntries(std::size_t capacity) : capacity_(capacity) {}
    void offer(const RankedEntry& entry);
    const std::vector<RankedEntry>& entries() const { return entries_; }

private:
    std::size_t capacity_;
    std::vector<RankedEntry> entries_;
};

// The best `count` of several workers' entries, best first.
std::vector<RankedEntry> mergeBest(const std::vector<const BestEntries*>& parts, std::size_t count);

} // namespace hspring
