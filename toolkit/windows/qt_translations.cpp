// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace hspring {

bool installQtJapanese(QCoreApplication& application) {
    // Dates, sizes and day names in Qt's dialogs follow the default locale, not the catalogue.
    // The program converts its own numbers without the locale, so its fields read the same.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
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
