// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/windows/dxf_export.h"

#include "drawing/dxf_file.h"
#include "toolkit/windows/file_dialogs.h"

namespace hspring {

void exportDxf(QWidget* parent, const SpringDesign& design, const ShapePage& page,
               const QString& proposedName, const std::vector<std::string>& notes) {
    const CoilShape coil = coilShapeOf(design);
    const std::string bytes =
        dxfFileBytes(page.roundHookPageActive() ? roundHookOutline(coil, page.hookAngleFromField())
                                                : uHookOutline(coil, page.uHookFromFields()),
                     notes);
    const std::optional<std::string> path =
        askSaveFile(parent, QStringLiteral("dxf (*.dxf)"), proposedName, QStringLiteral("dxf"));
    if (path)
        writeDxfFile(*path, bytes);
}

} // namespace hspring
