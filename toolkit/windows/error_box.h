// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <exception>

namespace hspring {

// The standard error box: the failure in Japanese (errorText), one OK button. Window handlers catch
// failures at their boundary and show them here; the window stays usable.
void showErrorBox(QWidget* parent, const std::exception& failure);
void showErrorBox(QWidget* parent, const QString& text);

// Runs a handler body and shows any failure in the error box. Returns false when it failed.
template <typename Action>
bool runReportingErrors(QWidget* parent, Action&& action) {
    try {
        action();
        return true;
    } catch (const std::exception& failure) {
        showErrorBox(parent, failure);
        return false;
    }
}

} // namespace hspring
