// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace hspring {

bool installQtJapanese(QCoreApplication& application) {
    // Owned by the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace hspring
