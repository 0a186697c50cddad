// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/jis_sheet_text.h"

#include <QPainter>
#include <QSize>
#include <optional>
#include <string>

namespace hspring {

// The JIS sheet is laid out in tenths of a millimetre on a 200 × 285 mm sheet, which fits the
// printable area of A4 with the program's page margins.
inline constexpr QSize kJisSheetSize{2000, 2850};

// Draws the sheet with its top-left corner at the painter's origin, one unit a tenth of a
// millimetre: the heading, the figure of the spring from its outline with its free length, outer
// diameter and hook dimensions, the items table and the title block. Lines and texts stay lines
// and text on any painter. Without a figure (a coil with no shape) the frame stays empty.
void paintJisSheet(QPainter& painter, const JisSheetTexts& texts,
                   const std::optional<JisSheetFigure>& figure);

// The sheet on the page a painter is open on (printer or PDF): scaled from tenths of a
// millimetre to the device's resolution, at the top-left corner of the printable area.
void printJisSheet(QPainter& pagePainter, const JisSheetTexts& texts,
                   const std::optional<JisSheetFigure>& figure);

// That page as a one-page A4 PDF written to `path` in one piece, titled with the sheet's document
// title and naming the designer as its author.
void writeJisSheetPdf(const std::string& path, const JisSheetTexts& texts,
                      const std::optional<JisSheetFigure>& figure);

} // namespace hspring
