#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

namespace hspring::test {

// What a modal dialog showed before the test answered it.
struct ModalRecord {
    bool seen = false;
    QString title;
    QString text;
};

// Answers the next message box that opens modally by pressing `button`; the returned record
// fills in when it happens. Use before the action that opens the box.
std::shared_ptr<ModalRecord> answerNextMessageBox(QMessageBox::StandardButton button);

// Answers the next file dialog: accepts `path`, or cancels when `path` is empty.
std::shared_ptr<ModalRecord> answerNextFileDialog(const QString& path);

} // namespace hspring::test
