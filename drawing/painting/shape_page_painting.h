// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/painting/shape_view_painting.h"
#include "toolkit/painting/picture_files.h"

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <functional>

namespace hspring {

// The spring shape page, the tab "＜      バネ形状      ＞" of the main window, as one picture:
// at the left the two hook pages ("丸フック" with the hook angle, "Ｕフック" with the hook length,
// minimum radius and opening), the one in front showing its picture with the fields over it; at
// the right the spring view Image2, with the state button and the state label over it for round
// hooks. The window lays its controls out at the same places.
inline constexpr QSize kShapePageSize{793, 230};
inline constexpr QRect kHookPagesPlace{0, 0, 146, 230};
// Where the contents of a hook page start (inside the tabs and the page's frame).
inline constexpr QPoint kHookPageOrigin{2, 25};
inline constexpr QPoint kShapeViewPlace{150, 2};
inline constexpr QRect kStateButtonPlace{154, 6, 23, 23};
inline constexpr QPoint kStateLabelPlace{183, 9};

// The states the state button steps through: free, load 1, load 2.
inline constexpr int kShapeStateCount = 3;
QString shapeStateName(int state);

struct ShapePagePicture {
    bool roundHookPage = true;
    // The hook fields as they read.
    QString hookAngle;
    QString hookLength;
    QString hookOpening;
    QString minRadius;
    // The spring view as last drawn (kShapeViewSize); null before the first drawing.
    QImage view;
    // The same drawing made anew, for painters that keep lines as lines (SVG, PDF); when set it
    // is drawn instead of `view`.
    std::function<void(QPainter&)> paintView;
    int state = 0; // 0..kShapeStateCount - 1
};

// Draws the page with its top-left corner at the painter's origin, in page pixels.
void paintShapePage(QPainter& painter, const ShapePagePicture& page);

// The page as the layers paintShapePage draws in turn, each clipped to its frame: the window's
// ground with the hook pages' frames and tabs, the picture of the hook page in front and its
// fields, the spring view, the state button and label. An SVG file keeps each clip
// (writeSvgFile); the layers refer to `page`, which must outlive them.
std::vector<SvgLayer> shapePageLayers(const ShapePagePicture& page);

// The page as a kShapePageSize image.
QImage renderShapePage(const ShapePagePicture& page);

} // namespace hspring
