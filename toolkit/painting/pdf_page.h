// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <functional>
#include <string>

namespace hspring {

// The page every PDF the program writes has: A4 portrait, 10 pt margins, 1200 dots per inch.
QPageLayout pdfPageLayout();
inline constexpr int kPdfResolution = 1200;

// What a PDF says about itself: its title and, when there is one, its author.
// The program that made a PDF, as its Creator: "hspring" and the running program's version.
QString pdfCreator();

struct PdfDocumentInfo {
    QString title;
    QString author;
};

// Paints one page of that layout with `paint` (the painter's origin at the top-left corner of the
// printable area) and writes it as a PDF to `path` in one piece: an existing file is replaced
// only by a complete new one. `title` names the document. Throws Error when the page cannot be
// painted or the file cannot be written.
void writePdfPage(const std::string& path, const QString& title,
                  const std::function<void(QPainter&)>& paint);
void writePdfPage(const std::string& path, const PdfDocumentInfo& info,
                  const std::function<void(QPainter&)>& paint);

// Adds /Author to the document information of a PDF Qt wrote (Qt's writer has a title but no
// author) and moves the cross-reference offsets behind it. A PDF without Qt's information
// dictionary comes back unchanged.
QByteArray withPdfAuthor(const QByteArray& pdf, const QString& author);

} // namespace hspring
