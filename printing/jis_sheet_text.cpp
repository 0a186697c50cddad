// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/jis_sheet_text.h"

#include "base/error.h"
#include "base/number_format.h"
#include "calc/design_caption.h"
#include "calc/extra_results.h"
#include "calc/spring_constants.h"
#include "calc/wording.h"
#include "data/short_string.h"

#include <cmath>

namespace hspring {

namespace {

std::string number(double value) {
    return formatF4(value);
}

// A limit that may be missing (no bending data, a rate of zero): "－" then, never a number.
std::string limitNumber(long double value) {
    return std::isfinite(value) ? formatF4(value) : std::string("－");
}

// "±0.3"; nothing where the grade's tables give no tolerance.
std::string plusMinus(long double value) {
    return std::isfinite(value) ? "±" + formatF4(value) : std::string();
}

// A tolerance in kgf (or kgf/mm) in newtons, by the same conversion as the values.
std::string plusMinusNewtons(double kgf) {
    return plusMinus(static_cast<long double>(kgf) * kGravity);
}

std::string gradeText(const SpringDesign& design, const MaterialLibrary& library) {
    const MaterialRecord* record = materialAt(library, design.materialIndex);
    return record ? shortStringText(record->gradeSymbol) : std::string();
}

// A design whose loads were entered has its lengths follow from them (lengthMode 0): the loads
// are what the maker must meet, and the free length is only given for reference. With the
// lengths entered the free length is a made dimension.
bool loadsSpecified(const SpringDesign& design) {
    return design.lengthMode == 0;
}

void addHookRows(std::vector<JisSheetRow>& rows, const SpringDesign& design, HookType hookType,
                 const Wording& words) {
    const std::string name(words.hookTypeOnSheet(hookType));
    if (hookType == HookType::Round) {
        rows.push_back({"フックの形状", "", name, ""});
        rows.push_back({"フック角度", "°", number(design.hookAngle), ""});
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

JisSheetTexts jisSheetTexts(const JisSheetSubject& subject, const MaterialLibrary& library,
                            const CoefficientSet& coefficients, const Wording& words) {
    const SpringDesign& design = subject.design;
    const ExtraResults extras =
        calculateExtraResults(design, library, coefficients, subject.hookType);
    const SiResults& si = extras.si;
    const bool reference = loadsSpecified(design);
    const Tolerances tolerances = calculateTolerances(design, subject.toleranceGrade);

    JisSheetTexts sheet;
    sheet.heading = kJisSheetHeading;
    std::vector<JisSheetRow>& rows = sheet.rows;
    rows = {
        {"材料", "", gradeText(design, library), ""},
        {"材料の直径", "mm", number(design.wireDiameter), ""},
        {"コイル平均径", "mm", number(design.meanDiameter), ""},
        {"コイル内径", "mm", number(design.innerDiameter), ""},
        {"コイル外径", "mm", number(design.outerDiameter), plusMinus(tolerances.outerDiameter)},
        {"総巻数", "", number(design.totalTurns), ""},
        {"巻方向", "", subject.leftHanded ? "左" : "右", ""},
        {reference ? "自由長さ（参考）" : "自由長さ", "mm", number(design.freeLength),
         reference ? std::string() : plusMinus(tolerances.freeLength)},
        {"ばね定数", "N/mm", number(si.springRate), plusMinusNewtons(tolerances.springRate)},
        {"初張力", "N", number(si.initialTension), ""},
        {"指定長さ１", "mm", number(design.length1), ""},
        {"指定長さ１時の荷重", "N", number(si.load1), plusMinusNewtons(tolerances.load1)},
        {"指定長さ１時の応力", "N/mm²", number(si.stress1), ""},
        {"指定長さ２", "mm", number(design.length2), ""},
        {"指定長さ２時の荷重", "N", number(si.load2), plusMinusNewtons(tolerances.load2)},
        {"指定長さ２時の応力", "N/mm²", number(si.stress2), ""},
        {"許容ねじり応力", "N/mm²", number(si.allowableStress), ""},
        {"最大引張り長さ（コイル部）", "mm", number(design.maxLength), ""},
        // The hooks usually reach their allowable stress before the coil does: the limits a
        // maker must respect are the smaller ones, hooks included.
        {"最大許容荷重（フック含む）", "N", limitNumber(extras.maxLoadWithHooks * kGravity), ""},
        {"最大許容長さ（フック含む）", "mm", limitNumber(extras.maxLengthWithHooks), ""},
    };
    rows.push_back({"許容差の等級（JIS B 2704-3）", "",
                    isToleranceGrade(subject.toleranceGrade) && subject.toleranceGrade > 0
                        ? std::string(words.toleranceGrade(subject.toleranceGrade))
                        : "指定なし",
                    ""});
    addHookRows(rows, design, subject.hookType, words);
    rows.push_back({"低温焼なまし", "", design.lowTempAnnealed == 1 ? "有り" : "無し", ""});
    const TitleBlock& block = subject.titleBlock;
    for (const std::size_t field : {kSurfaceTreatmentField, kRemarksField})
        rows.push_back({std::string(kTitleBlockFields[field].label), "",
                        block.*kTitleBlockFields[field].member, ""});

    for (const std::size_t field :
         {kPartNameField, kPartNumberField, kDesignerField, kDateField, kRevisionField})
        sheet.titleBlock.push_back(
            {std::string(kTitleBlockFields[field].label), block.*kTitleBlockFields[field].member});
    sheet.titleBlock.push_back({"ファイル", subject.fileName});

    const auto finite = [](double value) { return std::isfinite(value); };
    if (finite(design.freeLength))
        sheet.figure.freeLength =
            "L0 = " + number(design.freeLength) + (reference ? "（参考）" : "");
    if (finite(design.outerDiameter))
        sheet.figure.outerDiameter = "Do = " + number(design.outerDiameter);
    sheet.figure.hook = hookFigureTexts(design, subject.hookType, words);

    sheet.documentTitle = block.partName.empty() ? designCaption(design, library) : block.partName;
    sheet.author = block.designer;
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
