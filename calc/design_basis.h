// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"

#include <array>
#include <optional>
#include <string_view>

namespace hspring {

// What the allowable stresses of the coil and the hooks are taken from.
//
// Jis: the coil's allowable torsional stress is the material's scaled by both design ratios (a
// compression spring's share of the material, an extension spring's share of that). The hook is
// judged on the compression spring's allowables, the first ratio alone: its torsion τB against
// the material's allowable torsional stress × compressionToMaterialRatio, its bending σA against
// the material's allowable bending stress × compressionToMaterialRatio. The extension spring's
// reduction exists because of the hooks' stresses, so applying it to the hooks again counts it
// twice. Spring makers' reproductions of the JIS B 2704 design rules say so: the extension
// spring's allowable shear stress is 80 % of the chart's value for cold-formed springs because of
// the higher stresses in the hook, and the hook's shear and bending stresses are checked against
// the chart of allowable shear stress (図11) and that of allowable bending stress (図12) of JIS
// B 2704 (東海バネ工業, "引張ばねの耐荷重について", tokaibane.com/topic/21862; 丸ホ,
// "ばね設計の手引 き: 許容応力", maruho-htj.co.jp/mnet_guide/layout/stress, which takes the hook's
// allowable bending stress from the bending chart). The bending chart is the material's
// bendingPercent here; the compression spring's ratio is applied to it as to the torsion, which is
// what this program's users asked for (the second maker takes the chart's value unscaled, 25 %
// more).
//
// Handbook: the shares of the tensile strength σB of Associated Spring, Barnes Group, "Design
// Handbook: Engineering Guide to Spring Design" (1987), as reproduced in Budynas & Nisbett,
// "Shigley's Mechanical Engineering Design", 9th ed. (2011), Table 10-7 "Maximum allowable
// stresses (KW or KB corrected) for helical extension springs in static applications" and
// Table 10-8 (cyclic, ASTM A228 and type 302 stainless, stress ratio 0), and in Shigley &
// Mischke, "Standard Handbook of Machine Design", ch. 24.
// (DesignBasis and its names are the settings': data/settings.h.)

// A stress may exceed its allowable by this much before it counts as over, kgf/mm^2 (half a unit
// of the fourth decimal the stresses are shown with).
inline constexpr long double kStressTolerance = 0.0005L;

// The handbook's static limits as shares of σB: body torsion, end (hook) torsion, end (hook)
// bending. Table 10-7 gives the body 45–50 % for carbon and low-alloy steels; the lower end is
// taken, the safe reading.
struct HandbookShares {
    double bodyTorsion;
    double endTorsion;
    double endBending;
};
// Patented, cold-drawn or hardened and tempered carbon and low-alloy steels.
inline constexpr HandbookShares kHandbookSteelShares{0.45, 0.40, 0.75};
// Austenitic stainless steel and nonferrous alloys.
inline constexpr HandbookShares kHandbookStainlessShares{0.35, 0.30, 0.55};

// The allowable stresses of one wire under the basis of `coefficients`, kgf/mm^2; NaN where
// missing (no material, no value in its table, no σB for the handbook, a bending allowable that is
// not above 0). `coilTorsion` is the value the engine stores as allowableStress.
struct BasisAllowables {
    double coilTorsion;
    double hookTorsion;
    double hookBending;
};
BasisAllowables basisAllowables(const MaterialRecord* material, int diameterIndex, double d,
                                const CoefficientSet& coefficients);

// The handbook's static share of the coil's body torsion for a material (steel or stainless), and
// σB of the wire at diameterIndex in N/mm^2 (nullopt when not a positive finite number).
double handbookBodyShare(const MaterialRecord& material);
std::optional<double> tensileStrengthOf(const MaterialRecord* material, int diameterIndex);

// The life classes of the handbook's cyclic table (Table 10-8, stress ratio 0): body torsion 36,
// 33, 30 %, end torsion 34, 30, 28 % of σB for 10^5, 10^6, 10^7 cycles. Each line runs from its
// share at stress ratio 0 to the torsional ultimate strength 0.67·σB on the diagonal (Goodman,
// Ssu = 0.67·Sut, Shigley eq. 10-30), as the fatigue diagram's lines meet at 0.67: class 0
// (10^7), 1 (10^6), 2 (10^5), otherwise the shortest class 8.
enum class HandbookTorsionColumn { Body, End };
int classifyHandbookTorsionLife(HandbookTorsionColumn column, double upper, double lower);

} // namespace hspring
