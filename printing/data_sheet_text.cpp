// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/data_sheet_text.h"

#include "base/number_format.h"
#include "calc/design_caption.h"
#include "calc/spring_constants.h"
#include "printing/jis_sheet_text.h"

namespace hspring {

namespace {

constexpr int kItemCount = kSheetRowCount - 1;

// Rows 1..16. The names and units begin with one space, as the sheet has always shown them.
struct Item {
    const char* name;
    const char* unit;
};
constexpr std::array<Item, kItemCount> kItems = {{
    {" 材質", ""},
    {" 材料の直径", " mm"},
    {" コイル平均径", " mm"},
    {" コイル外径", " mm"},
    {" 総巻数", ""},
    {" 有効巻数", ""},
    {" 巻方向", ""},
    {" 自由長さ", " mm"},
    {" 初張力", " N"},
    {" 指定長さ１", " mm"},
    {" 指定荷重１", " N"},
    {" 応力１", " N/mm^2"},
    {" 指定長さ２", " mm"},
    {" 指定荷重２", " N"},
    {" 応力２", " N/mm^2"},
    {" 最大引っ張り長さ", " mm"},
}};

// Loads and stresses on the sheet are in newtons. The table converts with the standard gravity;
// the figure's labels use the factor rounded to four digits, so a label may differ from the
// table in the last digit (50 kgf: 490.3 N in the table, 490.4 N beside the figure). The
// products are only shown, so they are formatted in extended precision, unrounded.
std::string tableNewtons(double kgf) {
    return formatF4(kgf * kGravity);
}

std::string labelNewtons(double kgf) {
    return formatF4(kgf * kSheetLabelGravity);
}

std::string materialText(const MaterialLibrary& library, int materialIndex) {
    const MaterialRecord* record = materialAt(library, materialIndex);
    return record ? shortStringText(record->gradeSymbol) : kUnknownMaterialText;
}

} // namespace

DataSheetTexts dataSheetTexts(const SpringDesign& design, const MaterialLibrary& library,
                              bool leftHanded) {
    const std::array<std::string, kItemCount> values = {
        materialText(library, design.materialIndex),
        formatF15(design.wireDiameter),
        formatF15(design.meanDiameter),
        formatF15(design.outerDiameter),
        formatF15(design.totalTurns),
        formatF15(design.activeTurns),
        leftHanded ? "左" : "右",
        formatF4(design.freeLength) + "mm",
        tableNewtons(design.initialTension),
        formatF4(design.length1),
        tableNewtons(design.load1),
        tableNewtons(design.stress1),
        formatF4(design.length2),
        tableNewtons(design.load2),
        tableNewtons(design.stress2),
        // From the design's own free length: the stored recommendation starts from the free
        // length of round hooks, which is short of the coil's reach for any other free length.
        formatF4(coilMaxLength(design)),
    };

    DataSheetTexts sheet;
    sheet.cells[0] = {"", " 項目", " 単位", ""};
    for (int item = 0; item < kItemCount; ++item)
        sheet.cells[item + 1] = {"    " + std::to_string(item + 1), kItems[item].name,
                                 kItems[item].unit, values[item]};

    sheet.labels = {
        "Ｌ２　= " + formatF4(design.length2) + "mm",
        "Ｌ１　= " + formatF4(design.length1) + "mm",
        "自由長= " + formatF4(design.freeLength) + "mm",
        "Ｐ２　= " + labelNewtons(design.load2) + "N",
        "Ｐ１　= " + labelNewtons(design.load1) + "N",
        "平均径　= " + formatF4(design.meanDiameter) + "mm",
    };
    sheet.title = "要目表 " + designCaption(design, library);
    sheet.fileStem = designFileStem(design, library);
    return sheet;
}

} // namespace hspring
