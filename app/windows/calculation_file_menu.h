// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class QMenu;

namespace hspring {

class MainWindow;

// The calculation file (*.hbd) on the menu "ファイル": the byte image of all 31 design slots.
// They report their failures in the error box themselves, so a menu item calls them directly.
// Every file read or saved goes to the front of the recent files (recent_files.h).

// "保存": reads the input fields into slot 0 (a field that is not a number stops here, before any
// dialog), asks for the file (proposing the open file's name, else one built from the design:
// "SWP-A_d0.8_D7.2_N12.25.hbd"; a name without an extension gets ".hbd")
// and writes the 10416 bytes atomically. Cancelling writes nothing and leaves slot 0 as it was
// before the reading.
void saveCalculationFile(MainWindow& window);

// "読み取り": asks for a file, copies at most 10416 bytes of it over the slots and refreshes the
// 30 history rows. The input fields, the results and the drawing are left as they are: slot 0 now
// holds the stored current design until the next input reading replaces it. Cancelling changes
// nothing.
void readCalculationFile(MainWindow& window);

// The same reading of the file at `path` (in the file system's encoding) without the dialog: the
// file named on the command line. A file that cannot be read shows the same error box. Returns
// whether the file was read.
bool readCalculationFile(MainWindow& window, const std::string& path);

// What every reading above does, without a box: copies the file's slots, refreshes the history
// rows, runs `slotsRead` (when given), opens the file as the window's document with its title
// block and shows slot 0 as a recall does. Throws the Error of a file that cannot be read.
void openCalculationFile(MainWindow& window, const std::string& path,
                         const std::function<void()>& slotsRead = {});

// The submenu "最近使ったファイル": lists the recent files each time it opens, newest first;
// choosing one reads it as 読み取り does. A file that no longer exists shows the error box of a
// file that cannot be opened and leaves the list.
void connectRecentFilesMenu(MainWindow& window, QMenu& menu);

} // namespace hspring
