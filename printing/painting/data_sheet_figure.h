// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QSize>

namespace hspring {

// The figure Image1 of the spring data sheet: on white, a blue line drawing of an extension
// spring with a loop hook at each end, the dimension arrows of the two working lengths and the
// free length, the coil diameter, and a small load–extension sketch with the two working loads.
// The sheet writes the values beside the figure as labels; the drawing leaves their places free
// and puts each arrow or load level just below its label.
inline constexpr QSize kDataSheetFigureSize{369, 209};

// Draws the figure with its top-left corner at the painter's origin.
void paintDataSheetFigure(QPainter& painter);

} // namespace hspring
