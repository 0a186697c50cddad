#include "app/windows/diagram_view.h"

#include "app/painting/fatigue_diagram.h"

#include <QPainter>

namespace hspring {

DiagramView::DiagramView(QWidget* parent)
    : QWidget(parent), image_(kFatigueDiagramWidth, kFatigueDiagramHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Image1"));
    setFixedSize(image_.size());
    image_.fill(Qt::white);
    // The picture covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int DiagramView::showDiagram(double upper, double lower, double hookStressFactor) {
    FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookStressFactor);
    image_ = std::move(picture.image);
    update();
    return picture.overAreaNotices;
}

void DiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

} // namespace hspring
