// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/jis_sheet_text.h"

#include "base/error.h"
#include "base/number_format.h"
#include "calc/design_caption.h"
#include "calc/extra_results.h"
#include "calc/spring_constants.h"
#include "calc/wording.h"
#include "data/short_string.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

std::string number(double value) {
    return formatF4(value);
}

// A limit that may be missing (no bending data, a rate of zero): "－" then, never a number.
std::string limitNumber(long double value) {
    return std::isfinite(value) ? formatF4(value) : std::string("－");
}

// Decimals after the point of a number as the sheet prints it ("49.03" → 2, "45" → 0).
int decimalsOf(const std::string& text) {
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    std::size_t end = point + 1;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return static_cast<int>(end - point - 1);
}

// The grade's symbol and the standard its wire is made to: "SWP-A（JIS G 3522）".
std::string materialText(const SpringDesign& design, const MaterialLibrary& library) {
    const MaterialRecord* record = materialAt(library, design.materialIndex);
    if (!record)
        return {};
    const std::string standard = materialStandard(record->kind);
    const std::string symbol = shortStringText(record->gradeSymbol);
    if (standard.empty() || symbol.empty())
        return symbol.empty() ? standard : symbol;
    return symbol + "（" + standard + "）";
}

void addHookRows(std::vector<JisSheetRow>& rows, const SpringDesign& design, HookType hookType,
                 const ExtraInputs& inputs, const Wording& words) {
    const std::string name(words.hookTypeOnSheet(hookType));
    if (hookType == HookType::Round) {
        rows.push_back({"フックの形状", "", name, ""});
        rows.push_back({"フック角度", "°", number(design.hookAngle), ""});
        // The radii the hook's stresses were calculated with, when the designer gave them: the
        // maker bends to them.
        if (std::isfinite(inputs.hookBendRadius))
            rows.push_back({"フックの曲げ半径（中心）", "mm", number(inputs.hookBendRadius), ""});
        if (std::isfinite(inputs.hookLoopRadius))
            rows.push_back({"フックの輪の半径（中心）", "mm", number(inputs.hookLoopRadius), ""});
        return;
    }
    rows.push_back({"フックの形状", "", name, ""});
    rows.push_back({"フックの長さ", "mm", number(design.hookLength), ""});
    rows.push_back({"フックの開き", "mm", number(design.hookOpening), ""});
    rows.push_back({"フックの最小曲げ半径", "mm", number(design.hookMinRadius), ""});
}

std::vector<std::string> hookFigureTexts(const SpringDesign& design, HookType hookType,
                                         const Wording& words) {
    const auto given = [](double value) { return std::isfinite(value); };
    const std::string name(words.hookTypeOnSheet(hookType));
    std::vector<std::string> texts;
    if (hookType == HookType::Round) {
        if (given(design.hookAngle))
            texts.push_back(name + "  フック角度 " + number(design.hookAngle) + "°");
        return texts;
    }
    texts.push_back(name);
    if (given(design.hookLength))
        texts.push_back("フック長さ " + number(design.hookLength));
    if (given(design.hookOpening))
        texts.push_back("開き " + number(design.hookOpening));
    if (given(design.hookMinRadius))
        texts.push_back("最小R " + number(design.hookMinRadius));
    return texts;
}

Outline mirroredAlongAxis(const Outline& outline) {
    // x → −x: a segment keeps its ends, an arc from a to b becomes one from 180 − b to 180 − a.
    Outline mirrored;
    mirrored.reserve(outline.size());
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            mirrored.push_back(DrawSegment{{-segment->first.x, segment->first.y},
                                           {-segment->second.x, segment->second.y}});
        } else {
            const DrawArc& arc = std::get<DrawArc>(primitive);
            mirrored.push_back(DrawArc{{-arc.centre.x, arc.centre.y},
                                       arc.radius,
                                       180 - arc.endAngle,
                                       180 - arc.startAngle});
        }
    }
    return mirrored;
}

} // namespace

double coilMaxLength(const SpringDesign& design) {
    const long double extension =
        (static_cast<long double>(design.maxLoad) - design.initialTension) / design.springRate;
    const long double length = extension + design.freeLength;
    return std::isfinite(length) && design.springRate > 0
               ? static_cast<double>(length)
               : std::numeric_limits<double>::quiet_NaN();
}

std::string toleranceText(long double tolerance, const std::string& valueText) {
    if (!std::isfinite(tolerance))
        return {};
    const long double size = std::fabs(tolerance);
    // The decimals that keep the tolerance's first two digits: 0.8598 needs 2, 0.15 needs 2.
    int keepTwoDigits = 0;
    if (size > 0)
        keepTwoDigits = std::max(0, 1 - static_cast<int>(std::floor(std::log10(size))));
    const int valueDecimals = decimalsOf(valueText);
    const int decimals = std::min(std::max(valueDecimals, keepTwoDigits), 15);
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(size),
                                       std::chars_format::fixed, decimals);
    std::string text(buffer, written.ptr);
    // Zeros beyond the value's own decimals say nothing.
    if (decimals > valueDecimals) {
        std::size_t keep = text.size();
        const std::size_t minimum =
            text.size() - static_cast<std::size_t>(decimals - valueDecimals);
        while (keep > minimum && text[keep - 1] == '0')
            --keep;
        if (keep > 0 && text[keep - 1] == '.')
            --keep;
        text.resize(keep);
    }
    return "±" + text;
}

std::string materialStandard(int kind) {
    switch (kind) {
    case kHardDrawnSteelKind:
        return "JIS G 3521";
    case kPianoWireKind:
        return "JIS G 3522";
    case kStainlessKind:
        return "JIS G 4314";
    default:
        return {};
    }
}

JisSheetTexts jisSheetTexts(const JisSheetSubject& subject, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const Wording& words) {
    const SpringDesign& design = subject.design;
    const ExtraResults extras =
        calculateExtraResults(design, library, coefficients, subject.hookType, subject.inputs);
    const SiResults& si = extras.si;
    const Tolerances tolerances = calculateTolerances(design, subject.toleranceGrade);
    // Loads specified with tolerances make the free length and the total turns reference values
    // (JIS B 2704-1): the maker adjusts them to meet the loads.
    const bool reference = std::isfinite(tolerances.load1) || std::isfinite(tolerances.load2);
    const TitleBlock& block = subject.titleBlock;

    JisSheetTexts sheet;
    sheet.heading = kJisSheetHeading;
    std::vector<JisSheetRow>& rows = sheet.rows;
    const auto add = [&rows](std::string item, std::string unit, std::string value,
                             long double tolerance =
                                 std::numeric_limits<long double>::quiet_NaN()) {
        std::string tolerated = toleranceText(tolerance, value);
        rows.push_back({std::move(item), std::move(unit), std::move(value), std::move(tolerated)});
    };
    const auto newtons = [](double kgf) { return static_cast<long double>(kgf) * kGravity; };
    const long double none = std::numeric_limits<long double>::quiet_NaN();
    add("材料", "", materialText(design, library));
    add("材料の直径", "mm", number(design.wireDiameter));
    add("コイル平均径", "mm", number(design.meanDiameter));
    add("コイル内径", "mm", number(design.innerDiameter));
    add("コイル外径", "mm", number(design.outerDiameter), tolerances.outerDiameter);
    add(reference ? "総巻数（参考）" : "総巻数", "", number(design.totalTurns));
    add("有効巻数", "", number(design.activeTurns));
    add("巻方向", "", subject.leftHanded ? "左" : "右");
    add(reference ? "自由長さ（参考）" : "自由長さ", "mm", number(design.freeLength),
        reference ? none : static_cast<long double>(tolerances.freeLength));
    add("ばね定数", "N/mm", number(si.springRate),
        subject.rateTolerance ? newtons(tolerances.springRate) : none);
    add("初張力", "N", number(si.initialTension));
    add("指定長さ１", "mm", number(design.length1));
    add("指定長さ１時の荷重", "N", number(si.load1), newtons(tolerances.load1));
    add("指定長さ１時の応力", "N/mm²", number(si.stress1));
    add("指定長さ２", "mm", number(design.length2));
    add("指定長さ２時の荷重", "N", number(si.load2), newtons(tolerances.load2));
    add("指定長さ２時の応力", "N/mm²", number(si.stress2));
    add("許容ねじり応力", "N/mm²", number(si.allowableStress));
    // What the allowables and so the limits below are taken from.
    add("設計基準", "", std::string(words.designBasis(designBasisOf(coefficients))));
    add("最大引張り長さ（コイル部）", "mm", limitNumber(coilMaxLength(design)));
    // The hooks usually reach their allowable stress before the coil does: the limits a maker
    // must respect are the smaller ones, hooks included.
    add("最大許容荷重（フック含む）", "N", limitNumber(extras.maxLoadWithHooks * kGravity));
    add("最大許容長さ（フック含む）", "mm", limitNumber(extras.maxLengthWithHooks));
    add("許容差の等級（JIS B 2704-3）", "",
        isToleranceGrade(subject.toleranceGrade) && subject.toleranceGrade > 0
            ? std::string(words.toleranceGrade(subject.toleranceGrade))
            : "指定なし");
    addHookRows(rows, design, subject.hookType, subject.inputs, words);
    add("フックの相対位置", "", block.hookPosition.empty() ? kHooksInOnePlane : block.hookPosition);
    add("低温焼なまし", "", design.lowTempAnnealed == 1 ? "有り" : "無し");
    for (const std::size_t field : {kSurfaceTreatmentField, kRemarksField})
        add(std::string(kTitleBlockFields[field].label), "",
            block.*kTitleBlockFields[field].member);

    // The title block as Japanese drawings lay it out: what the part is, then who answers for it.
    for (const std::size_t field :
         {kPartNameField, kPartNumberField, kDrawingNumberField, kRevisionField, kScaleField,
          kDesignerField, kCheckerField, kApproverField, kDateField}) {
        const std::string& value = block.*kTitleBlockFields[field].member;
        sheet.titleBlock.push_back({std::string(kTitleBlockFields[field].label),
                                    field == kScaleField && value.empty() ? kNotToScale : value});
    }
    if (!subject.fileName.empty())
        sheet.footer = "ファイル: " + subject.fileName;
    sheet.freeLength = design.freeLength;

    const auto finite = [](double value) { return std::isfinite(value); };
    if (finite(design.freeLength))
        sheet.figure.freeLength =
            "L0 = " + number(design.freeLength) + (reference ? "（参考）" : "");
    if (finite(design.outerDiameter))
        sheet.figure.outerDiameter = "Do = " + number(design.outerDiameter);
    sheet.figure.hook = hookFigureTexts(design, subject.hookType, words);

    sheet.documentTitle = block.partName.empty() ? designCaption(design, library) : block.partName;
    sheet.author = block.designer;
    sheet.concerns = subject.concerns;
    return sheet;
}

std::optional<JisSheetFigure> jisSheetFigure(const JisSheetSubject& subject) {
    const CoilShape coil = coilShapeOf(subject.design);
    if (!drawableCoil(coil))
        return std::nullopt;
    JisSheetFigure figure;
    figure.wireDiameter = coil.wireDiameter;
    figure.meanDiameter = coil.meanDiameter;
    try {
        const SpringDesign& d = subject.design;
        figure.outline = subject.hookType == HookType::Round
                             ? roundHookOutline(coil, d.hookAngle)
                             : uHookOutline(coil, {d.hookLength, d.hookOpening, d.hookMinRadius});
    } catch (const Error&) {
        // The sheet is still worth having without its figure; the figure is left out rather
        // than drawn from a broken outline.
        return std::nullopt;
    }
    if (subject.leftHanded)
        figure.outline = mirroredAlongAxis(figure.outline);
    return figure;
}

} // namespace hspring
