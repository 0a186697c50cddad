// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace hspring {

// The help page's place: help/helphelp.htm in the program's folder.
QString helpPagePath(const QString& programFolder);

// F1 and "ヘルプ": the help page in a help window of the program's own (`owner` its parent; one
// window, brought to the front again on the next request), which needs no web browser. Its
// button "ブラウザで開く" hands the page to the desktop's browser and says so in the window when
// none can be started. A missing page is said in the window.
void openHelpPage(const QString& programFolder, QWidget* owner = nullptr);

} // namespace hspring
