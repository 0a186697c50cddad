// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/key_help.h"

#include "base/number_format.h"
#include "base/text_fill.h"
#include "calc/design_json.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/units.h"
#include "search/design_requirement.h"
#include "search/search_json.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace hspring::cli {

namespace {

// A help line of kJoin puts the key on the line of the key before it ("load1, load2").
constexpr std::string_view kJoin = "+";

// What a key of a design means: its line under "Input keys" and under "Output keys" ("" where it
// is not listed). "{unit}" stands for the unit of the key's value the core's table gives, so that
// the lines can name the unit of another system; "{name}" for a limit, from its constant.
struct DesignKeyHelp {
    std::string_view key;
    std::string_view input;
    std::string_view output;
};
constexpr DesignKeyHelp kDesignKeyHelp[] = {
    {"inUse", "", "1"},
    {"materialIndex", "material record, 0..{lastMaterial}", ""},
    {"diameterIndex",
     "position in the material's wire-diameter list\n"
     "(default: the first listed diameter not below wireDiameter)",
     ""},
    {"wireDiameter", "d, {unit} (default: the listed diameter at diameterIndex when that is given)",
     ""},
    {"innerDiameter", "Di, inner coil diameter, {unit}", ""},
    {"meanDiameter", "D, mean coil diameter, {unit}", ""},
    {"outerDiameter", "Do, outer coil diameter, {unit}", ""},
    {"diameterKind",
     "the coil diameter given: 0 innerDiameter, 1 meanDiameter, 2 outerDiameter;\n"
     "the one it names is read, the other two follow from it and d",
     ""},
    {"totalTurns", "N, total number of turns (activeTurns follows: N, or 2.99 below 3)", ""},
    {"activeTurns", "", "Na, active turns"},
    {"hookedFreeLength", "",
     "free length implied by the turns and two round hooks, (N + 1)·d + 2·Di, {unit}"},
    {"springIndex", "", "c = D/d"},
    {"initialTension", "Pi, initial tension, {unit}",
     "Pi, initial tension, {unit} (the range's middle with autoInitialTension)"},
    {"autoInitialTension",
     "1 or true: initial tension from the recommended range;\n"
     "0 or false: initialTension as given",
     ""},
    {"lowTempAnnealed", "1 or true: low-temperature annealed after coiling", ""},
    {"wahlFactor", "", "Wahl stress-correction factor"},
    {"freeLength", "L0, free length, {unit}", ""},
    {"maxLength", "", "recommended maximum length, {unit}"},
    {"maxLoad", "", "recommended maximum load, {unit} (the coil's limit)"},
    {"lengthMode", "1: length1 and length2 given, loads calculated; 0: load1 and load2 given", ""},
    {"load1", "P1, P2, working loads, {unit}",
     "P1, P2, working loads, {unit}: calculated when lengthMode is 1"},
    {"load2", kJoin, kJoin},
    {"length1", "L1, L2, working lengths, {unit}",
     "L1, L2, working lengths, {unit}: calculated when lengthMode is 0"},
    {"length2", kJoin, kJoin},
    {"springRate", "", "spring rate, {unit}"},
    {"stress1", "", "corrected torsional stress at working points 1 and 2, {unit}"},
    {"stress2", "", kJoin},
    {"allowableStress", "", "allowable torsional stress, {unit}"},
    {"lifeClass", "", "expected-life class of the coil, 0 (longest) .. {shortestLife} (shortest)"},
    {"hookAngle", "round hook: hook angle, {unit}", ""},
    {"hookLength", "U hook: hook length, {unit}", ""},
    {"hookOpening", "U hook: opening between the cut end and the coil, {unit}", ""},
    {"hookMinRadius", "U hook: inner radius of the bend out of the coil, {unit}", ""},
    {"initialTensionLow", "", "recommended initial-tension range and its middle, {unit}"},
    {"initialTensionHigh", "", kJoin},
    {"initialTensionMid", "", kJoin},
    {"upperStressCoefficient", "",
     "stress2 × 9.8 / σB and stress1 × 9.8 / σB, σB the wire's tensile\n"
     "strength in N/mm^2"},
    {"lowerStressCoefficient", "", kJoin},
    {"lifeText", "", "expected life of the coil in load cycles (\"万\" = 10,000)"},
    {"checks", "", "the design-rule lines"},
    {"recommendations", "", "the recommended-value labels"},
    {"hookType", "\"round\" (default) or \"u\"", "the hook type the results below are for"},
    {"designBasis",
     "what the allowables are taken from (default: the settings'):\n"
     "\"JIS\": the coil's allowable torsional stress as the material's x both\n"
     "design ratios; the hook's torsion against the material's torsion and its\n"
     "bending against the material's bending, x the compression-spring ratio\n"
     "alone (JIS B 2704's charts as spring makers apply them to hooks);\n"
     "\"handbook\": shares of σB from the extension-spring tables of the\n"
     "Associated Spring Design Handbook (Shigley's Mechanical Engineering\n"
     "Design, Tables 10-7 and 10-8): static body torsion 45 %, hook torsion\n"
     "40 %, hook bending 75 % (stainless 35, 30, 55 %); cyclic lines at stress\n"
     "ratio 0 for 10^7/10^6/10^5 cycles: body 30/33/36 %, hook torsion\n"
     "28/30/34 %, hook bending 45/47/51 %",
     "the design basis the results below are on"},
    {"hookBendRadius",
     "round hook: centre-line radius r2 of the bend out of the coil, {unit};\n"
     "K2 = (4·C2 − 1)/(4·C2 − 4), C2 = 2·r2/d (null or left out: K2 is the\n"
     "settings' hookStressFactor)",
     "the hook's radii and the operating frequency as given (null: none)"},
    {"hookLoopRadius",
     "round hook: centre-line radius r1 of the loop, {unit}; K1 from C1 = 2·r1/d\n"
     "(null or left out: r1 = D/2)",
     kJoin},
    {"operatingFrequency",
     "frequency the spring is worked at, {unit}: a warning when naturalFrequency\n"
     "is below 15 times it (surging; Shigley's Mechanical Engineering Design,\n"
     "§10-9, after Wolford and Smith)",
     kJoin},
    {"hookBendingFactor", "", "K1, stress factor of the hook loop (curved beam)"},
    {"hookTorsionFactor", "", "K2, stress factor of the bend out of the coil"},
    {"hookBendingStress1", "",
     "bending stress in the hook loop at P1 and P2, {unit} (P1: the larger of\n"
     "initialTension and load1)"},
    {"hookBendingStress2", "", kJoin},
    {"hookTorsionStress1", "",
     "torsional stress in the hook's bend at P1 and P2, {unit}; judged\n"
     "against hookTorsionAllowable"},
    {"hookTorsionStress2", "", kJoin},
    {"hookBendingAllowable", "",
     "allowable bending stress of the hook, {unit}, on the design\n"
     "basis"},
    {"hookTorsionAllowable", "",
     "allowable torsional stress of the hook's bend, {unit}, on the\n"
     "design basis"},
    {"hookUpperStressCoefficient", "",
     "hookTorsionStress2 × 9.8 / σB and hookTorsionStress1 × 9.8 / σB"},
    {"hookLowerStressCoefficient", "", kJoin},
    {"hookLifeClass", "",
     "expected life of the hook, class 0..8 and text: the shorter of its\n"
     "torsion life (the fatigue diagram at the hook's coefficients) and its\n"
     "bending life (hookBendingLifeClass)"},
    {"hookLifeText", "", kJoin},
    {"springLifeClass", "", "expected life of the spring: the shorter of coil and hook"},
    {"springLifeText", "", kJoin},
    {"naturalFrequency", "", "natural frequency, both ends fixed, {unit}"},
    {"bodyMass", "", "mass of the coil body of N turns, {unit}"},
    {"wireLength", "", "wire length along its centre line, coil body and both hooks, {unit}"},
    {"springMass", "", "mass of the whole wire, {unit}"},
    {"energy12", "", "energy stored from working point 1 to 2, {unit}"},
    {"si", "",
     "the results in SI units: springRate (N/mm); initialTension, load1, load2,\n"
     "maxLoad (N); stress1, stress2, allowableStress, hookBendingStress1,\n"
     "hookBendingStress2, hookTorsionStress1, hookTorsionStress2,\n"
     "hookBendingAllowable, hookTorsionAllowable (N/mm^2); energy12 (N·mm)"},
    {"hookBendingLifeClass", "",
     "expected life of the hook's bending at the loop: class 0 (\"1000万\",\n"
     "10^7 cycles), 1 (10^6), 2 (10^5) or 8 (fewer), and text. Basis: the\n"
     "maximum bending stress at a hook end at stress ratio 0 is 45, 47 and 51 %\n"
     "of σB for 10^7, 10^6 and 10^5 cycles (music wire and 302 stainless, not\n"
     "shot-peened, low-temperature heat treated; Associated Spring, Design\n"
     "Handbook), with a Goodman line from there to σB for the mean stress:\n"
     "within a class when σA2 ≤ s·σB + (1 − s)·σA1"},
    {"hookBendingLifeText", "", kJoin},
    {"hookTorsionLimitLoad", "",
     "load at which the hook's torsion reaches hookTorsionAllowable, {unit}"},
    {"hookBendingLimitLoad", "",
     "load at which the hook's bending reaches hookBendingAllowable, {unit}"},
    {"maxLoadWithHooks", "",
     "the smallest of maxLoad (the coil), hookTorsionLimitLoad and\n"
     "hookBendingLimitLoad, {unit}; null when any of them is"},
    {"maxLengthWithHooks", "",
     "length at maxLoadWithHooks, freeLength + (maxLoadWithHooks − initialTension)\n"
     "/ springRate, {unit}; null when the limit lies below the initial tension"},
    {"governingPart", "",
     "the part that sets maxLoadWithHooks: \"coil\", \"hookTorsion\" or\n"
     "\"hookBending\""},
    {"hookChecks", "",
     "the warnings beside the design-rule lines (hook stresses over their\n"
     "allowables, a U hook's bend radius below 1.5·d or a U hook that cannot be\n"
     "formed, an initial tension below 0 or outside the recommended range, a hook\n"
     "angle outside 60..90°, a natural frequency below 15 times\n"
     "operatingFrequency); empty when there are none"},
    {"toleranceGrade",
     "production tolerance grade of JIS B 2704-3 (cold-formed extension\n"
     "springs): 1, 2 (default) or 3; 0: none",
     "the tolerance grade the next two keys are for"},
    {"tolerances", "",
     "what a maker may deliver at that grade, each ±: grade; load1, load2\n"
     "(kgf, ±(Pi·α + (P − Pi)·β), from 3 active turns); springRate (kgf/mm);\n"
     "freeLength (mm, a reference value once loads are given; D/d 3..22);\n"
     "outerDiameter (mm, D/d 4..22); null where the grade gives none"},
    {"toleranceChecks", "",
     "\"警告:\" lines for the conditions of specifying a load: its deflection\n"
     "L − L0 between 20 % and 80 % of the deflection at maxLengthWithHooks, and\n"
     "at least 4 mm"},
};

// What a key of a requirement means, in the order of RequirementKey; a "{name}" in it stands for
// the default or limit requirementKeysHelp fills in from DesignRequirement and the limits.
struct RequirementKeyHelp {
    RequirementKey key;
    std::string_view help;
};
using K = RequirementKey;
constexpr RequirementKeyHelp kRequirementKeyHelp[] = {
    {K::Length1, "the first working length L1 (required)"},
    {K::Load1, "the load P1 at L1 (required)"},
    {K::Length2, "the second working length L2 > L1 (required)"},
    {K::Load2, "the load P2 > P1 > 0 at L2 (required)"},
    {K::LoadTolerance,
     "how far each load may lie from its target (default {loadTolerance}; above 0 and\n"
     "below 100)"},
    {K::ToleranceGrade,
     "production tolerance grade of JIS B 2704-3, 1..{lastGrade} (default {toleranceGrade}): each\n"
     "load with its production tolerance must stay within loadTolerance; {noGrade}:\n"
     "the nominal loads alone"},
    {K::MaxOuterDiameter,
     "largest outer coil diameter Do with its tolerance of the grade, Do + ΔDo\n"
     "(default, null: none)"},
    {K::MinInnerDiameter, "smallest inner coil diameter Di less the coil diameter's tolerance,\n"
                          "Di − ΔDo (default, null: none)"},
    {K::MaxFreeLength,
     "largest free length L0 with its tolerance of the grade, L0 + ΔL0 (default,\n"
     "null: none)"},
    {K::RequiredLifeClass,
     "the spring's expected-life class must be at most this, at the working\n"
     "points and at the worst corner of the loads' tolerance bands:\n"
     "0 \"{longestLife}\" (the longest) .. {lastLifeClass} \"{lastLife}\" (default, null: none)"},
    {K::Materials, "material record indices to try, an array (default: see kinds)"},
    {K::Kinds, "material kinds to try when materials is not given, an array of 0..{lastKind}\n"
               "(default: every material of the material lists)"},
    {K::LowTempAnnealed,
     "true or 1: low-temperature annealed after coiling (default {lowTempAnnealed})"},
    {K::HookType, "{hookTypes}"},
    {K::HookAngle, "round hook: hook angle (default {hookAngle})"},
    {K::HookLength, "U hook: hook length (default {hookLength})"},
    {K::HookOpening, "U hook: opening between the cut end and the coil (default {hookOpening})"},
    {K::HookMinRadius,
     "U hook: inner radius of the bend out of the coil (default {hookMinRadius})"},
    {K::HookBendRadius, "round hook: centre-line radius r2 of the bend out of the coil; K2 from\n"
                        "C2 = 2·r2/d (default, null: the settings' hookStressFactor)"},
    {K::HookLoopRadius, "round hook: centre-line radius r1 of the loop; K1 from C1 = 2·r1/d\n"
                        "(default, null: D/2)"},
    {K::OperatingFrequency,
     "the frequency the spring is worked at: the natural frequency must be at\n"
     "least {surgeRatio} times it (default, null: none)"},
    {K::DesignBasis, "\"JIS\" or \"handbook\": what the allowables are taken from (default:\n"
                     "the settings'; see hspring-cli calc --help)"},
    {K::DiameterStep, "the mean coil diameters tried are the whole multiples of this\n"
                      "(default {diameterStep}; {minStep} .. {maxStep})"},
    {K::Objective, "{objectives}"},
    {K::Count, "how many candidates to return (default {count}; 1 .. {maxCount})"},
};
static_assert(std::size(kRequirementKeyHelp) == kRequirementKeyCount);
static_assert(
    [] {
        for (std::size_t i = 0; i < kRequirementKeyCount; ++i)
            if (kRequirementKeyHelp[i].key != static_cast<RequirementKey>(i))
                return false;
        return true;
    }(),
    "the help follows RequirementKey");

constexpr std::size_t kHelpColumn = 23;

// One key's or one group's entry: two spaces and the names, the help from kHelpColumn (on the
// next line when the names leave less than `gap` blanks before it), each further help line
// indented to it. The design keys' list keeps a gap of 1, the requirement's a gap of 2.
void appendHelpEntry(std::string& out, std::string_view names, std::string_view help,
                     std::size_t gap) {
    out += "  ";
    out += names;
    const std::size_t width = 2 + names.size();
    if (width + gap <= kHelpColumn)
        out.append(kHelpColumn - width, ' ');
    else
        out.append("\n").append(kHelpColumn, ' ');
    for (std::size_t start = 0;;) {
        const std::size_t end = help.find('\n', start);
        out += help.substr(start, end - start);
        out += '\n';
        if (end == std::string_view::npos)
            break;
        out.append(kHelpColumn, ' ');
        start = end + 1;
    }
}

const DesignKeyHelp* helpOf(std::string_view key) {
    const auto found = std::find_if(std::begin(kDesignKeyHelp), std::end(kDesignKeyHelp),
                                    [key](const DesignKeyHelp& entry) { return entry.key == key; });
    return found == std::end(kDesignKeyHelp) ? nullptr : found;
}

// The entries of the keys that have a line of the section `lineOf` picks; a key
// whose line is kJoin goes onto the line of the key before it.
template <class LineOf>
void appendHelpSection(std::string& out, std::span<const DesignKey> keys, LineOf lineOf) {
    const auto line = [&](std::size_t i) -> std::string_view {
        const DesignKeyHelp* help = helpOf(keys[i].name);
        return help ? lineOf(*help) : std::string_view();
    };
    for (std::size_t i = 0; i < keys.size();) {
        const std::string_view help = line(i);
        if (help.empty() || help == kJoin) {
            ++i;
            continue;
        }
        const TextValue values[] = {
            {"unit", std::string(keys[i].unit)},
            {"lastMaterial", std::to_string(kMaterialCount - 1)},
            {"shortestLife", std::to_string(kShortestLifeClass)},
        };
        std::string names(keys[i].name);
        for (++i; i < keys.size() && line(i) == kJoin; ++i)
            names.append(", ").append(keys[i].name);
        appendHelpEntry(out, names, filledIn(help, values), 1);
    }
}

// Each force unit of the lines below in both systems, from the units' own table: the lines name
// the gravitational unit, --units si reads and writes the SI one in its place.
std::string unitSystemsLines() {
    std::string line = "Forces in the units named; with --units si in their SI units instead:\n ";
    const char* separator = " ";
    for (const ForceQuantity quantity :
         {ForceQuantity::Load, ForceQuantity::Rate, ForceQuantity::Stress, ForceQuantity::Energy}) {
        line.append(separator)
            .append(unitText(quantity, UnitSystem::Gravitational))
            .append(" -> ")
            .append(unitText(quantity, UnitSystem::Si));
        separator = ", ";
    }
    return line + "\n\n";
}

std::string buildDesignKeysHelp() {
    const std::span<const DesignKey> keys = designKeys();
    const auto firstResult = static_cast<std::size_t>(
        std::find_if(keys.begin(), keys.end(),
                     [](const DesignKey& key) { return key.kind != DesignKeyKind::RecordField; }) -
        keys.begin());
    const auto input = [](const DesignKeyHelp& help) { return help.input; };
    const auto output = [](const DesignKeyHelp& help) { return help.output; };
    std::string out = unitSystemsLines() +
                      "Input keys of a design (each may be left out; a missing key takes the start "
                      "value):\n";
    appendHelpSection(out, keys, input);
    out +=
        "  Every output key below is accepted as well: the record fields the calculation fills\n"
        "  in are replaced by it and every other output key is ignored, so that an answer can\n"
        "  be read again.\n"
        "\n"
        "Output keys of each design, in this order (null: the value is missing). First the record\n"
        "fields as read, with what the calculation fills in:\n";
    appendHelpSection(out, keys.first(firstResult), output);
    out += "Then the other results:\n";
    appendHelpSection(out, keys.subspan(firstResult), output);
    out +=
        "A design that cannot be read or calculated is answered with {\"error\": message} in its "
        "place.\n";
    return out;
}

std::string numberText(double value) {
    return formatGeneral(value, 15);
}

// What each objective ranks first, in the order of SearchObjective.
constexpr std::string_view kObjectiveHelp[] = {
    "the lightest first",
    "the longest spring life\nfirst, then the lightest",
    "the largest smallest margin of the\n"
    "coil, hook-torsion and hook-bending stresses at the top of P2's\n"
    "tolerance band first",
    "the smallest worst-case deviation\nof the loads first, then the lightest",
};

// The choices of a key, each quoted, the default marked.
template <class Choice, std::size_t count>
std::string choicesHelp(const Choice (&choices)[count], Choice chosen,
                        std::string_view (*name)(Choice), std::string_view separator,
                        const std::string_view* explanations = nullptr) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += separator;
        text += "\"" + std::string(name(choices[i])) + "\"";
        if (choices[i] == chosen)
            text += " (default)";
        if (explanations)
            text += ": " + std::string(explanations[i]);
    }
    return text;
}

} // namespace

const std::string& designKeysHelp() {
    static const std::string help = buildDesignKeysHelp();
    return help;
}

std::vector<std::string> designKeyHelpFaults() {
    std::vector<std::string> faults;
    const auto fault = [&faults](std::string_view key, std::string_view what) {
        faults.push_back(std::string(key) + ": " + std::string(what));
    };
    const std::span<const DesignKey> keys = designKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const DesignKey& key = keys[i];
        const DesignKeyHelp* help = helpOf(key.name);
        if (!help) {
            fault(key.name, "no help");
            continue;
        }
        if (!help->input.empty() && key.kind == DesignKeyKind::Result)
            fault(key.name, "an input line for a result");
        const auto namesUnit = [](std::string_view line) {
            return line.find("{unit}") != std::string_view::npos;
        };
        bool named = false;
        for (const auto section : {&DesignKeyHelp::input, &DesignKeyHelp::output}) {
            const std::string_view line = help->*section;
            if (line != kJoin) {
                if (namesUnit(line) && key.unit.empty())
                    fault(key.name, "a unit named for a key without one");
                named = named || namesUnit(line);
                continue;
            }
            // On the line of the keys before it: the first of them words the line.
            std::size_t head = i;
            while (head > 0 && helpOf(keys[head].name) &&
                   helpOf(keys[head].name)->*section == kJoin)
                --head;
            const DesignKeyHelp* headHelp = helpOf(keys[head].name);
            if (head == i || !headHelp) {
                fault(key.name, "joined to no line");
            } else if (namesUnit(headHelp->*section)) {
                if (keys[head].unit != key.unit)
                    fault(key.name, "on a line that names another unit");
                named = true;
            }
        }
        if (!key.unit.empty() && !named)
            fault(key.name, "its unit named nowhere");
    }
    for (const DesignKeyHelp& help : kDesignKeyHelp)
        if (std::none_of(keys.begin(), keys.end(),
                         [&help](const DesignKey& key) { return key.name == help.key; }))
            fault(help.key, "help of no key");
    return faults;
}

std::string requirementKeysHelp(const Wording& words) {
    const DesignRequirement defaults;
    constexpr HookType kHookTypes[] = {HookType::Round, HookType::U};
    constexpr SearchObjective kObjectives[] = {SearchObjective::Mass, SearchObjective::Life,
                                               SearchObjective::Margin, SearchObjective::Accuracy};
    const auto lifeText = [&words](int lifeClass) {
        return std::string(words.lifeClass(lifeClass));
    };
    const TextValue values[] = {
        {"loadTolerance", numberText(defaults.loadTolerance)},
        {"lastGrade", std::to_string(kToleranceGradeCount)},
        {"toleranceGrade", std::to_string(defaults.toleranceGrade)},
        {"noGrade", std::to_string(kNoToleranceGrade)},
        {"longestLife", lifeText(0)},
        {"lastLifeClass", std::to_string(kMaxRequiredLifeClass)},
        {"lastLife", lifeText(kMaxRequiredLifeClass)},
        {"lastKind", std::to_string(kKindCount - 1)},
        {"lowTempAnnealed", defaults.lowTempAnnealed ? "true" : "false"},
        {"hookTypes", choicesHelp(kHookTypes, defaults.hookType, hookTypeName, " or ")},
        {"hookAngle", numberText(defaults.hookAngle)},
        {"hookLength", numberText(defaults.hookLength)},
        {"hookOpening", numberText(defaults.hookOpening)},
        {"hookMinRadius", numberText(defaults.hookMinRadius)},
        {"surgeRatio", numberText(kSurgeFrequencyRatio)},
        {"diameterStep", numberText(defaults.diameterStep)},
        {"minStep", numberText(kMinDiameterStep)},
        {"maxStep", numberText(kMaxDiameterStep)},
        {"objectives",
         choicesHelp(kObjectives, defaults.objective, searchObjectiveName, "; ", kObjectiveHelp)},
        {"count", std::to_string(defaults.count)},
        {"maxCount", std::to_string(kMaxCandidateCount)},
    };
    std::string help =
        "Keys of a requirement (lengths in mm, loads in kgf, or in N with --units si):\n";
    for (const RequirementKeyHelp& entry : kRequirementKeyHelp) {
        std::string names(requirementKeyName(entry.key));
        if (const std::string_view unit = requirementKeyUnit(entry.key); !unit.empty())
            names += " (" + std::string(unit) + ")";
        appendHelpEntry(help, names, filledIn(entry.help, values), 2);
    }
    help += R"(
The candidates: every material allowed, every wire diameter of its list, every mean coil
diameter D that is a whole multiple of diameterStep with 4 <= D/d <= 22, every number of total
turns N in quarter turns from 3. Each is calculated as the main window calculates it: lengths
given (L1, L2); the free length of the spring drawn with its hooks in four significant digits,
L0 = (N + 1)·d + 2·Di with round hooks and (N + 1)·d + 2·hookLength with U hooks, at most L1;
and the initial tension of four significant digits within the recommended range that centres
the loads: the larger worst-case deviation (|P − T| + ΔP)/T of the two loads smallest, ΔP the
load's production tolerance ±(Pi·α + (P − Pi)·β) of the grade (0 at grade 0). A candidate is
feasible when both loads and, at a grade, both loads ± ΔP lie within the tolerance; Pi lies
within its range; the limits given hold; the checks give "Calculation Success!"; the load at
the top of P2's band (P2 + ΔP2) is at most the coil's maxLoad, hookTorsionLimitLoad and
hookBendingLimitLoad (the last unless the material gives no bending allowable), the limits
whose smallest is maxLoadWithHooks; and the life class given holds. Ties of the objective go
by material index, wire diameter, D and N.

Each candidate is the calc command's answer for its design with "rank" (1 for the best) first
and toleranceGrade as asked; it reads back through calc as the same design. Its last key,
"search", holds what ranks it: worstDeviation1, worstDeviation2 (the worst-case relative
deviations of the loads, fractions), coilStressUse, hookStressUse (the shares of the coil's and
the hooks' limit loads used at the top of P2's band, which are the shares of their allowable
stresses) and nearestLimit ("coil", "hookTorsion" or
"hookBending": the largest share).

When no candidate is feasible the answer is an object instead of the array: calculated (the
candidates calculated), rejected (for each constraint the candidates it removed, each counted
once under the first it breaks: outerDiameter, innerDiameter, freeLength, loads,
worstCaseLoads, initialTension, designRules, coilStress, hookTorsion, hookBending, life; those
the search's bounds removed without calculating are counted under the bound's constraint) and
nearestMiss (null when nothing was calculated, else the candidate that broke the fewest
constraints: broken, the names of what it broke, and design, its calc answer).
)";
    return help;
}

} // namespace hspring::cli
