#include "printing/painting/page_printing.h"

#include "base/file_io.h"
#include "printing/print_errors.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <span>

namespace hspring {

void drawImageOnPage(QPainter& painter, const QImage& image, PrintScaling scaling) {
    const QPaintDevice& page = *painter.device();
    const QSize imageSize = image.deviceIndependentSize().toSize();
    const PixelSize size =
        printSize(scaling, {imageSize.width(), imageSize.height()}, {page.width(), page.height()},
                  page.logicalDpiX(), page.logicalDpiY());
    painter.drawImage(QRect(0, 0, size.width, size.height), image);
}

QPageLayout pdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

void writePdfPage(const std::string& path, const QString& title,
                  const std::function<void(QPainter&)>& paint) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(pdfPageLayout());
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer))
            throw printJobError(path);
        paint(painter);
        if (!painter.end())
            throw printJobError(path);
    }
    writeFileAtomically(path,
                        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))));
}

} // namespace hspring
