// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace hspring {

// Makes Qt's own texts Japanese: the file dialogs, the question before a file is replaced and the
// standard buttons ("キャンセル", "はい", "いいえ"). Loads Qt's Japanese catalogue from Qt's
// translations folder and installs it on `application`, whatever the user's locale, since every
// other text of the program is Japanese too, and makes Japanese the default locale, so that
// dates and file types in Qt's dialogs are Japanese too. Returns false, installing no catalogue,
// when the catalogue is not installed; Qt's texts then stay English.
bool installQtJapanese(QCoreApplication& application);

} // namespace hspring
