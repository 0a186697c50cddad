// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/printed_page.h"

#include <QDir>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace hspring::test {

namespace {

// Runs a poppler tool; returns its standard output, or an empty string with `error` set.
QByteArray runTool(const QString& tool, const QStringList& arguments, QString& error) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        error = tool + QStringLiteral(" not found (package poppler-utils)");
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        error = tool + QStringLiteral(" failed: ") +
                QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
}

} // namespace

PrintedPage rasterisePdf(const QString& pdfPath, int dpi) {
    PrintedPage page;
    const QByteArray info = runTool(QStringLiteral("pdfinfo"), {pdfPath}, page.error);
    if (!page.error.isEmpty())
        return page;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info));
    page.pageCount = pages.hasMatch() ? pages.captured(1).toInt() : 0;

    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
             QStringLiteral("-singlefile"), pdfPath, stem},
            page.error);
    if (page.error.isEmpty() && !page.image.load(stem + QStringLiteral(".png")))
        page.error = QStringLiteral("pdftoppm wrote no image");
    page.image = page.image.convertToFormat(QImage::Format_RGB32);
    return page;
}

PdfContents inspectPdf(const QString& pdfPath) {
    PdfContents pdf;
    pdf.text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")},
                                         pdf.error));
    // pdffonts: two header lines, then "name type... emb sub uni object ID" per font.
    const QStringList fontLines =
        QString::fromUtf8(runTool(QStringLiteral("pdffonts"), {pdfPath}, pdf.error))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    static const QRegularExpression fontLine(
        QStringLiteral("^(\\S+)\\s.*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString& line : fontLines.mid(2)) {
        const QRegularExpressionMatch match = fontLine.match(line);
        if (!match.hasMatch())
            continue;
        pdf.fonts << match.captured(1);
        if (match.captured(2) == QStringLiteral("yes"))
            pdf.embeddedFonts << match.captured(1);
    }
    // pdfimages -list: two header lines, then one line per picture; "smask" lines are the
    // transparency of the picture before them.
    const QStringList imageLines =
        QString::fromUtf8(
            runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath}, pdf.error))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : imageLines.mid(2))
        if (!line.contains(QStringLiteral(" smask ")))
            ++pdf.imageCount;
    return pdf;
}

QString pdfTitle(const QString& pdfPath) {
    QString error;
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}, error));
    const QRegularExpressionMatch title =
        QRegularExpression(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption)
            .match(info);
    return title.hasMatch() ? title.captured(1).trimmed() : QString();
}

QString pdfText(const QString& pdfPath) {
    return inspectPdf(pdfPath).text;
}

QRect a4PrintableArea(int dpi) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return printer.pageLayout().paintRectPixels(dpi);
}

QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) < 245 || qGreen(pixel) < 245 || qBlue(pixel) < 245)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

} // namespace hspring::test
