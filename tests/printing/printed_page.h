#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace hspring::test {

// The first page of a PDF file as pixels, made by pdftoppm (poppler-utils).
struct PrintedPage {
    QImage image;
    int pageCount = 0;
    QString error; // why there is no image
};
PrintedPage rasterisePdf(const QString& pdfPath, int dpi);

// The printable area of the A4 PDF pages that the printing routine writes, in pixels at `dpi`.
QRect a4PrintableArea(int dpi);

// The smallest rectangle holding every pixel that is not (nearly) white; empty for a blank image.
QRect inkBounds(const QImage& image);

} // namespace hspring::test
