// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_refusal.h"
#include "search/design_requirement.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace hspring {

namespace {

struct ObjectiveName {
    SearchObjective objective;
    std::string_view name;
};
constexpr ObjectiveName kObjectiveNames[] = {
    {SearchObjective::Mass, "mass"},
    {SearchObjective::Life, "life"},
    {SearchObjective::Margin, "margin"},
    {SearchObjective::Accuracy, "accuracy"},
};

std::optional<RequirementProblem> problem(RequirementProblemCode code, RequirementKey field,
                                          int value = 0) {
    return RequirementProblem{code, requirementKeyName(field), value};
}

// The materials of the requirement, or its problem with them.
std::optional<RequirementProblem> collectMaterials(const DesignRequirement& r,
                                                   const MaterialLibrary& library,
                                                   std::set<int>& allowed) {
    const KindIndex index = buildKindIndex(library);
    if (!r.materials.empty()) {
        for (const int m : r.materials) {
            if (!findMaterialInIndex(index, m))
                return problem(RequirementProblemCode::MaterialNotListed, RequirementKey::Materials,
                               m);
            allowed.insert(m);
        }
        return std::nullopt;
    }
    for (const int kind : r.kinds)
        if (kind < 0 || kind >= kKindCount)
            return problem(RequirementProblemCode::KindOutOfRange, RequirementKey::Kinds, kind);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (!r.kinds.empty() && std::find(r.kinds.begin(), r.kinds.end(), kind) == r.kinds.end())
            continue;
        for (int place = 0; place < kMaxGradesPerKind; ++place) {
            const int m = lookupMaterial(index, kind, place);
            if (m >= 0)
                allowed.insert(m);
        }
    }
    if (allowed.empty())
        return problem(RequirementProblemCode::NoMaterial, RequirementKey::Kinds);
    return std::nullopt;
}

// The numbers of the requirement: finite, and the working points in order.
std::optional<RequirementProblem> checkNumbers(const DesignRequirement& r) {
    using enum RequirementKey;
    const std::pair<RequirementKey, double> numbers[] = {
        {Length1, r.length1},
        {Load1, r.load1},
        {Length2, r.length2},
        {Load2, r.load2},
        {LoadTolerance, r.loadTolerance},
        {HookAngle, r.hookAngle},
        {HookLength, r.hookLength},
        {HookOpening, r.hookOpening},
        {HookMinRadius, r.hookMinRadius},
        {DiameterStep, r.diameterStep},
    };
    for (const auto& [key, value] : numbers)
        if (!std::isfinite(value))
            return problem(RequirementProblemCode::NotANumber, key);
    if (!(r.length1 > 0))
        return problem(RequirementProblemCode::NotAboveZero, Length1);
    if (!(r.length1 < r.length2))
        return problem(RequirementProblemCode::Length1NotBelowLength2, Length1);
    if (!(r.load1 > 0))
        return problem(RequirementProblemCode::NotAboveZero, Load1);
    if (!(r.load1 < r.load2))
        return problem(RequirementProblemCode::Load1NotBelowLoad2, Load1);
    if (!(r.loadTolerance > 0 && r.loadTolerance < 100))
        return problem(RequirementProblemCode::ToleranceOutOfRange, LoadTolerance);
    const std::pair<RequirementKey, const std::optional<double>&> limits[] = {
        {MaxOuterDiameter, r.maxOuterDiameter},     {MinInnerDiameter, r.minInnerDiameter},
        {MaxFreeLength, r.maxFreeLength},           {HookBendRadius, r.hookBendRadius},
        {HookLoopRadius, r.hookLoopRadius},         {OperatingFrequency, r.operatingFrequency},
    };
    for (const auto& [key, value] : limits)
        if (value && !(std::isfinite(*value) && *value > 0))
            return problem(RequirementProblemCode::NotAboveZero, key);
    // A candidate must be a spring that can be drawn, so the hook asked for must be one.
    if (r.hookType == hspring::HookType::Round) {
        if (!(r.hookAngle >= kLowestDrawnHookAngle && r.hookAngle <= kHighestDrawnHookAngle))
            return problem(RequirementProblemCode::HookAngleNotDrawable, HookAngle);
    } else {
        const std::pair<RequirementKey, double> hook[] = {{HookLength, r.hookLength},
                                                          {HookOpening, r.hookOpening},
                                                          {HookMinRadius, r.hookMinRadius}};
        for (const auto& [key, value] : hook)
            if (!(value > 0))
                return problem(RequirementProblemCode::NotAboveZero, key);
    }
    return std::nullopt;
}

} // namespace

std::optional<RequirementKey> requirementKeyFromName(std::string_view name) {
    for (std::size_t i = 0; i < kRequirementKeyCount; ++i)
        if (kRequirementKeyNames[i] == name)
            return static_cast<RequirementKey>(i);
    return std::nullopt;
}

std::optional<SearchObjective> searchObjectiveFromName(std::string_view name) {
    for (const ObjectiveName& entry : kObjectiveNames)
        if (entry.name == name)
            return entry.objective;
    return std::nullopt;
}

std::string_view searchObjectiveName(SearchObjective objective) {
    for (const ObjectiveName& entry : kObjectiveNames)
        if (entry.objective == objective)
            return entry.name;
    return {};
}

std::optional<RequirementProblem> checkRequirement(const DesignRequirement& r,
                                                   const MaterialLibrary& library) {
    if (std::optional<RequirementProblem> found = checkNumbers(r))
        return found;
    if (!isToleranceGrade(r.toleranceGrade))
        return problem(RequirementProblemCode::GradeOutOfRange, RequirementKey::ToleranceGrade);
    if (r.requiredLifeClass &&
        !(*r.requiredLifeClass >= 0 && *r.requiredLifeClass <= kMaxRequiredLifeClass))
        return problem(RequirementProblemCode::LifeClassOutOfRange,
                       RequirementKey::RequiredLifeClass);
    if (!(r.diameterStep >= kMinDiameterStep && r.diameterStep <= kMaxDiameterStep))
        return problem(RequirementProblemCode::StepOutOfRange, RequirementKey::DiameterStep);
    if (!(r.count >= 1 && r.count <= kMaxCandidateCount))
        return problem(RequirementProblemCode::CountOutOfRange, RequirementKey::Count);
    std::set<int> allowed;
    return collectMaterials(r, library, allowed);
}

std::vector<int> allowedMaterials(const DesignRequirement& r, const MaterialLibrary& library) {
    std::set<int> allowed;
    collectMaterials(r, library, allowed);
    return {allowed.begin(), allowed.end()};
}

} // namespace hspring
