// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/jis_sheet_text.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QSize>
#include <optional>
#include <string>

namespace hspring {

// The JIS sheet is laid out in tenths of a millimetre on a 200 × 285 mm sheet, which fits the
// printable area of A4 with the program's page margins.
inline constexpr QSize kJisSheetSize{2000, 2850};

// The figure's mark where its outline cannot be drawn to the stated free length.
inline constexpr const char* kFigureForReference = "図は参考";

// How far the figure may be drawn longer or shorter along the axis than its outline, so that the
// distance between the hooks' inner sides is the stated free length. The sheet is not to scale,
// and a few per cent keep the coil's look; beyond it the figure is marked for reference only.
inline constexpr double kMaxFigureStretch = 0.1;

// The outline's extremes in millimetres, and the heights at which it reaches its left and right.
struct FigureExtent {
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
    double yAtMinX = 0;
    double yAtMaxX = 0;
};

// Millimetres of the model (y up) to sheet units (y down): `scale` across the axis, `scaleX`
// along it (the same but for the stretch).
struct FigureMap {
    double scale = 1;
    double scaleX = 1;
    double left = 0;
    double top = 0;
    FigureExtent extent;
    QPointF operator()(double x, double y) const {
        return {left + (x - extent.minX) * scaleX, top + (extent.maxY - y) * scale};
    }
    QPointF operator()(DrawPoint p) const { return (*this)(p.x, p.y); }
};

// Where the figure stands on the sheet: its map, the hooks' inner sides the free length is
// measured between, and the top and bottom of the coil's wire the outer diameter is measured
// between (sheet units); forReference when the outline could not be brought to the free length.
struct FigurePlacement {
    FigureMap map;
    QPointF innerLeft;
    QPointF innerRight;
    QPointF coilTop;
    QPointF coilBottom;
    bool forReference = false;
};
// nullopt for an outline with no extent. `freeLength` NaN leaves the outline as it is.
std::optional<FigurePlacement> placeJisSheetFigure(const JisSheetFigure& figure, double freeLength);

// The outline as the sheet draws it.
QPainterPath jisSheetOutlinePath(const Outline& outline, const FigureMap& map);

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
