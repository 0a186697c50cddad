// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace hspring {

// The help page's place: help/helphelp.htm in the program's folder.
QString helpPagePath(const QString& programFolder);

// "ヘルプ": asks the desktop to open the help page with its default viewer for HTML files. Where
// the desktop has no viewer to start, the page opens in a help window of the program's own
// (`owner` its parent; one window, brought to the front again on the next request). A missing
// page is then said in that window; what a started viewer does with it is left to the viewer.
void openHelpPage(const QString& programFolder, QWidget* owner = nullptr);

} // namespace hspring
