// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/tolerances.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace hspring {

// What the designer writes into the title block of the JIS sheet. Nothing here is invented: a
// field the designer left empty stays empty on the sheet. The calculation file's name is not one
// of these fields; the sheet takes it from the file that is open.
struct TitleBlock {
    std::string partName;         // 品名
    std::string partNumber;       // 品番
    std::string drawingNumber;    // 図番
    std::string designer;         // 設計
    std::string checker;          // 検図
    std::string approver;         // 承認
    std::string date;             // 日付, as the designer writes it
    std::string revision;         // 改訂
    std::string scale;            // 尺度; empty is "not to scale" (kNotToScale)
    std::string surfaceTreatment; // 表面処理
    std::string remarks;          // 備考
    // How the two hooks stand to each other (kHooksInOnePlane, "90°", another angle). The
    // standard leaves it to agreement between buyer and maker, so the sheet always states it;
    // empty is the usual in-line position.
    std::string hookPosition;
    // Not a field of the block but the calculation file's other side datum: the design basis the
    // file was calculated on, "handbook" or empty for JIS (designBasisName), which older side
    // files and calculation files without one mean.
    std::string designBasis;
    // The round hook's radii typed on the shape page, which the calculation file's fixed record
    // has no place for: the centre-line radius r2 of the bend out of the coil and r1 of the loop,
    // mm; nullopt when not given (older side files).
    std::optional<double> hookBendRadius;
    std::optional<double> hookLoopRadius;
    // Of the design too: its production tolerance grade (0 for none), the one the chart page,
    // the warnings and the sheet judge it by, and whether the sheet gives the rate a tolerance,
    // which the standard leaves to a special request. Older side files mean grade 2 and no rate
    // tolerance.
    int toleranceGrade = kDefaultToleranceGrade;
    bool rateTolerance = false;

    // Whether nothing differs from a block never filled in (no side file needed).
    bool empty() const;
    friend bool operator==(const TitleBlock&, const TitleBlock&) = default;
};

// The fields of the block, each once: its JSON key (also the object name of its field in the
// sheet's window), its label on the sheet and in the window, and where it is kept; in the order
// they stand, remarks last.
struct TitleBlockField {
    std::string_view key;
    std::string_view label;
    std::string TitleBlock::*member;
};
inline constexpr std::array<TitleBlockField, 11> kTitleBlockFields = {{
    {"partName", "品名", &TitleBlock::partName},
    {"partNumber", "品番", &TitleBlock::partNumber},
    {"drawingNumber", "図番", &TitleBlock::drawingNumber},
    {"designer", "設計", &TitleBlock::designer},
    {"checker", "検図", &TitleBlock::checker},
    {"approver", "承認", &TitleBlock::approver},
    {"date", "日付", &TitleBlock::date},
    {"revision", "改訂", &TitleBlock::revision},
    {"scale", "尺度", &TitleBlock::scale},
    {"surfaceTreatment", "表面処理", &TitleBlock::surfaceTreatment},
    {"remarks", "備考", &TitleBlock::remarks},
}};
// Where a field stands in kTitleBlockFields.
enum TitleBlockFieldIndex : std::size_t {
    kPartNameField,
    kPartNumberField,
    kDrawingNumberField,
    kDesignerField,
    kCheckerField,
    kApproverField,
    kDateField,
    kRevisionField,
    kScaleField,
    kSurfaceTreatmentField,
    kRemarksField,
};

// The title block travels in a small JSON file beside its calculation file ("spring.hbd" keeps
// it in "spring.jis-sheet.json"). The calculation file stays the fixed byte image every copy of
// the program reads, and the block goes wherever the calculation file is copied with its folder,
// which settings kept per user and machine would not do.
std::string titleBlockPath(const std::string& calculationFile);

// What the sheet states for a field the designer left empty. A spring figure is drawn to fit its
// frame, so it is not to scale unless the designer says otherwise (JIS B 0001: a drawing not to
// scale says so in its scale box).
inline constexpr const char* kNotToScale = "非比例";
inline constexpr const char* kHooksInOnePlane = "同一平面";

// The block as JSON, one member per text field, then each radius given as a number, UTF-8.
std::string titleBlockJson(const TitleBlock& block);

// The block of such a text. Members it does not know are skipped, so a newer file still reads.
// Throws Error (Data) for a text that is not such an object, a field that is not a string, a
// grade that is not one of 0..3, a rate tolerance that is not true or false or a radius that is
// neither a positive number nor null.
TitleBlock titleBlockFromJson(std::string_view text);

// The block kept beside `calculationFile`; an empty block when there is none. A file that exists
// but cannot be read or holds no title block throws its Error.
TitleBlock readTitleBlock(const std::string& calculationFile);

// Writes the block beside `calculationFile` in one piece; an empty block removes the file, so
// that no empty side file is left behind. Throws Error when the file cannot be written.
void writeTitleBlock(const std::string& calculationFile, const TitleBlock& block);

} // namespace hspring
