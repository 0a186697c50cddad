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
    return showDiagram(upper, lower, upper * hookStressFactor, lower * hookStressFactor);
}

int DiagramView::showDiagram(double upper, double lower, double hookUpper, double hookLower) {
    FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookUpper, hookLower);
    showPicture(std::move(picture.image), [upper, lower, hookUpper, hookLower](QPainter& painter) {
        drawFatigueDiagram(painter, upper, lower, hookUpper, hookLower, DiagramStrokes::Vectors);
    });
    return picture.overAreaNotices;
}

} // namespace hspring
