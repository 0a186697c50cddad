#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

namespace hspring::test {

// What a modal dialog showed before the test answered it.
struct ModalRecord {
    bool seen = false;
    QString title;
    QString text; // message boxes: the text; file dialogs: the name filters joined by ";;"
};

// Answers the next message box that opens modally by pressing `button`; the returned record
// fills in when it happens. Call before the action that opens the box and keep the record until
// the box has been answered: dropping it gives the answer up.
std::shared_ptr<ModalRecord> answerNextMessageBox(QMessageBox::StandardButton button);

// Answers the next file dialog as a user does: types `path` into its file-name field and
// accepts, or cancels when `path` is empty. (QFileDialog::selectFile leaves the field alone once
// it has the focus, so selecting the file would fail whenever the dialog became active first.)
std::shared_ptr<ModalRecord> answerNextFileDialog(const QString& path);

// Accepts the next file dialog with the name it proposes, after going to `folder`. The record's
// text is then the path of the accepted file.
std::shared_ptr<ModalRecord> acceptNextFileDialogIn(const QString& folder);

} // namespace hspring::test
