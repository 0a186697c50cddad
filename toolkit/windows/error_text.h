// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"

#include <QString>
#include <exception>

namespace hspring {

// What the windows say about a problem the core reported: its Japanese text with the subject
// (the text, path, printer or number it concerns) in place.
QString errorText(const Error& error);
// The same for any failure: an Error's Japanese text, otherwise the failure's own message.
QString errorText(const std::exception& failure);

} // namespace hspring
