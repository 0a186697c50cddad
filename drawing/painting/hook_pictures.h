// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QRect>
#include <QSize>

namespace hspring {

// The fixed pictures of the two hook pages: a round hook with its hook angle (Image3) and a U hook
// with its minimum bend radius, hook length and opening length (Image4). The page lays each
// parameter field over its picture at the place given here, and the picture's dimension marks
// lead to those places.
inline constexpr QSize kRoundHookPictureSize{128, 193};
inline constexpr QSize kUHookPictureSize{128, 209};

inline constexpr QRect kHookAngleFieldPlace{76, 2, 46, 20};
// The round hook's optional radii, below the picture's loop: the bend out of the coil r2 and the
// loop r1.
inline constexpr QRect kHookBendRadiusFieldPlace{76, 150, 46, 20};
inline constexpr QRect kHookLoopRadiusFieldPlace{76, 174, 46, 20};
inline constexpr QRect kHookLengthFieldPlace{76, 2, 46, 20};
inline constexpr QRect kMinRadiusFieldPlace{76, 40, 46, 20};
inline constexpr QRect kHookOpeningFieldPlace{76, 180, 46, 20};

// Each draws its picture with the top-left corner at the painter's origin.
void paintRoundHookPicture(QPainter& painter);
void paintUHookPicture(QPainter& painter);

} // namespace hspring
