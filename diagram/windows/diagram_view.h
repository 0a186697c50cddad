// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/windows/picture_view.h"

namespace hspring {

// Image1 of the group "疲れ強さ線図": the fatigue-strength diagram as a 400 × 417 picture. The
// picture is kept, not redrawn on demand, so that the clipboard copy and the window print get
// exactly the diagram last shown (a printer or an SVG file gets that same diagram drawn at its
// own resolution). Until the first showDiagram it is white.
class DiagramView : public PictureView {
    Q_OBJECT

public:
    explicit DiagramView(QWidget* parent = nullptr);

    // Redraws the picture for the coil point (upper, lower: τ2/σB, τ1/σB) and the hook point
    // (both × hookStressFactor). Returns how many graphAreaOverNotice() lines the caller appends
    // to its message list (0, 1 or 2).
    int showDiagram(double upper, double lower, double hookStressFactor);
    // The same with the hook's own point (τB2/σB, τB1/σB).
    int showDiagram(double upper, double lower, double hookUpper, double hookLower);
};

} // namespace hspring
