// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace hspring {

void showErrorBox(QWidget* parent, const std::exception& failure) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(),
                    QString::fromUtf8(failure.what()), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace hspring
