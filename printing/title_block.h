// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace hspring {

// What the designer writes into the title block of the JIS sheet. Nothing here is invented: a
// field the designer left empty stays empty on the sheet. The calculation file's name is not one
// of these fields; the sheet takes it from the file that is open.
struct TitleBlock {
    std::string partName;         // 品名
    std::string partNumber;       // 品番
    std::string designer;         // 設計
    std::string date;             // 日付, as the designer writes it
    std::string revision;         // 改訂
    std::string surfaceTreatment; // 表面処理
    std::string remarks;          // 備考

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
inline constexpr std::array<TitleBlockField, 7> kTitleBlockFields = {{
    {"partName", "品名", &TitleBlock::partName},
    {"partNumber", "品番", &TitleBlock::partNumber},
    {"designer", "設計", &TitleBlock::designer},
    {"date", "日付", &TitleBlock::date},
    {"revision", "改訂", &TitleBlock::revision},
    {"surfaceTreatment", "表面処理", &TitleBlock::surfaceTreatment},
    {"remarks", "備考", &TitleBlock::remarks},
}};
// Where a field stands in kTitleBlockFields.
enum TitleBlockFieldIndex : std::size_t {
    kPartNameField,
    kPartNumberField,
    kDesignerField,
    kDateField,
    kRevisionField,
    kSurfaceTreatmentField,
    kRemarksField,
};

// The title block travels in a small JSON file beside its calculation file ("spring.hbd" keeps
// it in "spring.jis-sheet.json"). The calculation file stays the fixed byte image every copy of
// the program reads, and the block goes wherever the calculation file is copied with its folder,
// which settings kept per user and machine would not do.
std::string titleBlockPath(const std::string& calculationFile);

// The block as JSON, one member per field, UTF-8.
std::string titleBlockJson(const TitleBlock& block);

// The block of such a text. Members it does not know are skipped, so a newer file still reads.
// Throws Error (Data) for a text that is not such an object or a field that is not a string.
TitleBlock titleBlockFromJson(std::string_view text);

// The block kept beside `calculationFile`; an empty block when there is none. A file that exists
// but cannot be read or holds no title block throws its Error.
TitleBlock readTitleBlock(const std::string& calculationFile);

// Writes the block beside `calculationFile` in one piece; an empty block removes the file, so
// that no empty side file is left behind. Throws Error when the file cannot be written.
void writeTitleBlock(const std::string& calculationFile, const TitleBlock& block);

} // namespace hspring
