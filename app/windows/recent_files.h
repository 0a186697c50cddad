// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace hspring {

// The calculation files last opened or saved, newest first, at most kRecentFileCount, kept in the
// user's settings (QSettings, ~/.config/hspring/hspring.ini) from one run to the next. Each call
// reads and writes the settings afresh, so two running programs share one list.
inline constexpr int kRecentFileCount = 8;

// The list as stored, newest first.
QStringList recentFiles();

// Puts `path` (made absolute) at the front; an older entry of the same file goes, and so does
// whatever falls beyond kRecentFileCount.
void addRecentFile(const QString& path);

// Takes `path` off the list.
void removeRecentFile(const QString& path);

} // namespace hspring
