// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/windows/diagram_view.h"

#include "diagram/painting/fatigue_diagram.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

namespace hspring {

DiagramView::DiagramView(QWidget* parent)
    : PictureView({kFatigueDiagramWidth, kFatigueDiagramHeight}, QStringLiteral("hspring-diagram"),
                  utf8Text(kFatigueDiagramTitle), parent) {
    setObjectName(QStringLiteral("Image1"));
}

int DiagramView::showDiagram(double upper, double lower, double hookStressFactor) {
    FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookStressFactor);
    showPicture(std::move(picture.image), [upper, lower, hookStressFactor](QPainter& painter) {
        drawFatigueDiagram(painter, upper, lower, hookStressFactor, DiagramStrokes::Vectors);
    });
    return picture.overAreaNotices;
}

} // namespace hspring
