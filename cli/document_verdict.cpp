// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/document_verdict.h"

#include "base/number_format.h"
#include "calc/extra_results.h"

namespace hspring::cli {

namespace {

std::string_view ruleText(DesignRule rule) {
    switch (rule) {
    case DesignRule::IndexAtLeastFour:
        return "the spring index is 4 or below";
    case DesignRule::IndexBelowTwentyTwo:
        return "the spring index is 22 or above";
    case DesignRule::L2NotBelowSolidLength:
        return "L2 is shorter than the solid length";
    case DesignRule::LengthsInOrder:
        return "the lengths are not in order (L0 <= L1 <= L2)";
    case DesignRule::StressWithinAllowable:
        return "the torsional stress at L2 is over the allowable stress";
    case DesignRule::AtLeastThreeTurns:
        break;
    }
    return "the number of active turns is 3 or below";
}

std::string hookProblemText(HookProblem problem) {
    switch (problem) {
    case HookProblem::TorsionOverAllowable:
        return "the hook's torsional stress is over its allowable";
    case HookProblem::BendingOverAllowable:
        return "the hook's bending stress is over its allowable";
    case HookProblem::BendRadiusTooSmall:
        return "the U hook's smallest bend radius is below 1.5 times the wire diameter";
    case HookProblem::InitialTensionNegative:
        return "the initial tension is negative";
    case HookProblem::InitialTensionOutsideRange:
        return "the initial tension is outside its recommended range";
    case HookProblem::HookAngleOutsideRange:
        return "the hook angle is outside 60 to 90 degrees";
    case HookProblem::UHookCannotBeFormed:
        return "the U hook's dimensions cannot be formed";
    case HookProblem::NaturalFrequencyBelowSurgeRatio:
        break;
    }
    return "the natural frequency is below " + formatF4(kSurgeFrequencyRatio) +
           " times the operating frequency (surging)";
}

std::string breachText(const ToleranceBreach& breach) {
    const std::string point = breach.workingPoint == 1 ? "L1" : "L2";
    switch (breach.condition) {
    case ToleranceCondition::DeflectionBelowShare:
        return "the deflection at " + point +
               " is below 20% of the deflection at the largest test load";
    case ToleranceCondition::DeflectionAboveShare:
        return "the deflection at " + point +
               " is above 80% of the deflection at the largest test load";
    case ToleranceCondition::DeflectionBelowMinimum:
        break;
    }
    return "the deflection at " + point + " is below 4 mm";
}

} // namespace

void addAllowFailingOption(CLI::App& app, bool& allowFailing, const std::string& help) {
    app.add_flag(std::string(kAllowFailingOption), allowFailing, help);
}

std::vector<std::string> concernTexts(const DesignResult& result) {
    std::vector<std::string> texts;
    for (const DesignRule rule : result.checks)
        texts.push_back("error: " + std::string(ruleText(rule)));
    for (const HookCheck& check : result.hookChecks)
        texts.push_back("warning: " + hookProblemText(check.problem));
    for (const ToleranceBreach& breach : result.toleranceChecks)
        texts.push_back("warning: " + breachText(breach));
    return texts;
}

bool documentAllowed(std::string_view command, const DesignResult& result, bool allowFailing,
                     std::ostream& err) {
    if (allowFailing || !hasConcerns(result))
        return true;
    err << "hspring-cli " << command
        << ": the design breaks a rule or has a warning; nothing written (" << kAllowFailingOption
        << " writes it anyway):\n";
    for (const std::string& text : concernTexts(result))
        err << "  " << text << "\n";
    return false;
}

} // namespace hspring::cli
