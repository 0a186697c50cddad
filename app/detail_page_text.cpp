// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/detail_page_text.h"

#include "app/grid_text.h"
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/extra_results.h"
#include "calc/life.h"
#include "calc/spring_constants.h"
#include "calc/wording.h"

#include <cmath>
#include <optional>

namespace hspring {

namespace {

constexpr std::string_view kStressKgf = "kgf/mm^2";
constexpr std::string_view kStressSi = "N/mm^2";
constexpr std::string_view kCycles = "回";

std::string text(double value) {
    return formatF4(value);
}

// Whether a cell holds a unit rather than a value: the force and limit tables' third and fifth
// columns, the hook table's third.
bool isUnitCell(int table, std::size_t cell) {
    if (table == kDetailForceTable || table == kDetailLimitTable)
        return cell == 2 || cell == 4;
    return table == kDetailHookTable && cell == 2;
}

std::string lifeCell(std::optional<int> lifeClass, const Wording& words) {
    const std::string_view life = lifeClass ? words.lifeClass(*lifeClass) : std::string_view();
    return life.empty() ? std::string(kMissingValueText) : std::string(life);
}

// A stress beside its allowable stress, both in kgf/mm^2 and N/mm^2.
struct StressRow {
    std::string_view caption;
    double stress;
    double stressSi;
    double allowable;
    double allowableSi;
};

DetailRow stressRow(const StressRow& row) {
    const bool judged =
        std::isfinite(row.stress) && std::isfinite(row.allowable) && row.allowable > 0;
    // In extended precision, as a value that is shown and never stored.
    const std::string use =
        judged ? formatF4(static_cast<long double>(row.stress) * 100 / row.allowable)
               : std::string(kMissingValueText);
    return DetailRow{{std::string(row.caption), text(row.stress), text(row.stressSi),
                      text(row.allowable), text(row.allowableSi), use},
                     judged && row.stress > row.allowable};
}

DetailTable stressTable(const SpringDesign& design, const ExtraResults& x) {
    const SiResults& si = x.si;
    DetailTable table;
    table.columns = 6;
    table.headers = {{"項目", "応力", "", "許容応力", "", "使用率"},
                     {"単位", std::string(kStressKgf), std::string(kStressSi),
                      std::string(kStressKgf), std::string(kStressSi), "%"}};
    const double allowable = design.allowableStress;
    const double bendingAllowable = x.hookBendingAllowable;
    const double torsionAllowable = x.hookTorsionAllowable;
    for (const StressRow& row : {
             StressRow{"コイルねじり応力（荷重１）", design.stress1, si.stress1, allowable,
                       si.allowableStress},
             StressRow{"コイルねじり応力（荷重２）", design.stress2, si.stress2, allowable,
                       si.allowableStress},
             StressRow{"フック曲げ応力（荷重１）", x.hookBendingStress1, si.hookBendingStress1,
                       bendingAllowable, si.hookBendingAllowable},
             StressRow{"フック曲げ応力（荷重２）", x.hookBendingStress2, si.hookBendingStress2,
                       bendingAllowable, si.hookBendingAllowable},
             StressRow{"フックねじり応力（荷重１）", x.hookTorsionStress1, si.hookTorsionStress1,
                       torsionAllowable, si.hookTorsionAllowable},
             StressRow{"フックねじり応力（荷重２）", x.hookTorsionStress2, si.hookTorsionStress2,
                       torsionAllowable, si.hookTorsionAllowable},
         })
        table.rows.push_back(stressRow(row));
    return table;
}

DetailTable forceTable(const SpringDesign& design, const ExtraResults& x) {
    const SiResults& si = x.si;
    DetailTable table;
    table.columns = 5;
    table.headers = {{"項目", "重力単位", "", "SI単位", ""}};
    const auto row = [&table](std::string_view caption, double kgfValue, std::string_view kgfUnit,
                              double siValue, std::string_view siUnit) {
        table.rows.push_back(DetailRow{{std::string(caption), text(kgfValue), std::string(kgfUnit),
                                        text(siValue), std::string(siUnit)}});
    };
    row("バネ定数", design.springRate, "kgf/mm", si.springRate, "N/mm");
    row("初張力", design.initialTension, "kgf", si.initialTension, "N");
    row("荷重（Ｐ１）", design.load1, "kgf", si.load1, "N");
    row("荷重（Ｐ２）", design.load2, "kgf", si.load2, "N");
    row("最大荷重", design.maxLoad, "kgf", si.maxLoad, "N");
    row("蓄積エネルギー（１→２）", x.energy12, "kgf·mm", si.energy12, "N·mm");
    return table;
}

DetailTable hookTable(const SpringDesign& design, const ExtraResults& x, HookType hookType,
                      const Wording& words, DesignBasis basis) {
    DetailTable table;
    table.columns = 3;
    table.headers = {{"項目", "値", "単位"}};
    const auto row = [&table](std::string_view caption, std::string value, std::string_view unit) {
        table.rows.push_back(
            DetailRow{{std::string(caption), std::move(value), std::string(unit)}});
    };
    // The coil's life by the evaluation's class (the result field shows the spring's).
    const std::optional<int> coilLife = design.lifeClass;
    row("フック形状", std::string(words.hookType(hookType)), "");
    row("設計基準", std::string(words.designBasis(basis)), "");
    row("フック曲げ修正係数（Ｋ１）", text(x.hookBendingFactor), "");
    row("フックねじり修正係数（Ｋ２）", text(x.hookTorsionFactor), "");
    row("フック応力係数（上限）", text(x.hookCoefficients.upper), "");
    row("フック応力係数（下限）", text(x.hookCoefficients.lower), "");
    row("期待寿命（コイル）", lifeCell(coilLife, words), kCycles);
    row("期待寿命（フック）", lifeCell(x.hookLifeClass, words), kCycles);
    row("期待寿命（フック曲げ）", lifeCell(x.hookBendingLifeClass, words), kCycles);
    row("期待寿命（ばね）", lifeCell(x.springLifeClass, words), kCycles);
    row("固有振動数", text(x.naturalFrequency), "Hz");
    row("コイル部質量", text(x.bodyMass), "g");
    row("ばね質量", text(x.springMass), "g");
    row("素線長さ", text(x.wireLength), "mm");
    row("フック部素線長さ（１個）", text(x.hookWireLength), "mm");
    return table;
}

DetailTable limitTable(const SpringDesign& design, const ExtraResults& x, const Wording& words) {
    DetailTable table;
    table.columns = 5;
    table.headers = {{"限界", "重力単位", "", "SI単位", ""}};
    const auto row = [&table](std::string_view caption, std::string kgf, std::string_view kgfUnit,
                              std::string si, std::string_view siUnit) {
        table.rows.push_back(DetailRow{{std::string(caption), std::move(kgf), std::string(kgfUnit),
                                        std::move(si), std::string(siUnit)}});
    };
    const auto load = [&row](std::string_view caption, double kgf) {
        row(caption, text(kgf), "kgf", text(static_cast<double>(kgf * kGravity)), "N");
    };
    load("最大荷重（コイル）", design.maxLoad);
    load("最大荷重（フックねじり）", x.hookTorsionLimitLoad);
    load("最大荷重（フック曲げ）", x.hookBendingLimitLoad);
    load("最大荷重（フック含む）", x.maxLoadWithHooks);
    const std::string part = x.governingPart ? std::string(words.governingPart(*x.governingPart))
                                             : std::string(kMissingValueText);
    row("支配部位", part, "", part, "");
    row("最大長さ（フック含む）", text(x.maxLengthWithHooks), "mm", text(x.maxLengthWithHooks),
        "mm");
    return table;
}

DetailTable warningTable(const std::vector<HookCheck>& checks,
                         const std::vector<ToleranceBreach>& toleranceChecks,
                         const Wording& words) {
    DetailTable table;
    table.columns = 1;
    table.headers = {{"警告"}};
    for (const HookCheck& check : checks)
        table.rows.push_back(DetailRow{{std::string(words.hookProblem(check.problem))}, true});
    for (const ToleranceBreach& breach : toleranceChecks)
        table.rows.push_back(DetailRow{{words.toleranceBreach(breach)}, true});
    if (table.rows.empty())
        table.rows.push_back(DetailRow{{"なし"}});
    return table;
}

// The basis of the allowables and of the hook's bending life, in short.
DetailTable basisTable(DesignBasis basis) {
    DetailTable table;
    table.columns = 1;
    table.headers = {{"フック曲げ寿命の根拠"}};
    for (const char* line :
         {"σBの45%:1000万 47%:100万 51%:10万回", "(応力比0の最大応力、Goodman線)",
          "ピアノ線・SUS302 (Associated Spring)"})
        table.rows.push_back(DetailRow{{line}});
    if (basis == DesignBasis::Handbook)
        for (const char* line : {"設計基準 ハンドブック: 静的 σBの", "コイル45% フックねじり40%",
                                 "フック曲げ75% (ステンレス35/30/55%)"})
            table.rows.push_back(DetailRow{{line}});
    else
        for (const char* line :
             {"設計基準 JIS: フックは圧縮ばねの", "許容応力 (材料×圧縮ばね割合)"})
            table.rows.push_back(DetailRow{{line}});
    return table;
}

// Exchanges two columns of every header and value row.
void swapColumns(DetailTable& table, std::size_t first, std::size_t second) {
    for (std::vector<std::string>& cells : table.headers)
        std::swap(cells.at(first), cells.at(second));
    for (DetailRow& row : table.rows)
        std::swap(row.cells.at(first), row.cells.at(second));
}

std::string tableText(const DetailTable& table) {
    const int headerRows = static_cast<int>(table.headers.size());
    const int rowCount = headerRows + static_cast<int>(table.rows.size());
    const auto cell = [&table, headerRows](int row, int column) -> std::string {
        const std::vector<std::string>& cells =
            row < headerRows ? table.headers[std::size_t(row)]
                             : table.rows[std::size_t(row - headerRows)].cells;
        return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : std::string();
    };
    return gridText(rowCount, table.columns, cell, 0, 0, table.columns - 1, rowCount - 1);
}

} // namespace

DetailPageTexts detailPageTexts(const DesignResult& result, const Wording& words,
                                UnitSystem units) {
    const SpringDesign& design = result.design;
    const ExtraResults& x = result.extras;
    const HookType hookType = result.hookType;
    const DesignBasis basis = result.basis;
    DetailPageTexts texts;
    texts.tables[kDetailStressTable] = stressTable(design, x);
    texts.tables[kDetailForceTable] = forceTable(design, x);
    texts.tables[kDetailHookTable] = hookTable(design, x, hookType, words, basis);
    texts.tables[kDetailLimitTable] = limitTable(design, x, words);
    texts.tables[kDetailWarningTable] =
        warningTable(result.hookChecks, result.toleranceChecks, words);
    texts.tables[kDetailBasisTable] = basisTable(basis);
    if (units == UnitSystem::Si) {
        // The chosen units first: each stress's N/mm^2 before its kgf/mm^2, the SI pair of the
        // force and limit tables before the gravitational one.
        swapColumns(texts.tables[kDetailStressTable], 1, 2);
        swapColumns(texts.tables[kDetailStressTable], 3, 4);
        for (const int index : {kDetailForceTable, kDetailLimitTable}) {
            swapColumns(texts.tables[std::size_t(index)], 1, 3);
            swapColumns(texts.tables[std::size_t(index)], 2, 4);
        }
    }
    return texts;
}

DetailPageTexts withoutValues(DetailPageTexts texts) {
    for (const int index :
         {kDetailStressTable, kDetailForceTable, kDetailHookTable, kDetailLimitTable}) {
        for (DetailRow& row : texts.tables[std::size_t(index)].rows) {
            row.overLimit = false;
            for (std::size_t cell = 1; cell < row.cells.size(); ++cell)
                if (!row.cells[cell].empty() && !isUnitCell(index, cell))
                    row.cells[cell] = kMissingValueText;
        }
    }
    texts.tables[kDetailWarningTable].rows = {DetailRow{{std::string(kMissingValueText)}}};
    return texts;
}

std::string detailPageClipboardText(const DetailPageTexts& texts) {
    std::string text;
    for (const DetailTable& table : texts.tables) {
        if (!text.empty())
            text += "\r\n";
        text += tableText(table);
    }
    return text;
}

} // namespace hspring
