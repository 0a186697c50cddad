// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/detail_page_text.h"
#include "calc/design_result.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace hspring {
namespace {

using Cells = std::vector<std::string>;

// The worked example: piano wire (σB 1950 N/mm^2 at 1.0 mm, bending allowed at 70 %), d = 1,
// D = 10, N = 20, L0 = 39, L1 = 45, L2 = 55, a U hook's bend radius `radius`; the page after the
// calculation, as the window shows it.
DetailPageTexts workedExample(HookType hookType, double radius = 3, double hookFactor = 1.25,
                              int bendingColumn = 0) {
    MaterialLibrary library = test::referenceLibrary();
    library[0].tensileStrength[1] = 1950;
    library[0].bendingPercent = 70;
    library[0].allowableBending[0] = bendingColumn;
    CoefficientSet coefficients = test::referenceCoefficients();
    coefficients.hookStressFactor = hookFactor;
    SpringDesign design = test::referenceDesign();
    design.hookMinRadius = radius;
    if (hookFactor > 2) // from the free length on, so that the hook's life is the shorter
        design.length1 = design.freeLength;
    // The calculation refuses a U hook that cannot be drawn; the page still shows one read from a
    // file, calculated as it stands.
    InitialTensionRange range;
    calculateDesign(design, library, coefficients, range, {});
    const DesignResult done = evaluateCalculatedDesign(design, range, library, coefficients,
                                                       hookType, kDefaultToleranceGrade);
    return detailPageTexts(done, japaneseWording());
}

const DetailRow& row(const DetailPageTexts& texts, int table, std::string_view caption) {
    const auto& rows = texts.tables[std::size_t(table)].rows;
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const DetailRow& r) { return r.cells[0] == caption; });
    EXPECT_NE(found, rows.end()) << caption;
    return found == rows.end() ? rows.front() : *found;
}

std::string value(const DetailPageTexts& texts, int table, std::string_view caption) {
    return row(texts, table, caption).cells[1];
}

TEST(DetailPageText, WorkedExampleAndItsClipboardText) {
    const DetailPageTexts page = workedExample(HookType::Round);
    // Each stress in both units beside its allowable on the JIS basis (the hook's bending 111.4
    // and torsion 71.79, the compression spring's, the coil's torsion 57.43 kgf/mm^2) and its
    // use: 62.76 / 111.4 = 56.36 %.
    EXPECT_EQ(row(page, kDetailStressTable, "フック曲げ応力（荷重２）").cells,
              (Cells{"フック曲げ応力（荷重２）", "62.76", "615.4", "111.4", "1092", "56.36"}));
    EXPECT_EQ(row(page, kDetailStressTable, "フックねじり応力（荷重２）").cells,
              (Cells{"フックねじり応力（荷重２）", "35.48", "347.9", "71.79", "704", "49.42"}));
    EXPECT_FALSE(row(page, kDetailStressTable, "フックねじり応力（荷重２）").overLimit);
    EXPECT_EQ(row(page, kDetailForceTable, "蓄積エネルギー（１→２）").cells,
              (Cells{"蓄積エネルギー（１→２）", "8.644", "kgf·mm", "84.77", "N·mm"}));
    EXPECT_EQ(row(page, kDetailHookTable, "固有振動数").cells,
              (Cells{"固有振動数", "177.9", "Hz"}));
    EXPECT_EQ(value(page, kDetailHookTable, "フック形状"), "丸フック");
    EXPECT_EQ(value(page, kDetailHookTable, "フック曲げ修正係数（Ｋ１）"), "1.081");
    EXPECT_EQ(value(page, kDetailHookTable, "コイル部質量"), "3.874");
    EXPECT_EQ(value(page, kDetailHookTable, "期待寿命（ばね）"), "1000万");
    // The limits of the worked example (see the extra results' test for the hand calculation):
    // the coil allows the least.
    EXPECT_EQ(row(page, kDetailLimitTable, "最大荷重（フック含む）").cells,
              (Cells{"最大荷重（フック含む）", "1.969", "kgf", "19.31", "N"}));
    EXPECT_EQ(value(page, kDetailLimitTable, "最大荷重（コイル）"), "1.969");
    EXPECT_EQ(value(page, kDetailLimitTable, "支配部位"), "コイル");
    EXPECT_EQ(value(page, kDetailLimitTable, "最大長さ（フック含む）"), "72.08");
    EXPECT_EQ(value(page, kDetailHookTable, "設計基準"), "JIS");
    // No hook warning; the one warning is a condition of specifying the loads at grade 2, which
    // the page shows as the chart page does.
    EXPECT_EQ(page.tables[kDetailWarningTable].rows.size(), 1u);
    EXPECT_EQ(page.tables[kDetailWarningTable].rows[0].cells[0],
              "警告: Ｌ１のたわみが最大試験荷重時のたわみの20%未満です");

    // Before any calculation: every value missing, the captions and units kept.
    const DetailPageTexts empty = withoutValues(page);
    for (const int table :
         {kDetailStressTable, kDetailForceTable, kDetailHookTable, kDetailLimitTable})
        for (const DetailRow& r : empty.tables[std::size_t(table)].rows) {
            EXPECT_EQ(r.cells[1], "－") << r.cells[0];
            EXPECT_FALSE(r.overLimit);
        }
    EXPECT_EQ(row(empty, kDetailForceTable, "バネ定数").cells,
              (Cells{"バネ定数", "－", "kgf/mm", "－", "N/mm"}));

    // The clipboard: the tables one after the other with an empty line between them, TAB between
    // cells, CR LF after every row and no bare line feed.
    const std::string text = detailPageClipboardText(page);
    EXPECT_TRUE(text.starts_with("項目\t応力\t\t許容応力\t\t使用率\r\n"
                                 "単位\tkgf/mm^2\tN/mm^2\tkgf/mm^2\tN/mm^2\t%\r\n"
                                 "コイルねじり応力（荷重１）\t"));
    EXPECT_NE(text.find("\r\n\r\n項目\t重力単位\t\tSI単位\t\r\nバネ定数\t"), std::string::npos);
    EXPECT_NE(text.find("N·mm\r\n\r\n項目\t値\t単位\r\nフック形状\t丸フック\t\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nフック部素線長さ（１個）\t" +
                        value(page, kDetailHookTable, "フック部素線長さ（１個）") +
                        "\tmm\r\n\r\n限界\t"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n許容応力 (材料×圧縮ばね割合)\r\n"));
    std::size_t rows = page.tables.size() - 1;
    for (const DetailTable& table : page.tables)
        rows += table.headers.size() + table.rows.size();
    EXPECT_EQ(std::size_t(std::count(text.begin(), text.end(), '\n')), rows);
    EXPECT_EQ(std::size_t(std::count(text.begin(), text.end(), '\r')), rows);
}

TEST(DetailPageText, OverLimitAndMissingValues) {
    // A hook factor of 3: the hook's torsion at load 2 over the allowable, so no fatigue life.
    const DetailPageTexts harsh = workedExample(HookType::Round, 3, 3);
    const DetailRow& torsion2 = row(harsh, kDetailStressTable, "フックねじり応力（荷重２）");
    EXPECT_EQ(torsion2.cells[5], "118.6"); // 85.15 / 71.79
    EXPECT_TRUE(torsion2.overLimit);
    EXPECT_FALSE(row(harsh, kDetailStressTable, "フックねじり応力（荷重１）").overLimit);
    EXPECT_EQ(value(harsh, kDetailHookTable, "期待寿命（コイル）"), "1000万");
    EXPECT_EQ(value(harsh, kDetailHookTable, "期待寿命（フック）"), "1万以下");
    EXPECT_EQ(value(harsh, kDetailHookTable, "期待寿命（ばね）"), "1万以下");
    EXPECT_EQ(value(harsh, kDetailLimitTable, "支配部位"), "フックねじり");
    const std::vector<DetailRow>& warnings = harsh.tables[kDetailWarningTable].rows;
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings[0].cells[0], "警告:フックのねじり応力オーバー");
    EXPECT_TRUE(warnings[0].overLimit);
    // After the hook's one warning, only the load tolerance's conditions at grade 2.
    for (std::size_t i = 1; i < warnings.size(); ++i)
        EXPECT_TRUE(warnings[i].cells[0].starts_with("警告: Ｌ")) << warnings[i].cells[0];

    // A U hook without a bend radius: no torsion at the bend, no hook life, no wire length.
    const DetailPageTexts u = workedExample(HookType::U, 0);
    EXPECT_EQ(value(u, kDetailHookTable, "フック形状"), "Ｕフック");
    EXPECT_EQ(row(u, kDetailStressTable, "フックねじり応力（荷重２）").cells,
              (Cells{"フックねじり応力（荷重２）", "－", "－", "71.79", "704", "－"}));
    for (const char* caption :
         {"フックねじり修正係数（Ｋ２）", "期待寿命（フック）", "期待寿命（ばね）", "素線長さ"})
        EXPECT_EQ(value(u, kDetailHookTable, caption), "－") << caption;
    EXPECT_EQ(value(u, kDetailHookTable, "コイル部質量"), "3.874");

    // A bending column without a value at 1.0 mm: the stresses stay, their use is unknown.
    EXPECT_EQ(row(workedExample(HookType::Round, 3, 1.25, 1200), kDetailStressTable,
                  "フック曲げ応力（荷重１）")
                  .cells,
              (Cells{"フック曲げ応力（荷重１）", "34.59", "339.2", "－", "－", "－"}));
}

} // namespace
} // namespace hspring
