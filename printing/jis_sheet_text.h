// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/tolerances.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "drawing/outline.h"
#include "printing/title_block.h"

#include <optional>
#include <string>
#include <vector>

namespace hspring {

class Wording;

// The JIS sheet (仕様書（JIS形式）): a calculated design laid out as Japanese spring drawings
// present an extension spring (JIS B 0004): a figure of the spring drawn from its own free-state
// outline with its main dimensions, the items table (要目表) a spring maker orders from, and a
// title block. Every load and stress is in newtons from the standard gravity (kGravity), the one
// conversion of this document.

// What a sheet is made of: the design as the last calculation left it, how it is hooked and
// coiled (the record keeps neither), the calculation file's name (empty when none is open) and
// the designer's title block.
struct JisSheetSubject {
    SpringDesign design{};
    HookType hookType = HookType::Round;
    bool leftHanded = false;
    // The production tolerance grade the sheet's tolerances are of (JIS B 2704-3); 0 for none.
    int toleranceGrade = kDefaultToleranceGrade;
    // The rate is specified (given a tolerance) only when the designer asks for it: with the
    // loads specified, JIS B 2704-1 makes the rate a value specified only where specially needed.
    bool rateTolerance = false;
    std::string fileName;
    TitleBlock titleBlock;
    // The round hook's radii and the operating frequency given with the design, which the limits
    // with the hooks are calculated with.
    ExtraInputs inputs;
    // The broken rules and the warnings of a design made into a sheet anyway (judged by the
    // caller); the sheet names them first among its notes. Empty for a sound design.
    std::vector<std::string> concerns;
};

// One line of the items table: the item, its unit, its value and the tolerance of that value.
// A value or a tolerance that cannot be formed is empty, never made up.
struct JisSheetRow {
    std::string item;
    std::string unit;
    std::string value;
    std::string tolerance;
};

// One field of the title block: its caption and what the designer wrote (or the file's name).
struct JisSheetTitleField {
    std::string caption;
    std::string value;
};

// The texts the figure carries: each is empty where its dimension cannot be formed.
struct JisSheetFigureTexts {
    std::string freeLength;        // "L0 = 39 (参考)"
    std::string outerDiameter;     // "Do = 8"
    std::vector<std::string> hook; // the hook's main dimensions, one per line
};

struct JisSheetTexts {
    std::string heading; // the document's name on the page
    std::vector<JisSheetRow> rows;
    // 品名, 品番, 図番, 改訂, 尺度, 設計, 検図, 承認, 日付 in this order (the painting places them
    // by it); the projection is the third angle, drawn as its symbol beside them.
    std::vector<JisSheetTitleField> titleBlock;
    std::string footer; // the calculation file the sheet was made from, below the frame
    JisSheetFigureTexts figure;
    // The free length the figure's L0 dimension stands for, mm (NaN when not given).
    double freeLength = 0;
    std::string documentTitle;         // the PDF's title: the part name, or the design's caption
    std::string author;                // the PDF's author: the designer, may be empty
    std::vector<std::string> concerns; // the subject's
};

inline constexpr const char* kJisSheetHeading = "引張コイルばね 仕様書";

// The longest length the coil itself may be pulled to, mm: the recommended maximum load's
// extension from the design's own free length. The stored recommendation starts from the free
// length of round hooks ((N + 1)·d + 2·Di), which is too short for any other free length (a U
// hook's, or a round hook with its L0 entered); NaN when the rate or the load is missing.
double coilMaxLength(const SpringDesign& design);

// A tolerance "±…" to the decimals of the value it belongs to ("49.03" takes ±0.86, not
// ±0.8598), and never so few that its first two digits are lost ("45" with 0.8 takes ±0.8).
// Empty for a missing tolerance.
std::string toleranceText(long double tolerance, const std::string& valueText);

// The standard a material kind's wire is made to (JIS G 3521 hard-drawn steel wire, G 3522 piano
// wire, G 4314 stainless steel wire for springs); empty for other kinds.
std::string materialStandard(int kind);

// Every text of the sheet of `subject`. Nothing is calculated but the values in newtons and the
// diameters the record holds; a material index outside the library leaves the material empty.
// The hook type, the tolerance grade and the design basis of `coefficients` are named in `words`.
JisSheetTexts jisSheetTexts(const JisSheetSubject& subject, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const Wording& words);

// The figure's geometry: the free-state outline the shape view and the DXF file use, for the
// subject's hook type, turns and hand (a left-hand coil is the mirror image of a right-hand one
// along the axis). nullopt when the coil has no shape or its outline cannot be formed.
struct JisSheetFigure {
    Outline outline;
    double wireDiameter = 0;
    double meanDiameter = 0;
};
std::optional<JisSheetFigure> jisSheetFigure(const JisSheetSubject& subject);

} // namespace hspring
