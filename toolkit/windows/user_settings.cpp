// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/user_settings.h"

namespace hspring {

QSettings userSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("hspring"),
                     QStringLiteral("hspring"));
}

} // namespace hspring
