// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/pdf_page.h"

#include "base/error.h"
#include "base/file_io.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <span>

namespace hspring {

namespace {

// A PDF text string in UTF-16BE with its byte-order mark, as hex: any text, no escaping.
QByteArray pdfTextString(const QString& text) {
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16.append(char(c.unicode() >> 8));
        utf16.append(char(c.unicode() & 0xFF));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

// Adds `delta` to every offset in the classic cross-reference table that starts at `xref` and
// lies at or beyond `from`, and to the startxref value. Each entry is exactly 20 bytes.
bool shiftCrossReferences(QByteArray& pdf, qsizetype from, qsizetype delta) {
    const qsizetype xref = pdf.lastIndexOf("\nxref\n");
    const qsizetype startxref = pdf.lastIndexOf("\nstartxref\n");
    if (xref < 0 || startxref < xref)
        return false;
    qsizetype line = xref + 6;
    const qsizetype headerEnd = pdf.indexOf('\n', line);
    const QList<QByteArray> header = pdf.mid(line, headerEnd - line).split(' ');
    if (header.size() != 2)
        return false;
    const int count = header[1].toInt();
    qsizetype entry = headerEnd + 1;
    for (int i = 0; i < count; ++i, entry += 20) {
        if (entry + 20 > pdf.size() || pdf[entry + 17] != 'n')
            continue;
        bool ok = false;
        const qlonglong offset = pdf.mid(entry, 10).toLongLong(&ok);
        if (!ok)
            return false;
        if (offset >= from)
            pdf.replace(entry, 10, QByteArray::number(offset + delta).rightJustified(10, '0'));
    }
    const qsizetype valueStart = startxref + 11;
    const qsizetype valueEnd = pdf.indexOf('\n', valueStart);
    bool ok = false;
    const qlonglong value = pdf.mid(valueStart, valueEnd - valueStart).toLongLong(&ok);
    if (!ok)
        return false;
    pdf.replace(valueStart, valueEnd - valueStart, QByteArray::number(value + delta));
    return true;
}

} // namespace

QPageLayout pdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

QString pdfCreator() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("hspring") : QStringLiteral("hspring ") + version;
}

QByteArray withPdfAuthor(const QByteArray& pdf, const QString& author) {
    if (author.isEmpty())
        return pdf;
    const QByteArray infoStart("<<\n/Title ");
    const qsizetype at = pdf.indexOf(infoStart);
    if (at < 0)
        return pdf;
    const qsizetype insertAt = at + 3;
    const QByteArray entry = "/Author " + pdfTextString(author) + "\n";
    QByteArray result = pdf;
    result.insert(insertAt, entry);
    if (!shiftCrossReferences(result, insertAt, entry.size()))
        return pdf;
    return result;
}

void writePdfPage(const std::string& path, const QString& title,
                  const std::function<void(QPainter&)>& paint) {
    writePdfPage(path, PdfDocumentInfo{title, {}}, paint);
}

void writePdfPage(const std::string& path, const PdfDocumentInfo& info,
                  const std::function<void(QPainter&)>& paint) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(pdfPageLayout());
        writer.setTitle(info.title);
        writer.setCreator(pdfCreator());
        QPainter painter;
        if (!painter.begin(&writer))
            throw printJobError(path);
        paint(painter);
        if (!painter.end())
            throw printJobError(path);
    }
    bytes = withPdfAuthor(bytes, info.author);
    writeFileAtomically(path,
                        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))));
}

} // namespace hspring
