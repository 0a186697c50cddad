// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/pdf_page.h"

#include "base/error.h"
#include "base/file_io.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <span>

namespace hspring {

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
