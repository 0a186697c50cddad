// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "drawing/windows/shape_page.h"

#include <QWidget>
#include <string>
#include <vector>

namespace hspring {

// The handler of the menu item "dxf出力": writes the free spring of `design` (not recalculated)
// with the hooks of the hook page shown, whose fields are read now. A hook field that is not a
// number, or a design whose geometry cannot be computed, raises its error before the save dialog
// opens. The dialog proposes `proposedName` (the main window: a name built from the design);
// cancelling it writes nothing. The file is replaced in one piece; a file that cannot be created
// raises fileCreateError and leaves any old file. `notes` stand below the drawing as texts.
void exportDxf(QWidget* parent, const SpringDesign& design, const ShapePage& page,
               const QString& proposedName = QStringLiteral("sspring1.dxf"),
               const std::vector<std::string>& notes = {});

} // namespace hspring
