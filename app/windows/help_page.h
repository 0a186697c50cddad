#pragma once

#include <QString>

namespace hspring {

// The help page's place: help/helphelp.htm in the program's folder.
QString helpPagePath(const QString& programFolder);

// "ヘルプ": asks the desktop to open the help page with its default viewer for HTML files. What
// the desktop does with a missing page or a missing viewer is left to it; the program goes on.
void openHelpPage(const QString& programFolder);

} // namespace hspring
