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
    return font;
}

} // namespace hspring
