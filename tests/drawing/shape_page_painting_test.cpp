// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/painting/hook_pictures.h"
#include "drawing/painting/shape_page_painting.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace hspring {
namespace {

QImage picture(QSize size, void (*paint)(QPainter&)) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    return image;
}

int countPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

ShapePagePicture examplePage(bool roundHooks) {
    ShapePagePicture page;
    page.roundHookPage = roundHooks;
    page.hookAngle = QStringLiteral("80");
    page.hookLength = QStringLiteral("10");
    page.hookOpening = QStringLiteral("3");
    page.minRadius = QStringLiteral("2");
    page.view = QImage(kShapeViewSize, QImage::Format_RGB32);
    page.view.fill(qRgb(0, 128, 0)); // stands out from everything else on the page
    return page;
}

// The page in front shows its own picture at the page's origin, the view stands at its place,
// and the state (round hooks only) is written in red beside its button.
TEST(ShapePagePainting, HookPageViewAndStateAtTheirPlaces) {
    for (const bool roundHooks : {true, false}) {
        ShapePagePicture page = examplePage(roundHooks);
        page.state = roundHooks ? 2 : 0;
        const QImage image = renderShapePage(page);
        ASSERT_EQ(image.size(), kShapePageSize);

        // The view, wholly, except where the state button and label stand over it.
        const QRect view(kShapeViewPlace, kShapeViewSize);
        const int green = countPixels(image, view, qRgb(0, 128, 0));
        const int viewArea = view.width() * view.height();
        EXPECT_EQ(countPixels(image, QRect(0, 0, 793, 230), qRgb(0, 128, 0)), green);
        if (roundHooks)
            EXPECT_LT(green, viewArea - kStateButtonPlace.width() * kStateButtonPlace.height());
        else
            EXPECT_EQ(green, viewArea);
        const QRect stateLabel(kStateLabelPlace, QSize(60, 16));
        EXPECT_EQ(countPixels(image, stateLabel, qRgb(255, 0, 0)) > 20, roundHooks);

        // A part of the hook picture away from the fields and their captions is the picture.
        const QImage hook = roundHooks ? picture(kRoundHookPictureSize, &paintRoundHookPicture)
                                       : picture(kUHookPictureSize, &paintUHookPicture);
        const QRect clear(0, 100, 70, 60);
        EXPECT_EQ(image.copy(clear.translated(kHookPageOrigin)), hook.copy(clear));
    }
}

TEST(ShapePagePainting, FieldsShowTheirTextsAndStatesTheirNames) {
    ShapePagePicture page = examplePage(true);
    const QRect field = kHookAngleFieldPlace.translated(kHookPageOrigin);
    const QImage eighty = renderShapePage(page);
    page.hookAngle = QStringLiteral("65");
    const QImage sixtyFive = renderShapePage(page);
    EXPECT_NE(eighty.copy(field), sixtyFive.copy(field));
    // Only the field changed.
    QImage masked = sixtyFive;
    QPainter painter(&masked);
    painter.drawImage(field.topLeft(), eighty.copy(field));
    painter.end();
    EXPECT_EQ(masked, eighty);

    EXPECT_EQ(shapeStateName(0), QStringLiteral("フリー"));
    EXPECT_EQ(shapeStateName(1), QStringLiteral("荷重１"));
    EXPECT_EQ(shapeStateName(2), QStringLiteral("荷重２"));
    EXPECT_TRUE(shapeStateName(3).isEmpty());
}

} // namespace
} // namespace hspring
