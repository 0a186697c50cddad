// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QString>

namespace hspring {

// The line a printed page starts with, so that the page can be traced to its design: what the
// design is (its part name, or its material and d × D × N), the date it was printed and the
// calculation file, when there is one.
struct PrintHeader {
    QString title;
    QString date;
    QString fileName;

    bool empty() const { return title.isEmpty() && date.isEmpty() && fileName.isEmpty(); }
};

// Draws the header across `width` device pixels at the painter's origin, the title at the left
// and the date and file at the right, underlined; returns the height it took (0 for an empty
// header). Sized for the page's resolution: about 10 pt text.
qreal paintPrintHeader(QPainter& painter, const PrintHeader& header, qreal width);

} // namespace hspring
