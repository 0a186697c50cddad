// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/error_box.h"

#include "toolkit/windows/error_text.h"

#include <QApplication>
#include <QMessageBox>

namespace hspring {

void showErrorBox(QWidget* parent, const std::exception& failure) {
    showErrorBox(parent, errorText(failure));
}

void showErrorBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace hspring
