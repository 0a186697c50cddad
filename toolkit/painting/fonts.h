// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace hspring {

// The windows ask for "ＭＳ Ｐゴシック", which Linux does not have. IPA P Gothic is drawn to the
// same metrics, so mapping the face to it keeps Japanese text in real glyphs and the fixed layout
// fits.
void installFontSubstitutes();

// The face every window and picture asks for, at a pixel size, unhinted.
QFont windowFont(int pixelSize);

} // namespace hspring
