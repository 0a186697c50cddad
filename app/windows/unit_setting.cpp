// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/unit_setting.h"

#include "toolkit/windows/user_settings.h"

#include <QSettings>
#include <string>

namespace hspring {

namespace {

const QString kUnitsKey = QStringLiteral("display/units");

} // namespace

UnitSystem savedUnitSystem() {
    const std::string name = userSettings().value(kUnitsKey).toString().toStdString();
    return unitSystemFromName(name).value_or(UnitSystem::Gravitational);
}

void saveUnitSystem(UnitSystem units) {
    QSettings settings = userSettings();
    settings.setValue(kUnitsKey, QString::fromUtf8(unitSystemName(units).data(),
                                                   qsizetype(unitSystemName(units).size())));
}

} // namespace hspring
