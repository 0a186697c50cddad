// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace hspring::test {

// The first page of a PDF file as pixels, made by pdftoppm (poppler-utils).
struct PrintedPage {
    QImage image;
    int pageCount = 0;
    QString error; // why there is no image
};
PrintedPage rasterisePdf(const QString& pdfPath, int dpi);

// What the poppler tools see in a PDF file: its text (pdftotext -layout), its fonts and whether
// each is embedded (pdffonts), and its pictures (pdfimages -list).
struct PdfContents {
    QString text;
    QStringList fonts;         // the font names
    QStringList embeddedFonts; // the fonts marked embedded
    int imageCount = 0;        // pictures, their soft masks not counted
    QString error;             // why a tool failed
};
PdfContents inspectPdf(const QString& pdfPath);
// The text alone; empty when pdftotext failed.
QString pdfText(const QString& pdfPath);
// The document title in the PDF's information (pdfinfo); empty when there is none.
QString pdfTitle(const QString& pdfPath);

// The printable area of the A4 PDF pages that the printing routine writes, in pixels at `dpi`.
QRect a4PrintableArea(int dpi);

// The smallest rectangle holding every pixel that is not (nearly) white; empty for a blank image.
QRect inkBounds(const QImage& image);

} // namespace hspring::test
