// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/painting/shape_page_painting.h"

#include "drawing/painting/hook_pictures.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainterPath>

namespace hspring {

namespace {

// The colours of the page, as the desktop style paints the window's controls.
const QColor kWindowColour(239, 239, 239);
const QColor kOutline(171, 171, 171);
const QColor kBackTabOutline(188, 188, 188);
const QColor kBackTab(232, 232, 232);
const QColor kPageColour(251, 251, 251);
const QColor kFieldShadow(237, 237, 237);

constexpr int kTabBarHeight = 23; // the page's frame starts below the tabs
constexpr int kTabRadius = 2;
constexpr int kFieldRadius = 2;
constexpr int kFieldTextIndent = 3;
constexpr int kCaptionLeft = 4;
constexpr int kCaptionDrop = 3;
constexpr int kTextPixels = 12;

// A rectangle whose outline falls on the edge pixels of `rect`, rounded at the top corners only
// (tabs) or at all four.
QPainterPath roundedOutline(const QRect& rect, int radius, bool bottomRounded) {
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    if (bottomRounded) {
        path.addRoundedRect(r, radius, radius);
        return path;
    }
    path.moveTo(r.bottomLeft());
    path.lineTo(r.left(), r.top() + radius);
    path.quadTo(r.topLeft(), QPointF(r.left() + radius, r.top()));
    path.lineTo(r.right() - radius, r.top());
    path.quadTo(r.topRight(), QPointF(r.right(), r.top() + radius));
    path.lineTo(r.bottomRight());
    return path;
}

void paintTab(QPainter& painter, const QRect& tab, const QString& title, bool front) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath outline = roundedOutline(tab, kTabRadius, false);
    if (front) {
        QLinearGradient fill(tab.topLeft(), tab.bottomLeft());
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, kPageColour);
        painter.fillPath(outline, fill);
    } else {
        painter.fillPath(outline, kBackTab);
    }
    painter.setPen(front ? kOutline : kBackTabOutline);
    painter.drawPath(outline);
    painter.restore();
    if (!front) {
        // A light edge inside the outline, and a shade where the tab meets the page.
        const QColor edge(235, 235, 235);
        painter.fillRect(QRect(tab.left() + 2, tab.top() + 1, tab.width() - 4, 1), edge);
        painter.fillRect(QRect(tab.left() + 1, tab.top() + 2, 1, tab.height() - 2), edge);
        painter.fillRect(QRect(tab.right() - 1, tab.top() + 2, 1, tab.height() - 2), edge);
        painter.fillRect(QRect(tab.left() + 2, tab.bottom() - 1, tab.width() - 4, 1),
                         QColor(229, 229, 229));
        painter.fillRect(QRect(tab.left() + 2, tab.bottom(), tab.width() - 4, 1),
                         QColor(225, 225, 225));
    }
    painter.setPen(Qt::black);
    painter.drawText(tab.adjusted(0, 1, 0, 0), Qt::AlignCenter, title);
}

void paintCaption(QPainter& painter, QPoint place, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(QRect(place, QSize(200, 20)), Qt::AlignLeft | Qt::AlignTop, text);
}

// A parameter field: white with a rounded outline, the text at its left, centred in height.
void paintField(QPainter& painter, const QRect& place, const QString& text) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath outline = roundedOutline(place, kFieldRadius, true);
    painter.fillPath(outline, Qt::white);
    painter.setPen(kOutline);
    painter.drawPath(outline);
    painter.restore();
    painter.fillRect(QRect(place.left() + 2, place.top() + 1, place.width() - 4, 1), kFieldShadow);
    painter.setPen(Qt::black);
    painter.drawText(place.adjusted(kFieldTextIndent, 1, -kFieldTextIndent, 1),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
}

// The captions and fields of the hook page in front, over its picture, in page coordinates.
void paintHookPage(QPainter& painter, const ShapePagePicture& page) {
    if (page.roundHookPage) {
        paintCaption(painter, QPoint(kCaptionLeft, kHookAngleFieldPlace.top() + kCaptionDrop),
                     QStringLiteral("フック角度"));
        paintField(painter, kHookAngleFieldPlace, page.hookAngle);
        paintCaption(painter, kHookAngleFieldPlace.bottomLeft() + QPoint(0, 3),
                     QStringLiteral("(60～90)"));
        return;
    }
    const struct {
        const char* caption;
        QRect place;
        const QString& text;
    } fields[] = {{"フック長さ", kHookLengthFieldPlace, page.hookLength},
                  {"最小Ｒ", kMinRadiusFieldPlace, page.minRadius},
                  {"開口長さ", kHookOpeningFieldPlace, page.hookOpening}};
    for (const auto& field : fields) {
        paintCaption(painter, QPoint(kCaptionLeft, field.place.top() + kCaptionDrop),
                     QString::fromUtf8(field.caption));
        paintField(painter, field.place, field.text);
    }
}

void paintHookPages(QPainter& painter, const ShapePagePicture& page) {
    const QFont font = windowFont(kTextPixels);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QString titles[] = {utf8Text(hookTypeText(HookType::Round)),
                              utf8Text(hookTypeText(HookType::U))};
    // The tabs are as wide as their titles with a margin; the one in front stands 2 pixels
    // higher and opens into its page.
    QRect tabs[2];
    int left = 0;
    for (int i = 0; i < 2; ++i) {
        const int width = metrics.horizontalAdvance(titles[i]) + 25;
        tabs[i] = QRect(left, 0, width, kTabBarHeight + 2);
        left += width - 1;
    }
    const int front = page.roundHookPage ? 0 : 1;
    paintTab(painter, tabs[1 - front].adjusted(0, 2, 0, -1), titles[1 - front], false);

    const QRect frame(kHookPagesPlace.left(), kTabBarHeight, kHookPagesPlace.width(),
                      kHookPagesPlace.height() - kTabBarHeight - 1);
    painter.fillRect(frame, kOutline);
    painter.fillRect(frame.adjusted(1, 1, -1, -1), kPageColour);
    painter.fillRect(QRect(frame.left(), frame.bottom() + 1, frame.width(), 1),
                     QColor(225, 225, 225));
    paintTab(painter, tabs[front], titles[front], true);
    painter.fillRect(QRect(tabs[front].left() + 1, kTabBarHeight, tabs[front].width() - 2, 1),
                     kPageColour);
}

// Inside the frame of the hook page in front: its picture and fields are clipped here.
QRect hookPageContents() {
    return QRect(kHookPageOrigin, QPoint(kHookPagesPlace.left() + kHookPagesPlace.width() - 2,
                                         kHookPagesPlace.height() - 3));
}

// The state button with its triangle, and the state's name in bold red beside it.
void paintState(QPainter& painter, int state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath outline = roundedOutline(kStateButtonPlace, kFieldRadius, true);
    QLinearGradient fill(kStateButtonPlace.topLeft(), kStateButtonPlace.bottomLeft());
    fill.setColorAt(0, QColor(253, 253, 253));
    fill.setColorAt(1, QColor(237, 237, 237));
    painter.fillPath(outline, fill);
    painter.setPen(kOutline);
    painter.drawPath(outline);
    painter.restore();
    painter.setFont(windowFont(kTextPixels));
    painter.setPen(Qt::black);
    painter.drawText(kStateButtonPlace, Qt::AlignCenter, QStringLiteral("▲"));

    QFont bold = windowFont(13);
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::red);
    painter.drawText(QRect(kStateLabelPlace, QSize(200, 20)), Qt::AlignLeft | Qt::AlignTop,
                     shapeStateName(state));
}

} // namespace

QString shapeStateName(int state) {
    static const std::array<QString, kShapeStateCount> names{
        QStringLiteral("フリー"), QStringLiteral("荷重１"), QStringLiteral("荷重２")};
    return state >= 0 && state < kShapeStateCount ? names[static_cast<std::size_t>(state)]
                                                  : QString();
}

std::vector<SvgLayer> shapePageLayers(const ShapePagePicture& page) {
    const QRect whole(QPoint(0, 0), kShapePageSize);
    std::vector<SvgLayer> layers;
    layers.push_back({whole, [&page, whole](QPainter& painter) {
                          painter.fillRect(whole, kWindowColour);
                          paintHookPages(painter, page);
                      }});
    // The hook picture clips itself to its own frame within the page's.
    const QSize picture = page.roundHookPage ? kRoundHookPictureSize : kUHookPictureSize;
    layers.push_back({hookPageContents().intersected(QRect(kHookPageOrigin, picture)),
                      [&page](QPainter& painter) {
                          painter.translate(kHookPageOrigin);
                          if (page.roundHookPage)
                              paintRoundHookPicture(painter);
                          else
                              paintUHookPicture(painter);
                      }});
    layers.push_back({hookPageContents(), [&page](QPainter& painter) {
                          painter.setFont(windowFont(kTextPixels));
                          painter.translate(kHookPageOrigin);
                          paintHookPage(painter, page);
                      }});
    const QRect view(kShapeViewPlace, kShapeViewSize);
    if (page.paintView)
        layers.push_back({view, [&page](QPainter& painter) {
                              painter.translate(kShapeViewPlace);
                              page.paintView(painter);
                          }});
    else if (!page.view.isNull())
        layers.push_back(
            {view, [&page, view](QPainter& painter) { painter.drawImage(view, page.view); }});
    if (page.roundHookPage)
        layers.push_back({whole, [&page](QPainter& painter) { paintState(painter, page.state); }});
    return layers;
}

void paintShapePage(QPainter& painter, const ShapePagePicture& page) {
    for (const SvgLayer& layer : shapePageLayers(page)) {
        painter.save();
        painter.setClipRect(layer.clip);
        layer.paint(painter);
        painter.restore();
    }
}

QImage renderShapePage(const ShapePagePicture& page) {
    QImage image(kShapePageSize, QImage::Format_RGB32);
    QPainter painter(&image);
    paintShapePage(painter, page);
    painter.end();
    return image;
}

} // namespace hspring
