// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/fonts.h"

#include <QStringList>

namespace hspring {

namespace {
const QString kWindowFace = QStringLiteral("ＭＳ Ｐゴシック");
}

void installFontSubstitutes() {
    const QStringList metricTwins = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                     QStringLiteral("IPAGothic")};
    QFont::insertSubstitutions(kWindowFace, metricTwins);
}

QFont windowFont(int pixelSize) {
    QFont font(kWindowFace);
    font.setPixelSize(pixelSize);
    // Unhinted glyphs keep their design advances whatever hinting the desktop asks for, so the
    // fixed layout, the screen and the printed page measure every caption alike. Hinting would
    // also run the autohinter over each CJK glyph the window lays out, the largest part of the
    // time the window takes to appear.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace hspring
