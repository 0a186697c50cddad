// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/windows/dxf_export.h"

#include "drawing/dxf_file.h"
#include "toolkit/windows/file_dialogs.h"

namespace hspring {

void exportDxf(QWidget* parent, const SpringDesign& design, const ShapePage& page,
               const QString& proposedName) {
    const CoilShape coil = coilShapeOf(design);
    const std::string bytes = page.roundHookPageActive()
                                  ? roundHookDxf(coil, page.hookAngleFromField())
                                  : uHookDxf(coil, page.uHookFromFields());
    const std::optional<std::string> path =
        askSaveFile(parent, QStringLiteral("dxf (*.dxf)"), proposedName, QStringLiteral("dxf"));
    if (path)
        writeDxfFile(*path, bytes);
}

} // namespace hspring
