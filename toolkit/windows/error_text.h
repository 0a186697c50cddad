// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"

#include <QString>
#include <exception>
#include <utility>

namespace hspring {

// The conversion error of a field the user fills in, named by the caption the window shows beside
// it: the windows' text puts the caption before the conversion's own, as in
// "巻き数: '1,5' は浮動小数点数ではありません".
class FieldConversionError : public Error {
public:
    FieldConversionError(const Error& conversion, QString caption)
        : Error(conversion), caption_(std::move(caption)) {}
    const QString& caption() const { return caption_; }

private:
    QString caption_;
};

// A failure the window has already put in its own words (Japanese), with the Error it comes from
// kept for the tool's English and for the kind of failure.
class WordedError : public Error {
public:
    WordedError(const Error& cause, QString text) : Error(cause), text_(std::move(text)) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// What the windows say about a problem the core reported: its Japanese text with the subject
// (the text, path, printer or number it concerns) in place.
QString errorText(const Error& error);
// The same for any failure: an Error's Japanese text, otherwise the failure's own message.
QString errorText(const std::exception& failure);

} // namespace hspring
