// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    std::string fileName;
    TitleBlock titleBlock;
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
    std::vector<JisSheetTitleField> titleBlock;
    JisSheetFigureTexts figure;
    std::string documentTitle; // the PDF's title: the part name, or the design's caption
    std::string author;        // the PDF's author: the designer, may be empty
};

inline constexpr const char* kJisSheetHeading = "引張コイルばね 仕様書";

// Every text of the sheet of `subject`. Nothing is calculated but the values in newtons and the
// diameters the record holds; a material index outside the library leaves the material empty.
// The hook type and the tolerance grade are named in `words`.
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
