// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/painting/detail_page_painting.h"
#include "calc/design_result.h"
#include "tests/support/test_materials.h"
#include "toolkit/painting/fonts.h"
#include "wording/japanese.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace hspring {
namespace {

bool hasBlueInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 100 && c.green() < 100)
                return true;
        }
    return false;
}

// The page fits the lower page control left of its buttons: every text fits its cell (a header
// across the empty header cells after it) in the program's font, and the tables stay apart.
// Over-limit rows are drawn in blue, the others not.
TEST(DetailPagePainting, TextsFitTheirCellsAndOverLimitRowsAreBlue) {
    CoefficientSet coefficients = test::referenceCoefficients();
    coefficients.hookStressFactor = 3; // the hook's torsion at load 2 over the allowable
    const MaterialLibrary library = test::referenceLibrary();
    const DesignResult done =
        evaluateDesign(test::referenceDesign(), library, coefficients, HookType::Round);
    const DetailPageTexts texts = detailPageTexts(done, japaneseWording());
    QImage page(kDetailPageSize, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paintDetailPage(painter, texts);
    painter.end();

    const QFontMetrics metrics(windowFont(kDetailPageFontPixels));
    const QRect area(0, 0, kDetailPageButtonsLeft - 4, kDetailPageSize.height());
    std::array<QRect, kDetailTableCount> bounds;
    int overRows = 0;
    for (int t = 0; t < kDetailTableCount; ++t) {
        const DetailTable& table = texts.tables[std::size_t(t)];
        const int headerRows = int(table.headers.size());
        for (int row = 0; row < headerRows + int(table.rows.size()); ++row) {
            const bool header = row < headerRows;
            const DetailRow* values = header ? nullptr : &table.rows[std::size_t(row - headerRows)];
            const auto& cells = header ? table.headers[std::size_t(row)] : values->cells;
            overRows += values && values->overLimit;
            for (int column = 0; column < table.columns; ++column) {
                const QRect cell = detailPageCellRect(texts, t, row, column);
                EXPECT_TRUE(!cell.isEmpty() && area.contains(cell)) << t << row << column;
                bounds[std::size_t(t)] |= cell;
                int width = cell.width();
                for (int next = column + 1;
                     header && next < table.columns && cells[std::size_t(next)].empty(); ++next)
                    width += detailPageCellRect(texts, t, row, next).width() + 1;
                const QString text = QString::fromStdString(cells[std::size_t(column)]);
                EXPECT_LE(metrics.horizontalAdvance(text) + 4, width) << cells[std::size_t(column)];
                if (values && !text.isEmpty()) {
                    EXPECT_EQ(hasBlueInk(page, cell), values->overLimit) << values->cells[0];
                }
            }
        }
    }
    EXPECT_EQ(overRows, 2); // the hook's torsion at load 2, and its warning
    for (int a = 0; a < kDetailTableCount; ++a)
        for (int b = a + 1; b < kDetailTableCount; ++b)
            EXPECT_FALSE(bounds[std::size_t(a)].intersects(bounds[std::size_t(b)]));
}

} // namespace
} // namespace hspring
