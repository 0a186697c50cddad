// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

namespace hspring {

// The user's settings file (hspring.ini in the user's configuration folder), where the windows
// keep what they remember between runs: the recent files, the dialogs' folders, the units shown,
// the search's requirement, each under a key or group of its own.
QSettings userSettings();

} // namespace hspring
