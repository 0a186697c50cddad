// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;

namespace hspring::input_picture {

// The picture behind the design inputs (Image5): an extension spring with a loop hook at each
// end, the dimension lines of the working length L2, the working length L1 and the free length,
// the coil diameter, and a small load-deflection sketch with the levels of P2, P1 and the
// initial tension. The main window places its fields on these anchors, so that every field
// stands where it labels the picture. All coordinates are pixels of the picture.

inline constexpr int kWidth = 360;
inline constexpr int kHeight = 200;

// The band at the top holds the selection lists; the drawing starts below it.
inline constexpr int kListBandHeight = 46;

// Every length is measured from the outer end of the left hook.
inline constexpr int kLeftEnd = 8;

// A horizontal dimension line: its row and the column of its right end.
struct Dimension {
    int y;
    int right;
};
inline constexpr Dimension kLength2{58, 232}; // the longest, on top
inline constexpr Dimension kLength1{84, 200};
inline constexpr Dimension kFreeLength{110, 168}; // the spring itself, hook end to hook end

// The spring in its free state.
inline constexpr int kSpringAxisY = 150;
inline constexpr int kCoilRadius = 14;
// The coil diameter's dimension crosses the coil here; its field sits right below the coil.
inline constexpr int kCoilDiameterX = 78;

// The load-deflection sketch: the load axis and the rows of the three load levels, each with
// its field left of the axis.
inline constexpr int kLoadAxisX = 310;
inline constexpr int kLoad2Y = 114;
inline constexpr int kLoad1Y = 144;
inline constexpr int kInitialTensionY = 174;

// Draws the whole picture onto a canvas of kWidth x kHeight pixels at the painter's origin.
void draw(QPainter& painter);

} // namespace hspring::input_picture
